#include "reader/fetch/FeedParser.h"

#include "platform/controls/ListViewModel.h"
#include "platform/runtime/EventLoop.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/xml/XmlDocument.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/fetch/ArticleDates.h"
#include "reader/fetch/ArticleRows.h"
#include "reader/fetch/AtomEntries.h"
#include "reader/fetch/FeedShape.h"
#include "reader/fetch/FeedValidators.h"
#include "reader/fetch/NewsLog.h"
#include "reader/mainwindow/MainWindowModel.h"

#include <array>

namespace quillet {

namespace {

using platform::xml::XmlElement;

// PubDate and DcDate stand in for a missing "date" element of kind "XML".
enum Field { Title, Link, Description, Date, Creator, PubDate, DcDate, FieldCount };

// The element names each field accepts, tested in field order: the first field
// whose names match takes the child.
class FieldNames {
public:
    void accept(Field field, const QString& name) {
        if (!name.isEmpty())
            names_[field][count_[field]++] = name.toUtf8();
    }
    int fieldOf(const XmlElement& element) const {
        for (int field = 0; field < FieldCount; ++field) {
            for (int i = 0; i < count_[field]; ++i) {
                if (element.nameIs(names_[field][i]))
                    return field;
            }
        }
        return -1;
    }

private:
    std::array<std::array<QByteArray, 2>, FieldCount> names_;
    std::array<int, FieldCount> count_ = {};
};

FieldNames rssNames() {
    FieldNames names;
    names.accept(Title, QStringLiteral("title"));
    names.accept(Link, QStringLiteral("link"));
    names.accept(Description, QStringLiteral("description"));
    names.accept(Date, QStringLiteral("date"));
    names.accept(PubDate, QStringLiteral("pubDate"));
    names.accept(DcDate, QStringLiteral("dc:date"));
    return names;
}

FieldNames rdfNames(const XmlNameOverrides& overrides) {
    FieldNames names;
    names.accept(Title, QStringLiteral("title"));
    names.accept(Title, overrides.xTitle);
    names.accept(Link, QStringLiteral("link"));
    names.accept(Link, overrides.xLink);
    names.accept(Description, QStringLiteral("description"));
    names.accept(Description, overrides.xDescription);
    names.accept(Date, QStringLiteral("dc:date"));
    names.accept(Date, overrides.xDate);
    names.accept(Creator, QStringLiteral("dc:creator"));
    names.accept(Creator, overrides.xCreator);
    return names;
}

// The item's fields from its children; when several children name one field,
// the last one wins.
Article readItem(const XmlElement& item, const FieldNames& names) {
    Article article;
    bool hasDate = false;
    // Read only when no "date" element comes: most items that carry one carry both.
    XmlElement standInDate;
    for (XmlElement child = item.firstChild(); !child.isNull(); child = child.nextSibling()) {
        switch (names.fieldOf(child)) {
        case Title:
            article.title = child.text();
            break;
        case Link:
            article.link = child.text();
            break;
        case Description:
            article.description = child.text();
            break;
        case Date:
            article.date = child.text();
            hasDate = true;
            break;
        case PubDate:
        case DcDate:
            standInDate = child;
            break;
        case Creator:
            article.creator = child.text();
            break;
        default:
            break;
        }
    }
    // RSS 2.0 items carry their date in pubDate, some in dc:date; without a
    // "date" element the list shows that one, in its own format when it can
    // be read.
    if (!hasDate && !standInDate.isNull()) {
        const QString written = standInDate.text();
        if (!written.isEmpty())
            article.date = shownArticleDate(written);
    }
    return article;
}

bool isNonEmptyItem(const XmlElement& element) {
    return element.nameIs(QByteArrayLiteral("item")) && element.hasChildElements();
}

// The steps both parsers share: the document is loaded before the list is
// emptied, so a broken document leaves the list as it was; the walk over the
// items differs by kind; the news log follows a parse that listed something.
template <typename Walk>
std::int32_t parseFeed(const QString& path, platform::controls::ListViewModel& list,
                       const FeedParseContext& context, Walk walk) {
    try {
        platform::xml::XmlDocument document;
        if (!document.load(path, context.transportCharset))
            return -1;
        if (context.report != nullptr)
            *context.report = {document.namedEncoding(), document.usedEncoding()};
        list.clear();
        const XmlElement root = document.documentElement();
        if (!root.hasChildElements())
            return 0;
        platform::yieldOnce();
        ArticleRows rows(list, context.readTitles, context.feedName);
        rows.setFilter(context.filter);
        walk(root, rows);
        if (rows.added() > 0 && !context.feedName.isEmpty() && !context.logFolder.isEmpty())
            WriteNewsLog(context.logFolder, context.feedName, rows.titles());
        return 0;
    } catch (const platform::RuntimeError&) {
        return -1;
    }
}

} // namespace

std::int32_t ParseXmlFeed(const QString& path, platform::controls::ListViewModel& list,
                          const FeedParseContext& context) {
    return parseFeed(path, list, context, [](const XmlElement& root, ArticleRows& rows) {
        const FieldNames names = rssNames();
        // Items lie two levels down: below any child of the root that has children.
        for (XmlElement channel = root.firstChild(); !channel.isNull();
             channel = channel.nextSibling()) {
            for (XmlElement item = channel.firstChild(); !item.isNull();
                 item = item.nextSibling()) {
                if (!isNonEmptyItem(item))
                    continue;
                const Article article = readItem(item, names);
                if (!article.title.isEmpty() && !article.link.isEmpty())
                    rows.add(article);
            }
        }
    });
}

std::int32_t ParseXml2Feed(const QString& path, platform::controls::ListViewModel& list,
                           const FeedParseContext& context) {
    return parseFeed(path, list, context, [&context](const XmlElement& root, ArticleRows& rows) {
        const FieldNames names = rdfNames(context.names);
        for (XmlElement item = root.firstChild(); !item.isNull(); item = item.nextSibling()) {
            if (isNonEmptyItem(item))
                rows.add(readItem(item, names));
        }
    });
}

std::int32_t ParseAtomFeed(const QString& path, platform::controls::ListViewModel& list,
                           const FeedParseContext& context) {
    return parseFeed(path, list, context, [&context](const XmlElement& root, ArticleRows& rows) {
        addAtomEntries(root, rows, context.address);
    });
}

std::int32_t ParseFeedOfKind(const QString& kind, const QString& path,
                             platform::controls::ListViewModel& list,
                             const FeedParseContext& context) {
    using Parser = std::int32_t (*)(const QString&, platform::controls::ListViewModel&,
                                    const FeedParseContext&);
    const Parser chosen = kind == image::Rdf ? ParseXml2Feed : ParseXmlFeed;
    const std::int32_t result = chosen(path, list, context);
    if (result != 0 || list.count() > 0)
        return result;
    // Nothing listed: a document of another shape is read by the parser that
    // fits it. Only this case loads the document a second time.
    platform::xml::XmlDocument document;
    if (!document.load(path, context.transportCharset))
        return result;
    Parser fitting = chosen;
    switch (feedShapeOf(document.documentElement())) {
    case FeedShape::Rss:
        fitting = ParseXmlFeed;
        break;
    case FeedShape::Rdf:
        fitting = ParseXml2Feed;
        break;
    case FeedShape::Atom:
        fitting = ParseAtomFeed;
        break;
    case FeedShape::Unknown:
        break;
    }
    return fitting == chosen ? result : fitting(path, list, context);
}

std::int32_t ParseSelectedFeed(AppState& app, MainWindowModel& window) {
    const int selected = window.tvw1.selectedIndex();
    if (selected == 0)
        return 0;
    const QString kind = window.tvw1.image(selected);
    if (kind != image::Rss && kind != image::Rdf)
        return 0;
    FeedParseContext context{app.CurrentFeedName, &app.newsHistory, app.settings.xml,
                             app.file(paths::LogFolder), &app.settings.filter};
    context.address = window.tvw1.key(selected);
    context.transportCharset = readFeedValidators(app.CurrentFeedFile).charset;
    context.report = &app.lastParseReport;
    app.lastParseReport = {};
    return ParseFeedOfKind(kind, app.CurrentFeedFile, window.lvw1, context);
}

} // namespace quillet
