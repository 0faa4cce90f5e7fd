// The control's three property pages driven through their widgets on a form
// carrying the control, as a designer's property dialog drives them; file
// dialogs are answered as a person would.
#include "menuctl/ZephaltForm.h"
#include "platform/dialogs/DialogAnswerer.h" // tests/platform/dialogs
#include "platform/forms/HostedControl.h"
#include "platform/forms/PropertyPage.h"
#include "platform/win/Messages.h"
#include "support/TempFiles.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace zephalt_test;
using platform::forms::PropertyPage;

namespace {

class PropertyPages : public ZephaltForm {
protected:
    void SetUp() override {
        addControl(QStringLiteral("Zephalt1"));
        load();
    }
    // Page 0 "全般", 1 "メニュー項目", 2 "タイトルバー", opened on the control.
    std::unique_ptr<PropertyPage> open(int which) {
        std::unique_ptr<PropertyPage> page = control().propertyPages().at(std::size_t(which))();
        page->initialisePage();
        platform::forms::HostedControl* hosted = form->hostedControl(QStringLiteral("Zephalt1"));
        page->selectionChanged({{&hosted->control(), hosted}});
        return page;
    }
    template <typename W> static W* find(PropertyPage& page, const QString& name) {
        W* widget = page.findChild<W*>(name);
        if (widget == nullptr) {
            throw std::runtime_error(name.toStdString() + " not found");
        }
        return widget;
    }
    static void choose(QComboBox* combo, int entry) {
        combo->setCurrentIndex(entry);
        emit combo->activated(entry);
    }
    QStringList shownTexts() const {
        QStringList texts;
        for (const auto& shown : messages) {
            texts.append(shown.text);
        }
        return texts;
    }
};

} // namespace

TEST_F(PropertyPages, GeneralPageChecksSizesBeforeApplyingAnything) {
    auto page = open(0);
    EXPECT_EQ(page->caption(), QStringLiteral("全般"));
    EXPECT_EQ(find<QLineEdit>(*page, QStringLiteral("txtImageHeight"))->text(),
              QStringLiteral("16"));
    find<QLineEdit>(*page, QStringLiteral("txtImageHeight"))->setText(QStringLiteral("abc"));
    find<QLineEdit>(*page, QStringLiteral("txtImageWidth"))->setText(QStringLiteral("24"));
    choose(find<QComboBox>(*page, QStringLiteral("cmbMenuStyle")), 3);
    EXPECT_TRUE(page->changed());
    page->applyChanges();
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("イメージ高さの値が認識できません。")});
    EXPECT_EQ(control().ImageWidth(), 16); // nothing applied, not even the valid width
    EXPECT_EQ(control().CursorStyle(), 0);
    EXPECT_TRUE(page->changed());

    find<QLineEdit>(*page, QStringLiteral("txtImageHeight"))->setText(QStringLiteral("64"));
    choose(find<QComboBox>(*page, QStringLiteral("cmbSystemMenu")), 1);
    page->applyChanges();
    EXPECT_EQ(control().ImageHeight(), 64);
    EXPECT_EQ(control().ImageWidth(), 24);
    EXPECT_EQ(control().CursorStyle(), 3);
    EXPECT_TRUE(control().SystemMenu);
    EXPECT_FALSE(page->changed());
    EXPECT_TRUE(form->changedProperties().contains(QStringLiteral("Zephalt1.ImageHeight")));
}

TEST_F(PropertyPages, ItemPageWritesEditsAtOnceAndKeepsPicturesThatCannotBeRead) {
    QTemporaryDir folder;
    const QString broken = QDir(folder.path()).filePath(QStringLiteral("broken.bmp"));
    testing_support::writeBytes(broken, "BM this is no picture");
    const QString good = QDir(folder.path()).filePath(QStringLiteral("good.bmp"));
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(good));

    auto page = open(1);
    auto* tree = find<QTreeWidget>(*page, QStringLiteral("tvwMenu"));
    const auto nodes = [&](const QString& text) {
        return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    };
    // A top-level menu shows neither frame.
    tree->setCurrentItem(nodes(QStringLiteral("ファイル(&F)")).front());
    EXPECT_TRUE(find<QWidget>(*page, QStringLiteral("fraMenuItem"))->isHidden());
    EXPECT_TRUE(find<QWidget>(*page, QStringLiteral("fraSeparator"))->isHidden());

    tree->setCurrentItem(nodes(QStringLiteral("開く(&O)")).front());
    zephalt::clsMenuItem& open = control().MenuItems().Item(QStringLiteral("mnuFileOpen"));
    find<QCheckBox>(*page, QStringLiteral("chkBold"))->click();
    find<QComboBox>(*page, QStringLiteral("cmbGroup"))->setCurrentIndex(2);
    find<QComboBox>(*page, QStringLiteral("cmbBreakItem"))->setCurrentIndex(2);
    EXPECT_TRUE(open.Bold());
    EXPECT_EQ(open.Group, zephalt::zxGS_Radio);
    EXPECT_EQ(open.BreakMode, 3);

    // A good picture becomes the unchecked image; a broken one is reported
    // and leaves it as it was.
    {
        dialogs_test::DialogAnswerer<QFileDialog> person(
            [&](QFileDialog& dialog) { dialogs_test::acceptFile(dialog, good); });
        find<QAbstractButton>(*page, QStringLiteral("cmdPicRead(1)"))->click();
    }
    const int index = open.UnCheckedIndex;
    ASSERT_GT(index, 0);
    {
        dialogs_test::DialogAnswerer<QFileDialog> person(
            [&](QFileDialog& dialog) { dialogs_test::acceptFile(dialog, broken); });
        find<QAbstractButton>(*page, QStringLiteral("cmdPicRead(1)"))->click();
    }
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("ピクチャデータが異常です。")});
    EXPECT_EQ(open.UnCheckedIndex, index);
    EXPECT_EQ(control().ImageList().GetIcon(index)->pixel(3, 3), 0x0000FFu);

    // The separator table: "ピクチャ" placed "中寄せ" is style 7.
    tree->setCurrentItem(nodes(QStringLiteral("-")).front());
    EXPECT_FALSE(find<QWidget>(*page, QStringLiteral("fraSeparator"))->isHidden());
    find<QAbstractButton>(*page, QStringLiteral("optSeparator(5)"))->click();
    choose(find<QComboBox>(*page, QStringLiteral("cmbPosition")), 3);
    EXPECT_EQ(control().MenuItems().Item(QStringLiteral("mnuFileSep1")).SeparatorStyle(), 7);

    // "周囲のみ" means nothing without a mask.
    find<QComboBox>(*page, QStringLiteral("cmbMaskMode"))->setCurrentIndex(5);
    find<QCheckBox>(*page, QStringLiteral("chkPart"))->setChecked(true);
    page->closePage();
    EXPECT_EQ(control().MaskMode(), 5);
}

TEST_F(PropertyPages, TitleBarPageAddsStylesAndDeletesABarKeepingItemsValid) {
    auto page = open(2);
    auto* menus = find<QListWidget>(*page, QStringLiteral("lstMenu"));
    auto* bars = find<QListWidget>(*page, QStringLiteral("lstTitleBar"));
    const int count = menus->count();
    ASSERT_GT(count, 3);
    EXPECT_EQ(bars->count(), 0);
    const int row = 1; // the first entry of the File menu, in form order
    ASSERT_TRUE(menus->item(row)->text().startsWith(QStringLiteral("mnuFileOpen")));
    menus->setCurrentRow(row);
    emit menus->itemClicked(menus->item(row));
    find<QAbstractButton>(*page, QStringLiteral("cmdAdd"))->click();
    ASSERT_EQ(bars->count(), 1);
    bars->setCurrentRow(0);

    find<QAbstractButton>(*page, QStringLiteral("optBackStyle(1)"))->click();
    find<QCheckBox>(*page, QStringLiteral("chkHoriznal"))->click();
    find<QCheckBox>(*page, QStringLiteral("chkRainbow"))->click();
    zephalt::clsTitlebar& bar = control().TitleBars().Item(QStringLiteral("mnuFileOpen"));
    EXPECT_EQ(bar.BackStyle(), zephalt::zxBG_HRainbow);
    choose(find<QComboBox>(*page, QStringLiteral("cmbCaptionStyle")), zephalt::zxCP_VText);
    EXPECT_EQ(bar.CaptionStyle(), zephalt::zxCP_VText);
    EXPECT_FALSE(find<QWidget>(*page, QStringLiteral("txtTitleBar"))->isHidden());
    EXPECT_TRUE(find<QWidget>(*page, QStringLiteral("picTitleBar"))->isHidden());
    find<QLineEdit>(*page, QStringLiteral("txtTitleBar"))->setText(QStringLiteral("Quillet"));
    emit find<QLineEdit>(*page, QStringLiteral("txtTitleBar"))
        ->textEdited(QStringLiteral("Quillet"));
    EXPECT_EQ(bar.Caption(), QStringLiteral("Quillet"));

    // The pop-up takes the bar at its opening; deleting it puts its items
    // back to "no bar" and the entry back at its form position.
    platform::win::SendMessage(hwnd(), platform::win::WM_INITMENUPOPUP,
                               static_cast<platform::win::WPARAM>(subMenu("mnuFile")), 0);
    zephalt::clsMenuItem& open = control().MenuItems().Item(QStringLiteral("mnuFileOpen"));
    ASSERT_GT(open.TitleBarIndex, 0);
    find<QAbstractButton>(*page, QStringLiteral("cmdDel"))->click();
    EXPECT_EQ(bars->count(), 0);
    ASSERT_EQ(menus->count(), count);
    EXPECT_TRUE(menus->item(row)->text().startsWith(QStringLiteral("mnuFileOpen")));
    EXPECT_LT(open.TitleBarIndex, control().TitleBars().Count());
    platform::win::SendMessage(hwnd(), platform::win::WM_INITMENUPOPUP,
                               static_cast<platform::win::WPARAM>(subMenu("mnuFile")), 0);
    const zephalt::clsTitlebar* now = control().TitleBars().ItemEx(open.TitleBarIndex);
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->BackStyle(), zephalt::zxBG_Hide); // a fresh bar shows nothing
}

TEST_F(PropertyPages, ChangesMadeOnThePagesSurviveSavingAndLoading) {
    auto items = open(1);
    auto* tree = find<QTreeWidget>(*items, QStringLiteral("tvwMenu"));
    tree->setCurrentItem(
        tree->findItems(QStringLiteral("終了(&X)"), Qt::MatchExactly | Qt::MatchRecursive).front());
    find<QCheckBox>(*items, QStringLiteral("chkItalic"))->click();
    auto bars = open(2);
    auto* menus = find<QListWidget>(*bars, QStringLiteral("lstMenu"));
    menus->setCurrentRow(1);
    emit menus->itemClicked(menus->item(1));
    find<QAbstractButton>(*bars, QStringLiteral("cmdAdd"))->click();
    find<QListWidget>(*bars, QStringLiteral("lstTitleBar"))->setCurrentRow(0);
    find<QAbstractButton>(*bars, QStringLiteral("optBackStyle(2)"))->click();
    bars->closePage();
    items->closePage();

    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("Form1.frm"));
    const QVariantMap before = form->storedProperties(QStringLiteral("Zephalt1"))->values();
    form->saveFormFile(path);
    form.reset();
    description.controls.clear();
    description.formFile = path;
    load();
    EXPECT_EQ(form->storedProperties(QStringLiteral("Zephalt1"))->values(), before);
    EXPECT_TRUE(control().MenuItems().Item(QStringLiteral("mnuFileExit")).Italic());
    EXPECT_EQ(control().TitleBars().Item(QStringLiteral("mnuFileOpen")).BackStyle(),
              zephalt::zxBG_Color);
}
