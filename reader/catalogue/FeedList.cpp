#include "reader/catalogue/FeedList.h"

#include "platform/controls/TreeViewModel.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/Codepage.h"
#include "platform/text/LineFile.h"
#include "reader/catalogue/FeedKinds.h"

#include <limits>

namespace quillet {

namespace {

const QString RootFolderMarker = QStringLiteral("ROOT_FOLDER");
const QString SubFolderMarker = QStringLiteral("ADD_NEW_FOLDER");
const QString FeedMarker = QStringLiteral("CHILD_NODE");

// Reads comma-separated fields the way sequential file input does: a field in
// double quotes ends at the next double quote, an unquoted one at the next comma
// or line end; a comma or a line end ends a field, so a record may span lines.
class FieldReader {
public:
    explicit FieldReader(QString text) : text_(std::move(text)) {}

    bool atEnd() const {
        for (qsizetype i = pos_; i < text_.size(); ++i) {
            if (!text_[i].isSpace())
                return false;
        }
        return true;
    }

    QString next() {
        skipBlanks();
        if (pos_ >= text_.size())
            platform::raiseError(platform::err::InputPastEnd);
        QString field;
        if (text_[pos_] == QLatin1Char('"')) {
            const qsizetype close = text_.indexOf(QLatin1Char('"'), pos_ + 1);
            const qsizetype end = close < 0 ? text_.size() : close;
            field = text_.mid(pos_ + 1, end - pos_ - 1);
            pos_ = close < 0 ? text_.size() : close + 1;
            // Anything between the closing quote and the delimiter is dropped.
            while (pos_ < text_.size() && !isDelimiter(text_[pos_]))
                ++pos_;
        } else {
            const qsizetype start = pos_;
            while (pos_ < text_.size() && !isDelimiter(text_[pos_]))
                ++pos_;
            field = text_.mid(start, pos_ - start);
            while (field.endsWith(QLatin1Char(' ')) || field.endsWith(QLatin1Char('\t')))
                field.chop(1);
        }
        consumeDelimiter();
        return field;
    }

private:
    static bool isDelimiter(QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    }
    void skipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == QLatin1Char(' ') || text_[pos_] == QLatin1Char('\t')))
            ++pos_;
    }
    void consumeDelimiter() {
        if (pos_ >= text_.size())
            return;
        if (text_[pos_] == QLatin1Char('\r')) {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\n'))
                ++pos_;
        } else {
            ++pos_;
        }
    }

    QString text_;
    qsizetype pos_ = 0;
};

QString quoted(const QString& field) {
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString record(const QString& a, const QString& b, const QString& c, const QString& d) {
    return quoted(a) + QLatin1Char(',') + quoted(b) + QLatin1Char(',') + quoted(c) +
           QLatin1Char(',') + quoted(d);
}

// The format has no escape for a double quote: a display name keeps its meaning
// with the full-width quote, and a URL stays the same address with "%22".
QString storableName(const QString& name) {
    QString result = name;
    return result.replace(QLatin1Char('"'), QChar(0xFF02));
}
QString storableUrl(const QString& url) {
    QString result = url;
    return result.replace(QLatin1Char('"'), QStringLiteral("%22"));
}

void appendNodeRecord(const platform::controls::TreeViewModel& tree, int index,
                      QStringList& lines) {
    const QString image = tree.image(index);
    const QString name = storableName(tree.text(index));
    const QString key = storableUrl(tree.key(index));
    if (isFolderImage(image)) {
        const bool root = key.startsWith(QLatin1String("root_"));
        lines << record(name, root ? RootFolderMarker : SubFolderMarker, key, QString());
    } else {
        const int kind = kindNumberOfCode(image);
        lines << record(name, key, FeedMarker, QString::number(kind < 0 ? 0 : kind));
    }
}

// A folder's own feeds come right after its record and before its sub-folders,
// because the reader attaches each feed to the folder record read last.
void appendFolder(const platform::controls::TreeViewModel& tree, int folder, QStringList& lines) {
    appendNodeRecord(tree, folder, lines);
    const QList<int> children = tree.childrenOf(folder);
    for (int child : children) {
        if (!isFolderImage(tree.image(child)))
            appendNodeRecord(tree, child, lines);
    }
    for (int child : children) {
        if (isFolderImage(tree.image(child)))
            appendFolder(tree, child, lines);
    }
}

} // namespace

QString feedRecordLine(const QString& name, const QString& url, const QString& kindField) {
    return record(storableName(name), storableUrl(url), FeedMarker, kindField);
}

std::int16_t LoadFeedList(platform::controls::TreeViewModel& tree, const QString& path) {
    try {
        FieldReader reader(platform::text::decodeFileBytes(platform::text::readFileBytes(path)));
        QString rootKey;
        QString folderKey;
        while (!reader.atEnd()) {
            const QString name = reader.next();
            const QString second = reader.next();
            const QString third = reader.next();
            const QString fourth = reader.next();
            if (second == RootFolderMarker) {
                tree.addNode(QString(), third, name, image::Closed, image::Open);
                rootKey = third;
                folderKey = third;
            } else if (second == SubFolderMarker) {
                if (rootKey.isEmpty())
                    platform::raiseError(platform::err::ElementNotFound);
                tree.addNode(rootKey, third, name, image::Closed, image::Open);
                folderKey = third;
            } else if (third == FeedMarker) {
                const QString kind = kindCodeOfNumber(platform::toInt16(fourth));
                if (kind.isEmpty())
                    continue;
                if (folderKey.isEmpty())
                    platform::raiseError(platform::err::ElementNotFound);
                tree.addNode(folderKey, second, name, kind);
            }
        }
        return 0;
    } catch (const platform::RuntimeError&) {
        return -1;
    }
}

QStringList feedListRecords(const platform::controls::TreeViewModel& tree) {
    QStringList lines;
    lines.reserve(tree.count());
    for (int top : tree.topLevelNodes()) {
        if (isFolderImage(tree.image(top)))
            appendFolder(tree, top, lines);
        else
            appendNodeRecord(tree, top, lines);
    }
    return lines;
}

void SaveFeedList(const platform::controls::TreeViewModel& tree, const QString& path) {
    platform::text::writeLinesAtomic(path, feedListRecords(tree));
}

int AddFolderNode(platform::controls::TreeViewModel& tree, const QString& parentKey,
                  const QString& folderName) {
    try {
        // A counter whose key is taken (an imported or hand-edited list may use
        // it) moves on to the first free number; otherwise no folder could ever
        // be added again.
        const QString prefix =
            parentKey.isEmpty() ? QStringLiteral("root_usr") : QStringLiteral("usr");
        std::int32_t counter = platform::toInt32(tree.tag());
        while (tree.containsKey(prefix + QString::number(counter))) {
            if (counter == std::numeric_limits<std::int32_t>::max())
                platform::raiseError(platform::err::Overflow);
            ++counter;
        }
        tree.addNode(parentKey, prefix + QString::number(counter), folderName, image::Closed,
                     image::Open);
        tree.setTag(QString::number(static_cast<long long>(counter) + 1));
        return 0;
    } catch (const platform::RuntimeError&) {
        return -1;
    }
}

} // namespace quillet
