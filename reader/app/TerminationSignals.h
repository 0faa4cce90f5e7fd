#pragma once
// SIGINT and SIGTERM close the main window the normal way, so that its closing
// saves the settings and lists. The signal handler only writes a byte into a
// pipe; the event loop reads it and asks for the close.
#include <QObject>
#include <memory>

class QSocketNotifier;

namespace quillet {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace quillet
