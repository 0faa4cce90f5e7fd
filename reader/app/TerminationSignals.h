#pragma once
// SIGINT and SIGTERM close the main window the normal way, so that its closing
// saves the settings and lists. The signal handler only writes a byte into a
// pipe; the event loop reads it and asks for the close. The browser engine
// puts its own handlers in place when it starts, which may be long after ours
// (at the first page, or when a later browser starts it again), so ours are
// checked on a short timer and put back whenever something replaced them.
#include <QObject>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace quillet {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Puts the handlers back if anything replaced them; true when it had to.
    bool ensureInstalled();

signals:
    void terminationRequested();

private:
    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer* guard_ = nullptr;
};

} // namespace quillet
