#include "reader/catalogue/AddFeedModel.h"

#include "platform/runtime/RuntimeError.h"
#include "reader/catalogue/FeedKinds.h"
#include "reader/mainwindow/MainWindowModel.h"

namespace quillet {

namespace {

constexpr int KeyNotUnique = 35602;
constexpr int SiteWithRss = 0;
constexpr int RssVersion100 = 2;

const QString AddCaption = QStringLiteral("■新規ニュース追加");
const QString PropertiesCaption = QStringLiteral("■ニュースのプロパティ");
const QString AddButton = QStringLiteral("追加(&A)");
const QString ChangeButton = QStringLiteral("変更(&C)");

} // namespace

AddFeedModel::AddFeedModel(MainWindowModel& window)
    : caption(AddCaption), cmdAddCaption(AddButton), txtName(QStringLiteral("新規ニュース")),
      window_(window) {
    comSelect.addEntry(QStringLiteral("新規ニュースサイト(RSS対応)"));
    comSelect.addEntry(QStringLiteral("新規ニュースサイト(RSS非対応)"));
    for (const char* version : {"0.91", "0.92", "1.00", "2.00"})
        comRss.addEntry(QString::fromLatin1(version));
    comRss.setListIndex(0);
    comSelect.setListIndex(0);

    // Every folder, sub-folders included, as one flat list in the main tree's
    // index order; the keys are the main tree's, so the pick names one folder
    // even when two folders share a name.
    const auto& tree = window_.tvw1;
    for (int i = 1; i <= tree.count(); ++i) {
        if (isFolderImage(tree.image(i)))
            tvw1.addNode(QString(), tree.key(i), tree.text(i), image::Closed);
    }
}

void AddFeedModel::prepareProperties(int nodeIndex) {
    const auto& tree = window_.tvw1;
    caption = PropertiesCaption;
    cmdAddCaption = ChangeButton;
    txtName = tree.text(nodeIndex);
    txtURL = tree.key(nodeIndex);
    editedKey_ = txtURL;
    propertiesMode_ = true;

    const QString kind = tree.image(nodeIndex);
    if (kind == image::Rss) {
        comSelect.setListIndex(SiteWithRss);
        comRss.setListIndex(0);
    } else if (kind == image::Rdf) {
        comSelect.setListIndex(SiteWithRss);
        comRss.setListIndex(RssVersion100);
    } else if (kind == image::WebSite) {
        // Showing a web site as an RSS site would turn it into one on "変更".
        comSelect.setListIndex(1);
    }
    presetSelect_ = comSelect.listIndex();
    presetRss_ = comRss.listIndex();
    tick();
}

void AddFeedModel::tick() {
    comRssEnabled = comSelect.listIndex() == SiteWithRss;
}

QString AddFeedModel::kindCode() const {
    if (comSelect.listIndex() != SiteWithRss)
        return image::WebSite;
    return comRss.listIndex() == RssVersion100 ? image::Rdf : image::Rss;
}

AddFeedModel::Result AddFeedModel::confirm() {
    return isPropertiesMode() ? applyEdits() : add();
}

AddFeedModel::Result AddFeedModel::add() {
    // A URL of blanks only would make a node without a key: no feed at all.
    const QString key = txtURL.trimmed();
    if (key.isEmpty() || txtName.isEmpty())
        return Result::Ignored;
    const int picked = tvw1.selectedIndex();
    if (picked == 0)
        return Result::Ignored;
    // The picker lists folders by name only, so the name decides: the last
    // folder of the main tree with the picked name gets the feed. Feeds of that
    // name do not count; the feed list has no place for a feed under a feed.
    auto& tree = window_.tvw1;
    const QString folderText = tvw1.text(picked);
    QString folderKey;
    for (int node = 1; node <= tree.count(); ++node) {
        if (tree.text(node) == folderText && isFolderImage(tree.image(node)))
            folderKey = tree.key(node);
    }
    if (folderKey.isEmpty())
        return Result::Ignored;

    try {
        tree.addNode(folderKey, key, txtName, kindCode());
    } catch (const platform::RuntimeError& error) {
        if (error.number() != KeyNotUnique)
            return Result::Ignored;
        reportDuplicate();
        return Result::Duplicate;
    }
    window_.stb1.setPanelText(1, tvw1.text(picked) + QStringLiteral("に[") + txtName +
                                     QStringLiteral("]を追加しました。"));
    return Result::Added;
}

// Pressing "変更(&C)" used to do nothing, so edits made here were silently
// lost; now they are applied to the node under the same rules as adding.
AddFeedModel::Result AddFeedModel::applyEdits() {
    auto& tree = window_.tvw1;
    const int index = tree.indexOfKey(editedKey_);
    if (index == 0 || txtName.isEmpty())
        return Result::Ignored;

    // A folder's key is generated and its image marks it as a folder: only its
    // name is the user's to change.
    if (!isFolderImage(tree.image(index))) {
        const QString key = txtURL.trimmed();
        if (key.isEmpty())
            return Result::Ignored;
        if (urlTakenByOther(key)) {
            reportDuplicate();
            return Result::Duplicate;
        }
        const bool kindTouched =
            comSelect.listIndex() != presetSelect_ || comRss.listIndex() != presetRss_;
        if (kindTouched)
            tree.setImage(index, kindCode());
        if (key != editedKey_)
            rekey(index, key);
    }
    tree.setText(tree.indexOfKey(editedKey_), txtName);
    window_.stb1.setPanelText(1,
                              QStringLiteral("[") + txtName + QStringLiteral("]を変更しました。"));
    return Result::Changed;
}

bool AddFeedModel::urlTakenByOther(const QString& key) const {
    return key != editedKey_ && window_.tvw1.containsKey(key);
}

void AddFeedModel::reportDuplicate() {
    // The URL as typed, blanks included, so the user sees what was refused.
    window_.stb1.setPanelText(1, QStringLiteral("[") + txtURL +
                                     QStringLiteral("]はすでに追加されています。"));
}

// The node keeps its place among its siblings, so the saved list keeps its order.
void AddFeedModel::rekey(int nodeIndex, const QString& newKey) {
    window_.tvw1.setKey(nodeIndex, newKey);
    editedKey_ = newKey;
}

} // namespace quillet
