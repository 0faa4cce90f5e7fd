#pragma once
// Downloads a URL into a file, as a web client would: http, https and file
// addresses, redirects followed, compressed bodies accepted, certificates
// verified. The body reaches the target only when the whole download succeeded:
// it is written to a temporary file in the target's folder and renamed over the
// target, so a failure leaves the earlier file as it was. Redirects may lead to http
// and https addresses only, never to a local file. Blocking.
#include <QByteArray>
#include <QString>

#include <atomic>

namespace platform::net {

struct DownloadLimits {
    long connectTimeoutSeconds = 15;
    // The transfer is abandoned when less than lowSpeedBytesPerSecond arrives
    // for lowSpeedSeconds.
    long lowSpeedBytesPerSecond = 1;
    long lowSpeedSeconds = 30;
    // Counts the body as stored, after decompression; a negative value allows no bytes.
    long long maxBodyBytes = 64LL * 1024 * 1024;
    long maxRedirects = 10;
};

// Why a download failed, for the user: the kinds a reader can act on.
enum class DownloadFailure {
    None,         // it succeeded
    HttpStatus,   // the server answered with a status of 400 or more (httpStatus)
    TimedOut,     // no connection or no data within the time limits
    Refused,      // the server refused the connection
    HostNotFound, // the host name could not be resolved
    FileNotFound, // a file address names no readable file
    Cancelled,    // the caller asked the download to stop
    Other,
};

// What the caller knows of the copy it holds, so the server can answer that it
// has not changed, and a flag the caller sets to stop the transfer (from any
// thread); all optional.
struct DownloadRequest {
    QByteArray ifNoneMatch;     // the ETag of the copy held
    QByteArray ifModifiedSince; // its Last-Modified
    const std::atomic<bool>* cancel = nullptr;
};

struct DownloadResult {
    bool ok = false;
    long httpStatus = 0; // 0 for file addresses and for failures before an answer
    QString error;       // a short English description for logs and tests; empty on success
    DownloadFailure failure = DownloadFailure::None;
    // The server said the copy held is current (304): the target is left as it was.
    bool notModified = false;
    QByteArray etag; // the answer's validators, for the next request
    QByteArray lastModified;
    QByteArray charset;          // the charset its Content-Type named, if any
    long retryAfterSeconds = -1; // with 429 and 503, when the server said when to come back
};

// The download-to-file function: returns 0 on success and a non-zero value on
// any failure (no connection, an HTTP status of 400 or more, a time limit, an
// over-size body, a target that cannot be written).
int URLDownloadToFile(const QString& url, const QString& targetPath,
                      const DownloadLimits& limits = {});

// The same, with the details.
DownloadResult downloadToFile(const QString& url, const QString& targetPath,
                              const DownloadLimits& limits = {},
                              const DownloadRequest& request = {});

} // namespace platform::net
