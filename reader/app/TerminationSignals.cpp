#include "reader/app/TerminationSignals.h"

#include <QSocketNotifier>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillet {

namespace {

// A signal handler can reach nothing but a static; this one holds only the
// write end of the pipe, set while a TerminationSignals object lives.
std::atomic<int> signalWriteFd{-1};

void onTerminationSignal(int) {
    const int fd = signalWriteFd.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
}

constexpr int GuardIntervalMs = 200;
constexpr int HandledSignals[] = {SIGINT, SIGTERM};

bool isOurs(int signal) {
    struct sigaction current = {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == onTerminationSignal;
}

void install(int signal) {
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

} // namespace

bool TerminationSignals::ensureInstalled() {
    if (notifier_ == nullptr)
        return false;
    bool replaced = false;
    for (int signal : HandledSignals) {
        if (!isOurs(signal)) {
            install(signal);
            replaced = true;
        }
    }
    return replaced;
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0)
        return;
    signalWriteFd.store(fds_[0]);
    notifier_ = std::make_unique<QSocketNotifier>(fds_[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(fds_[1], buffer, sizeof buffer) > 0) {
        }
        emit terminationRequested();
    });
    ensureInstalled();
    guard_ = new QTimer(this);
    guard_->setInterval(GuardIntervalMs);
    connect(guard_, &QTimer::timeout, this, [this] { ensureInstalled(); });
    guard_->start();
}

TerminationSignals::~TerminationSignals() {
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    signalWriteFd.store(-1);
    notifier_.reset();
    for (int fd : fds_) {
        if (fd >= 0)
            ::close(fd);
    }
}

} // namespace quillet
