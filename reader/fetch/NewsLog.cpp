#include "reader/fetch/NewsLog.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "reader/app/ProgramPaths.h"

namespace quillet {

void WriteNewsLog(const QString& logFolder, const QString& feedName, const QStringList& titles) {
    const QString fileName = logFileStem(feedName) + QStringLiteral(".log");
    if (!isStorableFileName(fileName))
        platform::raiseError(platform::err::BadFileName);
    QStringList lines;
    lines.reserve(titles.size());
    for (const QString& title : titles)
        lines << QLatin1Char('"') + title + QLatin1Char('"');
    platform::text::writeLinesAtomic(logFolder + fileName, lines);
}

} // namespace quillet
