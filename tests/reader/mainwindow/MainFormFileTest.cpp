// The main window's form file compiled into the program: one menu control
// with exactly the stored settings the reader's main window carries.
#include "platform/forms/FontObject.h"
#include "platform/forms/FormFile.h"
#include "reader/mainwindow/MainMenus.h"
#include "reader/mainwindow/MenuTree.h"
#include <QtEndian>
#include <gtest/gtest.h>

TEST(MainFormFile, HoldsTheMenuControlWithItsSixteenPictures) {
    const platform::forms::FormFile file =
        platform::forms::readFormFile(quillet::mainFormFilePath());
    EXPECT_EQ(file.formName, QStringLiteral("Form1"));
    ASSERT_EQ(file.controls.size(), 1u);
    EXPECT_EQ(file.controls[0].className, QStringLiteral("OwnerDrawMenu"));
    const QVariantMap& stored = file.controls[0].properties;

    const auto font = stored.value(QStringLiteral("menufont")).value<platform::forms::FontObject>();
    EXPECT_EQ(font.name, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(font.size, 9);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.charset, 128);
    EXPECT_EQ(stored.value(QStringLiteral("_extentx")), 1058);
    EXPECT_EQ(stored.value(QStringLiteral("_extenty")), 1058);

    const QStringList names = {
        "mnuFileOpen",      "mnuViewOrientGoBack",  "mnuViewOrientGoForward", "mnuViewOrientGoHome",
        "mnuViewStop",      "mnuViewRefresh",       "mnuToolSearch",          "mnuHelpShowHelp",
        "mnuToolSetup",     "mnuPoptvwGetNews",     "mnuFilePrintPageSetup",  "mnuFileExport",
        "mnuEditAddFolder", "mnuFilePrintThisPage", "mnuFileImport",          "mnuEditShowSource"};
    EXPECT_EQ(stored.value(QStringLiteral("menuitemnames")).toString(), names.join(u' ') + u' ');
    // Nothing else: every other key has its default, so it is not stored.
    EXPECT_EQ(stored.size(), 4 + names.size());
    QStringList menuNames;
    for (const quillet::MenuEntry& entry : quillet::mainMenuTree()) {
        menuNames.append(entry.name);
    }
    for (const QString& name : names) {
        EXPECT_TRUE(menuNames.contains(name)) << qPrintable(name); // a menu of the main window
        const QByteArray icon =
            stored.value(name.toLower() + QStringLiteral(".uncheckedicon(0)")).toByteArray();
        ASSERT_EQ(icon.size(), 840) << qPrintable(name);
        EXPECT_EQ(qFromLittleEndian<qint32>(icon.constData()), 16);
        EXPECT_EQ(qFromLittleEndian<qint32>(icon.constData() + 4), 16);
        // A picture, not a blank: some pixels are transparent, some are not.
        const QByteArray mask = icon.mid(8 + 768);
        EXPECT_NE(mask.count('\0'), mask.size()) << qPrintable(name);
        EXPECT_NE(mask.count('\xff'), mask.size()) << qPrintable(name);
    }
}

// The designer shows and saves the menus the form file lists; the running
// window builds them from its own tree. Both must say the same.
TEST(MainFormFile, ListsTheMenusTheWindowBuilds) {
    const platform::forms::FormFile file =
        platform::forms::readFormFile(quillet::mainFormFilePath());
    const std::vector<quillet::MenuEntry>& tree = quillet::mainMenuTree();
    ASSERT_EQ(file.menus.size(), tree.size());
    for (std::size_t i = 0; i < tree.size(); ++i) {
        SCOPED_TRACE(tree[i].name.toStdString());
        EXPECT_EQ(file.menus[i].name, tree[i].name);
        EXPECT_EQ(file.menus[i].index, tree[i].index);
        EXPECT_EQ(file.menus[i].parentName, tree[i].parent);
        EXPECT_EQ(file.menus[i].parentIndex, tree[i].parentIndex);
        EXPECT_EQ(file.menus[i].caption, tree[i].caption);
        EXPECT_EQ(file.menus[i].visible, tree[i].visible);
        EXPECT_EQ(file.menus[i].checked, tree[i].checked);
    }
}
