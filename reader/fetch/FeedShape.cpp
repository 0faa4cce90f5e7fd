#include "reader/fetch/FeedShape.h"

#include "platform/xml/XmlDocument.h"

namespace quillet {

namespace {

bool isItem(const platform::xml::XmlElement& element) {
    return element.nameIs(QByteArrayLiteral("item")) && element.hasChildElements();
}

} // namespace

FeedShape feedShapeOf(const platform::xml::XmlElement& root) {
    if (root.isNull())
        return FeedShape::Unknown;
    const QString ns = root.namespaceUri();
    if (root.localName() == QLatin1String("feed") &&
        (ns.isEmpty() || ns == QLatin1String("http://www.w3.org/2005/Atom") ||
         ns == QLatin1String("http://purl.org/atom/ns#")))
        return FeedShape::Atom;
    for (auto child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (isItem(child))
            return FeedShape::Rdf;
    }
    for (auto child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
        for (auto item = child.firstChild(); !item.isNull(); item = item.nextSibling()) {
            if (isItem(item))
                return FeedShape::Rss;
        }
    }
    return FeedShape::Unknown;
}

} // namespace quillet
