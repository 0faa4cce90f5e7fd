#include "platform/net/Download.h"
#include "platform/text/LineFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QUrl>

#include <curl/curl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::net {

namespace {

// The client identifies itself as the web client layer does, not as this program:
// feed servers answer it the way they answer a browser.
// A web client's form, so that servers answer as they answer browsers, naming
// the program so that a server's owner can tell who fetches the feed.
constexpr const char* kUserAgent = "Mozilla/5.0 (X11; Linux x86_64) QtWebClient/1.0 Quillet/0.50";

// libcurl's process-wide set-up, done once on first use. The function-local static makes
// the first call thread-safe; nothing changes afterwards.
class CurlLibrary {
public:
    static bool ready() {
        static const CurlLibrary library;
        return library.code_ == CURLE_OK;
    }

private:
    CurlLibrary() : code_(curl_global_init(CURL_GLOBAL_DEFAULT)) {}
    ~CurlLibrary() {
        if (code_ == CURLE_OK) {
            curl_global_cleanup();
        }
    }
    CurlLibrary(const CurlLibrary&) = delete;
    CurlLibrary& operator=(const CurlLibrary&) = delete;

    CURLcode code_;
};

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

QString errnoName(int error) {
    const char* name = ::strerrorname_np(error);
    return name != nullptr ? QString::fromLatin1(name) : QStringLiteral("errno %1").arg(error);
}

bool isPlainAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7f; });
}

// The address as libcurl should see it, or empty when it is not an http, https or file
// address. Plain ASCII addresses go out exactly as written; others get an IDNA host and a
// percent-encoded path and query, as a browser sends them.
QByteArray encodedAddress(const QString& url) {
    const QString trimmed = url.trimmed();
    const QUrl parsed(trimmed, QUrl::TolerantMode);
    if (trimmed.isEmpty() || !parsed.isValid()) {
        return {};
    }
    const QString scheme = parsed.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
        scheme != QLatin1String("file")) {
        return {};
    }
    return isPlainAscii(trimmed) ? trimmed.toLatin1() : parsed.toEncoded();
}

// The body on its way to the target: a hidden file beside it (so the rename stays on one
// file system and "*.xml" listings never see it), removed unless it was renamed into place.
class PartFile {
public:
    PartFile() = default;
    ~PartFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!tempPath_.isEmpty()) {
            ::unlink(tempPath_.constData());
        }
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Empty on success, else why the target cannot be written.
    QString open(const QString& targetPath) {
        if (targetPath.isEmpty()) {
            return QStringLiteral("no target file given");
        }
        const QFileInfo info(text::linkTarget(targetPath));
        const QString folder = info.absolutePath();
        if (!QFileInfo(folder).isDir()) {
            return QStringLiteral("target folder does not exist");
        }
        target_ = QFile::encodeName(info.absoluteFilePath());
        folder_ = QFile::encodeName(folder);

        mode_t mode = 0666; // narrowed by the umask for a new file
        bool keepMode = false;
        struct stat st {};
        if (::stat(target_.constData(), &st) == 0) {
            if (!S_ISREG(st.st_mode)) {
                return QStringLiteral("target is not a regular file");
            }
            // The rename would go through, but a read-only file is one its owner chose
            // not to have changed; the text layer refuses it the same way.
            if ((st.st_mode & S_IWUSR) == 0) {
                return QStringLiteral("target is read-only");
            }
            mode = st.st_mode & 07777;
            keepMode = true;
        }

        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            tempPath_ = QFile::encodeName(
                folder + QLatin1String("/.") + info.fileName() + QLatin1String(".part") +
                QString::number(QRandomGenerator::global()->generate(), 36));
            fd_ = ::open(tempPath_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd_ < 0 && errno != EEXIST) {
                const int error = errno;
                tempPath_.clear();
                return QStringLiteral("cannot create a temporary file: ") + errnoName(error);
            }
        }
        if (fd_ < 0) {
            tempPath_.clear();
            return QStringLiteral("cannot create a temporary file: no free name");
        }
        if (keepMode) {
            // Best effort: the umask must not narrow an existing file's permissions.
            (void)::fchmod(fd_, mode);
        }
        return {};
    }

    // False with errno set when the bytes could not all be written.
    bool write(const char* data, std::size_t size) {
        return text::writeAllBytes(fd_, data, static_cast<qsizetype>(size));
    }

    // Puts the complete body in place of the target. Empty on success.
    QString commit() {
        // No flush to disk before the rename: a downloaded document is a copy of
        // what the server holds, fetched again at the next opening, and waiting
        // for the disk would make every opening slower. The rename still means a
        // reader sees the old file or the new one whole, never a mix.
        const int rc = ::close(fd_);
        fd_ = -1;
        if (rc != 0) {
            return QStringLiteral("cannot write the temporary file: ") + errnoName(errno);
        }
        if (::rename(tempPath_.constData(), target_.constData()) != 0) {
            return QStringLiteral("cannot replace the target: ") + errnoName(errno);
        }
        tempPath_.clear();
        // Parts of downloads whose process was killed go with this one's success.
        const QFileInfo target(QFile::decodeName(target_));
        text::removeStaleTemporaries(target.absolutePath(),
                                     QLatin1Char('.') + target.fileName() + QLatin1String(".part"));
        return {};
    }

private:
    QByteArray target_;
    QByteArray folder_;
    QByteArray tempPath_;
    int fd_ = -1;
};

// What the body callback saw, for the error text after the transfer stopped.
struct BodySink {
    PartFile* file = nullptr;
    long long limit = 0;
    long long received = 0;
    bool tooLarge = false;
    int writeError = 0;
};

// Counts the decoded bytes as they arrive, so a compressed body or one without a length
// is stopped at the limit too, not only one whose announced length is too large.
std::size_t receiveBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<BodySink*>(user);
    const std::size_t n = size * count;
    if (static_cast<unsigned long long>(n) >
        static_cast<unsigned long long>(sink->limit - sink->received)) {
        sink->tooLarge = true;
        return 0; // any short count makes libcurl abandon the transfer
    }
    if (!sink->file->write(data, n)) {
        sink->writeError = errno;
        return 0;
    }
    sink->received += static_cast<long long>(n);
    return n;
}

DownloadResult failure(QString error, long httpStatus = 0,
                       DownloadFailure kind = DownloadFailure::Other) {
    DownloadResult result;
    result.httpStatus = httpStatus;
    result.error = std::move(error);
    result.failure = kind;
    return result;
}

DownloadFailure failureOf(CURLcode code) {
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return DownloadFailure::TimedOut;
    case CURLE_COULDNT_CONNECT:
        return DownloadFailure::Refused;
    case CURLE_COULDNT_RESOLVE_HOST:
        return DownloadFailure::HostNotFound;
    case CURLE_FILE_COULDNT_READ_FILE:
        return DownloadFailure::FileNotFound;
    default:
        return DownloadFailure::Other;
    }
}

// The answer's headers that matter to the caller; each answer of a redirect
// chain starts afresh, so the last answer's are kept.
struct HeaderSink {
    QByteArray etag;
    QByteArray lastModified;
    QByteArray charset;
    QByteArray retryAfter;
};

std::size_t receiveHeader(char* data, std::size_t size, std::size_t count, void* userData) {
    auto* sink = static_cast<HeaderSink*>(userData);
    const std::size_t n = size * count;
    const QByteArray line = QByteArray(data, static_cast<qsizetype>(n)).trimmed();
    if (line.startsWith("HTTP/")) {
        *sink = HeaderSink();
        return n;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return n;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed().left(1024);
    if (name == "etag") {
        sink->etag = value;
    } else if (name == "last-modified") {
        sink->lastModified = value;
    } else if (name == "retry-after") {
        sink->retryAfter = value;
    } else if (name == "content-type") {
        const qsizetype at = value.toLower().indexOf("charset=");
        if (at >= 0) {
            QByteArray charset = value.mid(at + 8);
            const qsizetype end = charset.indexOf(';');
            if (end >= 0)
                charset.truncate(end);
            sink->charset = charset.trimmed().replace('"', "").left(40);
        }
    }
    return n;
}

int checkCancel(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* cancel = static_cast<const std::atomic<bool>*>(userData);
    return cancel != nullptr && cancel->load() ? 1 : 0;
}

// Retry-After in seconds, or as an HTTP date; -1 when it says neither.
long retryAfterSeconds(const QByteArray& value) {
    bool number = false;
    const long seconds = value.toLong(&number);
    if (number)
        return std::max(0L, seconds);
    const QDateTime when = QDateTime::fromString(QString::fromLatin1(value), Qt::RFC2822Date);
    return when.isValid()
               ? std::max<long>(0, static_cast<long>(QDateTime::currentDateTimeUtc().secsTo(when)))
               : -1;
}

DownloadResult answered(DownloadResult result, const HeaderSink& headers) {
    result.etag = headers.etag;
    result.lastModified = headers.lastModified;
    result.charset = headers.charset;
    if (result.httpStatus == 429 || result.httpStatus == 503)
        result.retryAfterSeconds = retryAfterSeconds(headers.retryAfter);
    return result;
}

} // namespace

DownloadResult downloadToFile(const QString& url, const QString& targetPath,
                              const DownloadLimits& limits, const DownloadRequest& request) {
    const QByteArray address = encodedAddress(url);
    if (address.isEmpty()) {
        return failure(QStringLiteral("not an http, https or file address"));
    }
    PartFile part;
    if (QString error = part.open(targetPath); !error.isEmpty()) {
        return failure(std::move(error));
    }
    if (!CurlLibrary::ready()) {
        return failure(QStringLiteral("the network library could not be initialised"));
    }
    const EasyHandle curl(curl_easy_init());
    if (!curl) {
        return failure(QStringLiteral("the network library could not start a transfer"));
    }

    BodySink sink;
    sink.file = &part;
    // A negative limit is read as none allowed rather than as no limit at all.
    sink.limit = std::max(0LL, limits.maxBodyBytes);
    char detail[CURL_ERROR_SIZE] = {};

    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, address.constData());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https,file");
    // A web page may send the client elsewhere on the web, never to a local file.
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, std::max(0L, limits.maxRedirects));
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, ""); // every encoding libcurl can decode
    curl_easy_setopt(h, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L); // error pages are not written
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, std::max(0L, limits.connectTimeoutSeconds));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, std::max(0L, limits.lowSpeedBytesPerSecond));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, std::max(0L, limits.lowSpeedSeconds));
    // Refuses an announced over-size body before it starts; 0 would mean no limit, and the
    // body callback enforces that case.
    if (sink.limit > 0) {
        curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(sink.limit));
    }
    // Time limits without signals, which a multi-threaded program cannot use safely.
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &receiveBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    HeaderSink headers;
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &receiveHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &headers);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &checkCancel);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, request.cancel);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, request.cancel != nullptr ? 0L : 1L);
    // Conditional request: the server may answer that the copy held is current.
    const std::unique_ptr<curl_slist, void (*)(curl_slist*)> conditions(
        [&]() -> curl_slist* {
            curl_slist* list = nullptr;
            if (!request.ifNoneMatch.isEmpty())
                list =
                    curl_slist_append(list, ("If-None-Match: " + request.ifNoneMatch).constData());
            if (!request.ifModifiedSince.isEmpty())
                list = curl_slist_append(
                    list, ("If-Modified-Since: " + request.ifModifiedSince).constData());
            return list;
        }(),
        curl_slist_free_all);
    if (conditions)
        curl_easy_setopt(h, CURLOPT_HTTPHEADER, conditions.get());

    const CURLcode code = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (code == CURLE_ABORTED_BY_CALLBACK) {
        return failure(QStringLiteral("cancelled"), status, DownloadFailure::Cancelled);
    }
    if (code == CURLE_OK && status == 304) {
        // Nothing new: the part file goes and the copy held stays as it was.
        DownloadResult result;
        result.ok = true;
        result.notModified = true;
        result.httpStatus = status;
        return answered(result, headers);
    }

    if (sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        return failure(QStringLiteral("body larger than %1 bytes").arg(sink.limit), status);
    }
    if (sink.writeError != 0) {
        return failure(QStringLiteral("cannot write the temporary file: ") +
                           errnoName(sink.writeError),
                       status);
    }
    // Checked apart from libcurl's own verdict too, since it lets some 401 answers through.
    if (code == CURLE_HTTP_RETURNED_ERROR || status >= 400) {
        return answered(failure(QStringLiteral("HTTP status %1").arg(status), status,
                                DownloadFailure::HttpStatus),
                        headers);
    }
    if (code == CURLE_TOO_MANY_REDIRECTS) {
        return failure(QStringLiteral("more than %1 redirects").arg(limits.maxRedirects), status);
    }
    if (code != CURLE_OK) {
        QString error = QString::fromUtf8(curl_easy_strerror(code));
        if (detail[0] != '\0') {
            error += QStringLiteral(": ") + QString::fromUtf8(detail).trimmed();
        }
        return failure(std::move(error), status, failureOf(code));
    }
    if (QString error = part.commit(); !error.isEmpty()) {
        return failure(std::move(error), status);
    }
    DownloadResult result;
    result.ok = true;
    result.httpStatus = status;
    return answered(result, headers);
}

int URLDownloadToFile(const QString& url, const QString& targetPath, const DownloadLimits& limits) {
    return downloadToFile(url, targetPath, limits).ok ? 0 : 1;
}

} // namespace platform::net
