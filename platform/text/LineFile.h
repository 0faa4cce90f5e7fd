#pragma once
// Whole-file reading and writing of line files. Lines are ended by CR LF when
// written; reading accepts CR LF and LF alone. Every failure raises a
// RuntimeError with the runtime's file error numbers (53 file not found, 76 path
// not found, 75 path/file access error, 70 permission denied, 57 device I/O).
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform::text {

// Files the program reads whole are never larger than this; a larger one raises 7
// instead of taking the memory (a list of millions of lines is far below it).
constexpr qsizetype kMaxReadFileBytes = qsizetype(256) << 20;

QByteArray readFileBytes(const QString& path);
// The file's lines, decoded by decodeFileBytes. A final line ending does not
// make an extra empty line.
QStringList readLines(const QString& path);

// Writes the bytes to a temporary file in the same folder, then renames it over
// the target, so a failure never leaves half a file. The folder must exist.
// flushToDisk waits for the disk before the rename, so a crash cannot leave the
// new name with missing contents; files made again on every use skip it.
void replaceFileAtomic(const QString& path, const QByteArray& bytes, bool flushToDisk = true);
// Every line followed by CR LF, encoded by encodeFileText, replaced atomically.
void writeLinesAtomic(const QString& path, const QStringList& lines);

// Appends the bytes to the file, creating it when missing; the folder must exist.
// Raises with the file error numbers on failure.
void appendFileBytes(const QString& path, const QByteArray& bytes);

// Writes every byte to the open descriptor, going on after interruptions.
// False with errno set when the bytes could not all be written.
bool writeAllBytes(int fd, const char* data, qsizetype size);

// Removes the hidden temporary files that writes of one target left behind when
// their process was killed before the rename: every file of the folder whose
// name begins with the prefix (".Newslist.brd.tmp"). Failures are ignored.
void removeStaleTemporaries(const QString& folder, const QString& namePrefix);

// Where a path really leads: the target of a symbolic link, else the path
// itself. A file reached through a link is replaced there, so the link stays.
QString linkTarget(const QString& path);

bool fileExists(const QString& path);   // a regular file
bool folderExists(const QString& path); // a directory
// Deletes one file; raises 53 when it is missing, 75 when it cannot be removed.
void deleteFile(const QString& path);
// Names (not paths) of the regular files in folder matching a "*.xml" style
// pattern (case-insensitive), in alphabetical order.
QStringList listFiles(const QString& folder, const QString& pattern);

} // namespace platform::text
