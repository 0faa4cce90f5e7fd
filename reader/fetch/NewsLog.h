#pragma once
// The news log of a feed: "data/log/" + feed name + ".log", one quoted title a
// line. Nothing reads it back; it records what the feed held when last parsed.
#include <QString>
#include <QStringList>

namespace quillet {

// Replaces the log atomically; raises when it cannot be written, or when the feed
// name cannot be a file name of its own (nothing is written outside the folder).
void WriteNewsLog(const QString& logFolder, const QString& feedName, const QStringList& titles);

} // namespace quillet
