#include "support/TestHttpServer.h"

#include <QByteArrayList>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr int kReadTimeoutMs = 5000;
constexpr int kStallLimitMs = 10000; // a client that never gives up must not hang the suite
constexpr qsizetype kMaxRequestBytes = 64 * 1024;

void sendAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        // No SIGPIPE when the client has already hung up, as it does on an over-size body.
        const ssize_t n = ::send(fd, data, static_cast<size_t>(left), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        data += n;
        left -= n;
    }
}

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 304:
        return "Not Modified";
    case 404:
        return "Not Found";
    case 429:
        return "Too Many Requests";
    case 503:
        return "Service Unavailable";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

bool parseRequest(const QByteArray& head, RecordedRequest& request) {
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    if (first.size() != 3) {
        return false;
    }
    request.method = first[0];
    request.target = first[1];
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            request.headers.emplace_back(line.left(colon).trimmed(), line.mid(colon + 1).trimmed());
        }
    }
    return true;
}

quint32 crc32Of(const QByteArray& bytes) {
    quint32 crc = 0xffffffffU;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

void appendLittleEndian(QByteArray& out, quint32 value) {
    for (int i = 0; i < 4; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xffU));
    }
}

} // namespace

bool RecordedRequest::has(const char* name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QByteArray RecordedRequest::header(const char* name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            return value;
        }
    }
    return {};
}

TestHttpServer::TestHttpServer() {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe");
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];

    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listenFd_ < 0 ||
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 16) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
    stopping_ = true;
    // The pipe stays readable once written, so every waiting thread sees it.
    const char byte = 1;
    (void)!::write(wakeWrite_, &byte, 1);
    acceptor_.join();
    std::vector<std::thread> connections;
    {
        const std::lock_guard lock(mutex_);
        connections.swap(connections_);
    }
    for (std::thread& connection : connections) {
        connection.join();
    }
    ::close(listenFd_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

void TestHttpServer::serve(const QByteArray& path, Reply reply) {
    const std::lock_guard lock(mutex_);
    replies_[path] = std::move(reply);
}

void TestHttpServer::redirect(const QByteArray& from, const QByteArray& to) {
    Reply reply;
    reply.status = 302;
    reply.headers = {{"Location", to}};
    serve(from, std::move(reply));
}

QByteArray TestHttpServer::origin() const {
    return "http://127.0.0.1:" + QByteArray::number(port_);
}

QString TestHttpServer::url(const QByteArray& path) const {
    return QString::fromLatin1(origin() + path);
}

std::vector<RecordedRequest> TestHttpServer::requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
}

Reply TestHttpServer::replyFor(const QByteArray& target) const {
    const std::lock_guard lock(mutex_);
    const auto found = replies_.find(target);
    if (found != replies_.end()) {
        return found->second;
    }
    Reply missing;
    missing.status = 404;
    missing.body = "not found";
    return missing;
}

// True when fd has data (or was closed by the peer); false on time-out or shutdown.
bool TestHttpServer::waitReadable(int fd, int timeoutMs) const {
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    for (;;) {
        const int rc = ::poll(fds, 2, timeoutMs);
        if (rc < 0 && errno == EINTR) {
            continue;
        }
        return rc > 0 && fds[1].revents == 0 && fds[0].revents != 0;
    }
}

void TestHttpServer::acceptLoop() {
    while (!stopping_) {
        if (!waitReadable(listenFd_, 1000)) {
            continue;
        }
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        const std::lock_guard lock(mutex_);
        connections_.emplace_back([this, fd] {
            handle(fd);
            ::close(fd);
        });
    }
}

void TestHttpServer::handle(int fd) {
    QByteArray head;
    char buffer[4096];
    while (!head.contains("\r\n\r\n")) {
        if (head.size() > kMaxRequestBytes || !waitReadable(fd, kReadTimeoutMs)) {
            return;
        }
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            return;
        }
        head.append(buffer, n);
    }
    RecordedRequest request;
    if (!parseRequest(head.left(head.indexOf("\r\n\r\n")), request)) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }

    const Reply reply = replyFor(request.target);
    QByteArray response = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                          reason(reply.status) + "\r\nConnection: close\r\n";
    if (reply.mode != Reply::Mode::NoLength) {
        response += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    }
    for (const auto& [name, value] : reply.headers) {
        response += name + ": " + value + "\r\n";
    }
    response += "\r\n";

    switch (reply.mode) {
    case Reply::Mode::Normal:
    case Reply::Mode::NoLength:
        sendAll(fd, response + reply.body);
        // Half-close and wait for the client to hang up, so the body is not cut by a reset.
        ::shutdown(fd, SHUT_WR);
        while (waitReadable(fd, kReadTimeoutMs) && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
        break;
    case Reply::Mode::Stall:
        sendAll(fd, response);
        while (waitReadable(fd, kStallLimitMs) && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
        break;
    case Reply::Mode::Trickle: {
        sendAll(fd, response);
        constexpr int pieces = 100;
        const qsizetype piece = (reply.body.size() + pieces - 1) / pieces;
        for (qsizetype at = 0; at < reply.body.size() && !stopping_; at += piece) {
            std::this_thread::sleep_for(std::chrono::milliseconds(reply.trickleMs / pieces));
            const ssize_t sent =
                ::send(fd, reply.body.constData() + at,
                       static_cast<size_t>(std::min(piece, reply.body.size() - at)), MSG_NOSIGNAL);
            if (sent <= 0)
                break; // the client hung up, as a cancelled download does
        }
        ::shutdown(fd, SHUT_WR);
        while (waitReadable(fd, kReadTimeoutMs) && ::recv(fd, buffer, sizeof buffer, 0) > 0) {
        }
        break;
    }
    case Reply::Mode::ResetMidBody: {
        sendAll(fd, response + reply.body.left(reply.body.size() / 2));
        const linger abortive{1, 0}; // close sends a reset instead of an orderly end
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        break;
    }
    }
}

QByteArray zlibBytes(const QByteArray& plain) {
    return qCompress(plain).mid(4); // without Qt's own length prefix
}

QByteArray gzipBytes(const QByteArray& plain) {
    const QByteArray zlib = zlibBytes(plain);
    // The raw deflate data between the two-byte zlib header and its Adler-32 trailer.
    const QByteArray deflate = zlib.mid(2, zlib.size() - 6);
    QByteArray out("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\xff", 10);
    out += deflate;
    appendLittleEndian(out, crc32Of(plain));
    appendLittleEndian(out, static_cast<quint32>(plain.size()));
    return out;
}

unsigned short closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd); // bound but never listening, and now released: connections are refused
    return ntohs(address.sin_port);
}

} // namespace testing_support
