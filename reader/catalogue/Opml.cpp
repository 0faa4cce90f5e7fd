#include "reader/catalogue/Opml.h"

#include "platform/controls/TreeViewModel.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include "platform/xml/XmlDocument.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/catalogue/FeedList.h"

#include <QXmlStreamWriter>

namespace quillet {

namespace {

using platform::xml::XmlElement;

const QString PathSeparator = QStringLiteral("／");

QString outlineName(const XmlElement& outline) {
    QString name = outline.attribute(QByteArrayLiteral("text")).trimmed();
    if (name.isEmpty())
        name = outline.attribute(QByteArrayLiteral("title")).trimmed();
    return name;
}

// The kind from the outline's type (and version, which our own export writes).
QString kindOf(const XmlElement& outline) {
    const QString type = outline.attribute(QByteArrayLiteral("type")).toLower();
    if (type == QLatin1String("link"))
        return image::WebSite;
    const QString version = outline.attribute(QByteArrayLiteral("version")).toUpper();
    if (version == QLatin1String("RSS1") || type == QLatin1String("rdf"))
        return image::Rdf;
    if (version == QLatin1String("DOC"))
        return image::Document;
    return image::Rss;
}

class OutlineReader {
public:
    OutlineReader(OpmlOutline& outline, QString looseFolder)
        : outline_(outline), looseFolder_(std::move(looseFolder)) {}

    // `path` holds the folder names from the body down to this outline's parent.
    void read(const XmlElement& parent, const QStringList& path) {
        for (XmlElement child = parent.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (child.localName() != QLatin1String("outline"))
                continue;
            QString address = child.attribute(QByteArrayLiteral("xmlUrl")).trimmed();
            if (address.isEmpty() &&
                child.attribute(QByteArrayLiteral("type")).toLower() == QLatin1String("link"))
                address = child.attribute(QByteArrayLiteral("url")).trimmed();
            if (!address.isEmpty()) {
                addFeed(child, address, path);
                continue;
            }
            QString name = outlineName(child);
            if (name.isEmpty())
                name = looseFolder_;
            const QStringList folderPath = path + QStringList{name};
            place(folderPath);
            read(child, folderPath);
        }
    }

private:
    // The two levels the tree holds: the root folder, and below it one
    // sub-folder named by the rest of the path. Each folder is recorded where
    // it is first met.
    OpmlFolder place(const QStringList& path) {
        OpmlFolder folder;
        folder.folder = path.isEmpty() ? looseFolder_ : path.front();
        folder.subFolder = path.size() > 1 ? path.mid(1).join(PathSeparator) : QString();
        addFolder({folder.folder, QString()});
        if (!folder.subFolder.isEmpty())
            addFolder(folder);
        return folder;
    }

    void addFolder(const OpmlFolder& folder) {
        for (const OpmlEntry& known : outline_.entries) {
            if (!known.isFeed() && known.place.folder == folder.folder &&
                known.place.subFolder == folder.subFolder)
                return;
        }
        outline_.entries.push_back({folder, {}, {}, {}});
    }

    void addFeed(const XmlElement& element, const QString& address, const QStringList& path) {
        OpmlEntry feed;
        feed.place = place(path);
        feed.name = outlineName(element);
        if (feed.name.isEmpty())
            feed.name = address;
        feed.address = address;
        feed.kind = kindOf(element);
        outline_.entries.push_back(feed);
    }

    OpmlOutline& outline_;
    QString looseFolder_;
};

XmlElement childNamed(const XmlElement& parent, const char* name) {
    for (XmlElement child = parent.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.localName() == QLatin1String(name))
            return child;
    }
    return {};
}

void writeFeed(QXmlStreamWriter& xml, const platform::controls::TreeViewModel& tree, int node) {
    const QString kind = tree.image(node);
    xml.writeEmptyElement(QStringLiteral("outline"));
    xml.writeAttribute(QStringLiteral("text"), tree.text(node));
    xml.writeAttribute(QStringLiteral("title"), tree.text(node));
    if (kind == image::WebSite) {
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("link"));
        xml.writeAttribute(QStringLiteral("url"), tree.key(node));
        return;
    }
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("rss"));
    if (kind == image::Rdf)
        xml.writeAttribute(QStringLiteral("version"), QStringLiteral("RSS1"));
    else if (kind == image::Document)
        xml.writeAttribute(QStringLiteral("version"), QStringLiteral("DOC"));
    xml.writeAttribute(QStringLiteral("xmlUrl"), tree.key(node));
}

void writeFolder(QXmlStreamWriter& xml, const platform::controls::TreeViewModel& tree, int node) {
    xml.writeStartElement(QStringLiteral("outline"));
    xml.writeAttribute(QStringLiteral("text"), tree.text(node));
    xml.writeAttribute(QStringLiteral("title"), tree.text(node));
    for (int child : tree.childrenOf(node)) {
        if (isFolderImage(tree.image(child)))
            writeFolder(xml, tree, child);
        else
            writeFeed(xml, tree, child);
    }
    xml.writeEndElement();
}

// The folder of that name directly below the parent (0 for the top), 0 when none.
int folderNamed(const platform::controls::TreeViewModel& tree, int parent, const QString& name) {
    const QList<int> nodes = parent == 0 ? tree.topLevelNodes() : tree.childrenOf(parent);
    for (int node : nodes) {
        if (isFolderImage(tree.image(node)) && tree.text(node) == name)
            return node;
    }
    return 0;
}

int ensureFolder(platform::controls::TreeViewModel& tree, int parent, const QString& name,
                 int& added) {
    if (const int existing = folderNamed(tree, parent, name))
        return existing;
    const QString parentKey = parent == 0 ? QString() : tree.key(parent);
    if (AddFolderNode(tree, parentKey, name) != 0)
        platform::raiseError(platform::err::KeyNotUnique);
    ++added;
    // The new folder is the last of that name below its parent.
    const QList<int> nodes = parent == 0 ? tree.topLevelNodes() : tree.childrenOf(parent);
    for (auto it = nodes.crbegin(); it != nodes.crend(); ++it) {
        if (tree.text(*it) == name && isFolderImage(tree.image(*it)))
            return *it;
    }
    platform::raiseError(platform::err::ElementNotFound);
}

} // namespace

bool ReadOpml(const QString& path, OpmlOutline& outline, QString* reason) {
    platform::xml::XmlDocument document;
    if (!document.load(path)) {
        *reason = document.parseError();
        return false;
    }
    const XmlElement root = document.documentElement();
    const XmlElement body = childNamed(root, "body");
    if (root.localName() != QLatin1String("opml") || body.isNull()) {
        *reason = QStringLiteral("no OPML document");
        return false;
    }
    QString title = childNamed(childNamed(root, "head"), "title").text();
    if (title.isEmpty())
        title = QStringLiteral("インポート");
    OpmlOutline read;
    OutlineReader(read, title).read(body, {});
    outline = std::move(read);
    return true;
}

QByteArray OpmlDocument(const platform::controls::TreeViewModel& tree) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("opml"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("head"));
    xml.writeTextElement(QStringLiteral("title"), QStringLiteral("Quillet"));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("body"));
    for (int node : tree.topLevelNodes()) {
        if (isFolderImage(tree.image(node)))
            writeFolder(xml, tree, node);
        else
            writeFeed(xml, tree, node);
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

void ExportOpml(const platform::controls::TreeViewModel& tree, const QString& path) {
    platform::text::replaceFileAtomic(path, OpmlDocument(tree));
}

OpmlImportCount ImportOpml(platform::controls::TreeViewModel& tree, const OpmlOutline& outline) {
    OpmlImportCount count;
    for (const OpmlEntry& entry : outline.entries) {
        if (entry.isFeed() && tree.containsKey(entry.address)) {
            ++count.skipped;
            continue;
        }
        const int root = ensureFolder(tree, 0, entry.place.folder, count.folders);
        const int parent = entry.place.subFolder.isEmpty()
                               ? root
                               : ensureFolder(tree, root, entry.place.subFolder, count.folders);
        if (entry.isFeed()) {
            tree.addNode(tree.key(parent), entry.address, entry.name, entry.kind);
            ++count.feeds;
        }
    }
    return count;
}

} // namespace quillet
