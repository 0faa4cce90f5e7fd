#pragma once
// Small helpers for tests that write files into a fresh temporary folder.
#include "support/QtPrinters.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace testing_support {

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Code page 932 bytes with CR LF line ends, as the program's files are written.
QByteArray cp932Lines(const QStringList& lines);

// A program folder with the data folder layout the installation provides.
class ProgramFolder {
public:
    ProgramFolder() {
        const QString root = dir_.path() + QLatin1Char('/');
        for (const char* sub :
             {"data/profile", "data/brd", "data/log", "data/temp", "data/skin/default"})
            QDir().mkpath(root + QString::fromLatin1(sub));
        writeBytes(root + QStringLiteral("data/skin/default/header.html"), "<html>\r\n");
    }
    QString path() const { return dir_.path() + QLatin1Char('/'); }
    QString file(const char* relative) const { return path() + QString::fromUtf8(relative); }

private:
    QTemporaryDir dir_;
};

} // namespace testing_support
