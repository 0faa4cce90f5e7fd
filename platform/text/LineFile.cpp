#include "platform/text/LineFile.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/text/Codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::text {

namespace {

// A file descriptor closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the result: on some file systems a write error only
    // shows at close.
    int close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

// Removes a temporary file unless it was renamed into place.
class TempFileGuard {
public:
    explicit TempFileGuard(QByteArray path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (!path_.isEmpty()) {
            ::unlink(path_.constData());
        }
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;
    void release() { path_.clear(); }

private:
    QByteArray path_;
};

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

// The runtime's number for an operating system error while using a file.
int errorNumberFor(int error) {
    switch (error) {
    case ENOENT:
        return err::FileNotFound;
    case ENOTDIR:
        return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return err::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return err::DiskFull;
    case EIO:
        return err::DeviceIoError;
    case ENAMETOOLONG:
        return err::BadFileName;
    default:
        return err::PathFileAccessError;
    }
}

QString parentFolder(const QString& path) {
    const QFileInfo info(path);
    return info.absolutePath();
}

bool writeAll(int fd, const QByteArray& bytes) {
    return writeAllBytes(fd, bytes.constData(), bytes.size());
}

// "*" any run of characters, "?" one character, everything else itself without
// regard to case.
bool wildcardMatch(QStringView name, QStringView pattern) {
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

QString linkTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        if (!target.isEmpty()) {
            return target;
        }
    }
    return path;
}

QByteArray readFileBytes(const QString& path) {
    if (path.isEmpty()) {
        raiseError(err::BadFileName);
    }
    if (!folderExists(parentFolder(path))) {
        raiseError(err::PathNotFound);
    }
    Fd fd(::open(nativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        raiseError(errorNumberFor(errno));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        raiseError(errorNumberFor(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        raiseError(err::PathFileAccessError);
    }
    if (st.st_size > kMaxReadFileBytes) {
        raiseError(err::OutOfMemory);
    }
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            raiseError(errorNumberFor(errno));
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + n > kMaxReadFileBytes) {
            raiseError(err::OutOfMemory); // the file grew while it was read
        }
        bytes.append(buffer, static_cast<qsizetype>(n));
    }
    return bytes;
}

QStringList readLines(const QString& path) {
    const QString text = decodeFileBytes(readFileBytes(path));
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) {
            lines.append(text.mid(start));
            break;
        }
        // CR LF and LF end a line; a CR elsewhere is part of the line.
        const qsizetype cut = (end > start && text[end - 1] == u'\r') ? end - 1 : end;
        lines.append(text.mid(start, cut - start));
        start = end + 1;
    }
    return lines;
}

void replaceFileAtomic(const QString& path, const QByteArray& bytes, bool flushToDisk) {
    if (path.isEmpty()) {
        raiseError(err::BadFileName);
    }
    const QString target = linkTarget(path);
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    if (!folderExists(folder)) {
        raiseError(err::PathNotFound);
    }

    mode_t mode = 0666; // narrowed by the umask for a new file
    bool keepMode = false;
    struct stat st {};
    if (::stat(nativePath(target).constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            raiseError(err::PathFileAccessError);
        }
        // A read-only file is one its owner chose not to have changed; renaming
        // over it would succeed here, so refuse explicitly.
        if ((st.st_mode & S_IWUSR) == 0) {
            raiseError(err::PathFileAccessError);
        }
        mode = st.st_mode & 07777;
        keepMode = true;
    }

    // A hidden temporary beside the target, so the rename stays on one file
    // system and listFiles never sees it.
    QByteArray tempPath;
    int fdNumber = -1;
    for (int attempt = 0; attempt < 100 && fdNumber < 0; ++attempt) {
        tempPath = nativePath(folder + QLatin1Char('/') + QLatin1Char('.') + targetInfo.fileName() +
                              QLatin1String(".tmp") +
                              QString::number(QRandomGenerator::global()->generate(), 36));
        fdNumber = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fdNumber < 0 && errno != EEXIST) {
            raiseError(errorNumberFor(errno));
        }
    }
    if (fdNumber < 0) {
        raiseError(err::PathFileAccessError);
    }
    Fd fd(fdNumber);
    TempFileGuard guard(tempPath);

    if (keepMode) {
        // Best effort: the umask must not narrow an existing file's permissions.
        (void)::fchmod(fd.get(), mode);
    }
    if (!writeAll(fd.get(), bytes) || (flushToDisk && ::fsync(fd.get()) != 0) || fd.close() != 0) {
        raiseError(errorNumberFor(errno));
    }
    if (::rename(tempPath.constData(), nativePath(target).constData()) != 0) {
        raiseError(errorNumberFor(errno));
    }
    guard.release();
    removeStaleTemporaries(folder,
                           QLatin1Char('.') + targetInfo.fileName() + QLatin1String(".tmp"));

    // Make the rename itself durable; a failure here leaves a complete file.
    if (flushToDisk) {
        Fd dir(::open(nativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.valid()) {
            (void)::fsync(dir.get());
        }
    }
}

void removeStaleTemporaries(const QString& folder, const QString& namePrefix) {
    const QByteArray prefix = nativePath(namePrefix);
    DIR* dir = ::opendir(nativePath(folder).constData());
    if (dir == nullptr) {
        return;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.constData(),
                         static_cast<std::size_t>(prefix.size())) == 0) {
            (void)::unlinkat(dirFd, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

void writeLinesAtomic(const QString& path, const QStringList& lines) {
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines) {
        size += line.size() + 2;
    }
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    replaceFileAtomic(path, encodeFileText(text));
}

bool writeAllBytes(int fd, const char* data, qsizetype size) {
    std::size_t left = static_cast<std::size_t>(size);
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

void appendFileBytes(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) {
        raiseError(err::BadFileName);
    }
    const int fd =
        ::open(nativePath(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        raiseError(errorNumberFor(errno));
    }
    const bool written = writeAll(fd, bytes);
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        raiseError(errorNumberFor(written ? errno : writeError));
    }
}

bool fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool folderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void deleteFile(const QString& path) {
    if (!fileExists(path)) {
        raiseError(err::FileNotFound);
    }
    struct stat st {};
    // Read-only files are protected from deletion, as they are from rewriting.
    if (::stat(nativePath(path).constData(), &st) == 0 && (st.st_mode & S_IWUSR) == 0) {
        raiseError(err::PathFileAccessError);
    }
    if (::unlink(nativePath(path).constData()) != 0) {
        raiseError(errno == ENOENT ? err::FileNotFound : err::PathFileAccessError);
    }
}

QStringList listFiles(const QString& folder, const QString& pattern) {
    QStringList names;
    if (!folderExists(folder)) {
        return names;
    }
    // "*.*" asks for every file, also one without a dot in its name.
    const QString effective =
        pattern.isEmpty() || pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (wildcardMatch(name, effective)) {
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.compare(b, Qt::CaseSensitive) < 0;
    });
    return names;
}

} // namespace platform::text
