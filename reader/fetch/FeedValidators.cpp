#include "reader/fetch/FeedValidators.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"

#include <QFileInfo>

namespace quillet {

QString feedValidatorsPath(const QString& documentPath) {
    const QFileInfo document(documentPath);
    return document.path() + QStringLiteral("/.") + document.fileName() + QStringLiteral(".http");
}

FeedValidators readFeedValidators(const QString& documentPath) {
    FeedValidators validators;
    // Without the document there is nothing to validate.
    if (!platform::text::fileExists(documentPath) ||
        !platform::text::fileExists(feedValidatorsPath(documentPath)))
        return validators;
    try {
        const QByteArray bytes = platform::text::readFileBytes(feedValidatorsPath(documentPath));
        for (const QByteArray& line : bytes.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            const QByteArray name = line.left(colon).trimmed();
            const QByteArray value = line.mid(colon + 1).trimmed().left(1024);
            if (name == "ETag")
                validators.etag = value;
            else if (name == "Last-Modified")
                validators.lastModified = value;
            else if (name == "Charset")
                validators.charset = value;
        }
    } catch (const platform::RuntimeError&) {
        return {};
    }
    return validators;
}

void writeFeedValidators(const QString& documentPath, const FeedValidators& validators) {
    const auto clean = [](QByteArray value) { return value.replace('\r', "").replace('\n', ""); };
    const QByteArray bytes = "ETag: " + clean(validators.etag) +
                             "\r\nLast-Modified: " + clean(validators.lastModified) +
                             "\r\nCharset: " + clean(validators.charset) + "\r\n";
    try {
        platform::text::replaceFileAtomic(feedValidatorsPath(documentPath), bytes, false);
    } catch (const platform::RuntimeError&) {
    }
}

} // namespace quillet
