#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for download tests: a random free port, one thread
// per connection, canned replies per path and a record of every request. Every wait is
// bounded, and the destructor stops and joins all threads.
#include <QByteArray>
#include <QString>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace testing_support {

using HeaderList = std::vector<std::pair<QByteArray, QByteArray>>;

struct RecordedRequest {
    QByteArray method;
    QByteArray target;
    HeaderList headers;

    bool has(const char* name) const;
    // The value of the first header of that name (case-insensitive), or empty.
    QByteArray header(const char* name) const;
};

struct Reply {
    enum class Mode {
        Normal,       // status, Content-Length, body, close
        NoLength,     // no Content-Length: the body ends when the connection closes
        Stall,        // headers announcing the body, then nothing until the client gives up
        ResetMidBody, // half the announced body, then a connection reset
        Trickle,      // the body in small pieces spread over trickleMs, as a slow server sends
    };
    int status = 200;
    QByteArray body;
    HeaderList headers;
    Mode mode = Mode::Normal;
    int trickleMs = 0;
};

class TestHttpServer {
public:
    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    // Paths without a reply get 404.
    void serve(const QByteArray& path, Reply reply);
    void redirect(const QByteArray& from, const QByteArray& to);

    QString url(const QByteArray& path) const;
    QByteArray origin() const;
    std::vector<RecordedRequest> requests() const;

private:
    void acceptLoop();
    void handle(int fd);
    Reply replyFor(const QByteArray& target) const;
    bool waitReadable(int fd, int timeoutMs) const;

    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    unsigned short port_ = 0;
    std::atomic<bool> stopping_{false};

    mutable std::mutex mutex_;
    std::map<QByteArray, Reply> replies_;
    std::vector<RecordedRequest> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

// A gzip member and a zlib stream ("deflate" in HTTP) of the bytes, made with Qt's
// compressor so the tests need no compression library of their own.
QByteArray gzipBytes(const QByteArray& plain);
QByteArray zlibBytes(const QByteArray& plain);

// A port on 127.0.0.1 where nothing listens.
unsigned short closedPort();

} // namespace testing_support
