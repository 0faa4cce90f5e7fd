#include "reader/fetch/AtomEntries.h"

#include "platform/xml/XmlDocument.h"
#include "reader/fetch/ArticleDates.h"
#include "reader/fetch/ArticleRows.h"

#include <QTextDocumentFragment>
#include <QUrl>

namespace quillet {

namespace {

using platform::xml::XmlElement;

XmlElement childNamed(const XmlElement& parent, const char* localName) {
    for (XmlElement child = parent.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.localName() == QLatin1String(localName))
            return child;
    }
    return {};
}

// Atom 1.0 says "text", "html" or "xhtml"; 0.3 gave a MIME type and a mode.
enum class ContentKind { Text, Html, Xhtml };

ContentKind contentKind(const XmlElement& element) {
    const QString type = element.attribute(QByteArrayLiteral("type")).toLower();
    const QString mode = element.attribute(QByteArrayLiteral("mode")).toLower();
    if (type == QLatin1String("xhtml") || type == QLatin1String("application/xhtml+xml") ||
        mode == QLatin1String("xml"))
        return ContentKind::Xhtml;
    if (type == QLatin1String("html") || type == QLatin1String("text/html") ||
        mode == QLatin1String("escaped"))
        return ContentKind::Html;
    return ContentKind::Text;
}

// XHTML content is wrapped in one div, which is not part of the content.
XmlElement xhtmlBody(const XmlElement& element) {
    const XmlElement div = element.firstChild();
    return !div.isNull() && div.localName() == QLatin1String("div") && div.nextSibling().isNull()
               ? div
               : element;
}

QString plainText(const XmlElement& element) {
    switch (contentKind(element)) {
    case ContentKind::Html:
        return QTextDocumentFragment::fromHtml(element.text()).toPlainText().trimmed();
    case ContentKind::Xhtml:
        return xhtmlBody(element).text();
    case ContentKind::Text:
        break;
    }
    return element.text();
}

// Markup for the page, as an RSS description gives it: HTML as written, XHTML
// serialized, plain text escaped so that it shows as written.
QString markup(const XmlElement& element) {
    switch (contentKind(element)) {
    case ContentKind::Html:
        return element.text();
    case ContentKind::Xhtml:
        return xhtmlBody(element).innerMarkup();
    case ContentKind::Text:
        break;
    }
    return element.text().toHtmlEscaped();
}

// The alternate link (a link without rel is one), resolved against the
// element's xml:base and the feed's address.
QString alternateLink(const XmlElement& entry, const QString& documentAddress) {
    for (XmlElement child = entry.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.localName() != QLatin1String("link"))
            continue;
        const QString rel = child.attribute(QByteArrayLiteral("rel"));
        if (!rel.isEmpty() && rel != QLatin1String("alternate"))
            continue;
        const QString href = child.attribute(QByteArrayLiteral("href"));
        if (href.isEmpty())
            continue;
        const QUrl base(child.baseAddress(documentAddress));
        return base.isEmpty() ? href : base.resolved(QUrl(href)).toString();
    }
    return {};
}

QString authorName(const XmlElement& parent) {
    const XmlElement author = childNamed(parent, "author");
    return author.isNull() ? QString() : childNamed(author, "name").text();
}

QString firstText(const XmlElement& parent, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const XmlElement element = childNamed(parent, name);
        if (!element.isNull())
            return element.text();
    }
    return {};
}

} // namespace

Article atomEntry(const XmlElement& entry, const QString& feedAuthor,
                  const QString& documentAddress) {
    Article article;
    const XmlElement title = childNamed(entry, "title");
    if (!title.isNull())
        article.title = plainText(title);
    article.link = alternateLink(entry, documentAddress);
    XmlElement description = childNamed(entry, "summary");
    if (description.isNull())
        description = childNamed(entry, "content");
    if (!description.isNull())
        article.description = markup(description);
    // 1.0 names them updated and published; 0.3 modified, issued and created.
    article.date = shownArticleDate(
        firstText(entry, {"updated", "published", "modified", "issued", "created"}));
    article.creator = authorName(entry);
    if (article.creator.isEmpty())
        article.creator = feedAuthor;
    return article;
}

void addAtomEntries(const XmlElement& feed, ArticleRows& rows, const QString& documentAddress) {
    const QString feedAuthor = authorName(feed);
    for (XmlElement child = feed.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.localName() == QLatin1String("entry") && child.hasChildElements())
            rows.add(atomEntry(child, feedAuthor, documentAddress));
    }
}

} // namespace quillet
