#pragma once
// What the server said of a downloaded feed document, kept in a hidden file
// beside it (".NAME.xml.http"): its ETag and Last-Modified, sent back so that
// an unchanged feed is not sent again, and the charset it named, which decides
// the document's encoding before its own declaration does.
#include <QByteArray>
#include <QString>

namespace quillet {

struct FeedValidators {
    QByteArray etag;
    QByteArray lastModified;
    QByteArray charset;

    bool operator==(const FeedValidators&) const = default;
};

QString feedValidatorsPath(const QString& documentPath);
// Empty values when the document or the file beside it is missing or unreadable.
FeedValidators readFeedValidators(const QString& documentPath);
// Best effort: a file that cannot be written only costs a full download next time.
void writeFeedValidators(const QString& documentPath, const FeedValidators& validators);

} // namespace quillet
