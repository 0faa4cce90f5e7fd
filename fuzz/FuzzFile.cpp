#include "FuzzFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace fuzzing {

namespace {

QTemporaryDir& folder() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/quillet-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/quillet-fuzz-XXXXXX"));
    return dir;
}

} // namespace

QString inputFile(const std::uint8_t* data, std::size_t size) {
    const QString path = folder().filePath(QStringLiteral("input"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

QString outputFolder() {
    const QString path = folder().filePath(QStringLiteral("out"));
    QDir().mkpath(path);
    return path + QLatin1Char('/');
}

} // namespace fuzzing
