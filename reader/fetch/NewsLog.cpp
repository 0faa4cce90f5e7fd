#include "reader/fetch/NewsLog.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/text/Codepage.h"
#include "platform/text/LineFile.h"
#include "reader/app/ProgramPaths.h"

namespace quillet {

void WriteNewsLog(const QString& logFolder, const QString& feedName, const QStringList& titles) {
    const QString fileName = logFileStem(feedName) + QStringLiteral(".log");
    if (!isStorableFileName(fileName))
        platform::raiseError(platform::err::BadFileName);
    qsizetype size = 0;
    for (const QString& title : titles)
        size += title.size() + 4;
    QString text;
    text.reserve(size);
    for (const QString& title : titles) {
        text += QLatin1Char('"');
        text += title;
        text += QLatin1String("\"\r\n");
    }
    // Replaced whole, so a reader sees the old log or the new one, but not
    // flushed to disk first: nothing reads the log back, the next parse writes
    // it again, and waiting for the disk would hold up every opening of a feed.
    platform::text::replaceFileAtomic(logFolder + fileName, platform::text::encodeFileText(text),
                                      false);
}

} // namespace quillet
