// The property pages' dialog wrapper against the real dialogs: its fields
// reach each dialog and the answer comes back only when the user confirms.
#include "menuctl/design/clsCommonDialog.h"
#include "platform/dialogs/DialogAnswerer.h"
#include "platform/dialogs/OpenFileName.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/text/Codepage.h"
#include "support/TempFiles.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using dialogs_test::DialogAnswerer;
using dialogs_test::typeFileName;
using zephalt::clsCommonDialog;
namespace dlg = platform::dialogs;

namespace {

TEST(CommonDialogWrapper, ShowOpenPassesTheSettingsAndRefusesANameLongerThanMaxFileSize) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = QDir(dir.path()).absolutePath();
    const QString longName = QStringLiteral("画像").repeated(20) + QStringLiteral(".ico");
    testing_support::writeBytes(folder + QLatin1Char('/') + longName, "icon");

    clsCommonDialog common;
    common.Filter = QStringLiteral("ビットマップ(*.BMP)|*.BMP|アイコンファイル(*.ICO)|*.ICO|"
                                   "全てのファイル(*.*)|*.*");
    common.FilterIndex = 2;
    common.InitDir = folder;
    common.DialogTitle = QStringLiteral("ピクチャの読み込み");
    common.Flags =
        static_cast<long>(dlg::OFN_FILEMUSTEXIST | dlg::OFN_PATHMUSTEXIST | dlg::OFN_LONGNAMES |
                          dlg::OFN_NOCHANGEDIR | dlg::OFN_HIDEREADONLY);
    common.FileName = QStringLiteral("before.bmp");
    common.Cancel = true;

    // Cancelling changes nothing but Cancel.
    {
        DialogAnswerer<QFileDialog> cancels([](QFileDialog& dialog) { dialog.reject(); });
        common.ShowOpen();
        EXPECT_TRUE(cancels.answered());
        EXPECT_TRUE(common.Cancel);
        EXPECT_EQ(common.FileName, QStringLiteral("before.bmp"));
    }

    const qsizetype folderBytes = platform::text::encodeCp932(folder).size();
    // Room for "/", two characters of two bytes, one byte and the NUL: the
    // chosen name does not fit, and a cut name would be another file.
    common.MaxFileSize = static_cast<long>(folderBytes + 7);
    {
        DialogAnswerer<QFileDialog> person([&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ピクチャの読み込み"));
            EXPECT_EQ(dialog.directory().absolutePath(), folder);
            EXPECT_EQ(dialog.nameFilters().size(), 3);
            EXPECT_TRUE(dialog.selectedNameFilter().startsWith(QStringLiteral("アイコンファイル")));
            typeFileName(dialog, longName);
        });
        common.ShowOpen();
        EXPECT_TRUE(person.answered());
        EXPECT_TRUE(common.Cancel);
        EXPECT_EQ(common.FileName, QStringLiteral("before.bmp"));
    }

    common.MaxFileSize = 250;
    DialogAnswerer<QFileDialog> person([&](QFileDialog& dialog) {
        dialogs_test::acceptFile(dialog, folder + QLatin1Char('/') + longName);
    });
    common.ShowOpen();
    EXPECT_TRUE(person.answered());
    EXPECT_FALSE(common.Cancel);
    EXPECT_EQ(common.FileName, folder + QLatin1Char('/') + longName);
    EXPECT_EQ(common.FileTitle, longName);
    EXPECT_EQ(common.FilterIndex, 2);
}

TEST(CommonDialogWrapper, ShowColorStartsFromColorAndKeepsCustomColours) {
    clsCommonDialog common;
    common.Color = 0x80000005; // a system colour: the window background
    platform::win::COLORREF window = 0;
    platform::gdi::OleTranslateColor(common.Color, 0, &window);

    DialogAnswerer<QColorDialog> person([&](QColorDialog& dialog) {
        const QColor start = dialog.currentColor();
        EXPECT_EQ(platform::win::RGB(start.red(), start.green(), start.blue()), window);
        EXPECT_EQ(QColorDialog::customColor(1), QColor(0, 0, 0x80)); // navy
        QColorDialog::setCustomColor(15, QColor(0x12, 0x34, 0x56));
        dialog.setCurrentColor(QColor(0xAB, 0xCD, 0xEF));
        static_cast<QDialog&>(dialog).accept(); // the dialog's own accept checks the name
    });
    common.ShowColor();
    EXPECT_TRUE(person.answered());
    EXPECT_FALSE(common.Cancel);
    EXPECT_EQ(common.Color, 0xEFCDABu);
    EXPECT_EQ(common.CustomColors[15], 0x563412u);
    EXPECT_EQ(common.CustomColors[1], 0x800000u);

    DialogAnswerer<QColorDialog> cancels([](QColorDialog& dialog) { dialog.reject(); });
    common.ShowColor();
    EXPECT_TRUE(common.Cancel);
    EXPECT_EQ(common.Color, 0xEFCDABu);
}

TEST(CommonDialogWrapper, ShowFontStartsFromFontAndTakesTheChoice) {
    clsCommonDialog common;
    common.Font.name = QStringLiteral("ＭＳ Ｐゴシック");
    common.Font.size = 9;
    common.Font.charset = 128;
    const QString otherFamily = platform::gdi::familyForFace(QStringLiteral("ＭＳ 明朝"), 0);

    DialogAnswerer<QFontDialog> person([&](QFontDialog& dialog) {
        EXPECT_EQ(dialog.currentFont().family(), platform::gdi::familyForFace(common.Font.name, 0));
        EXPECT_EQ(dialog.currentFont().pointSize(), 9);
        QFont font(otherFamily);
        font.setPointSize(14);
        font.setBold(true);
        dialog.setCurrentFont(font);
        static_cast<QDialog&>(dialog).accept(); // the dialog's own accept checks the name
    });
    common.ShowFont();
    EXPECT_TRUE(person.answered());
    EXPECT_FALSE(common.Cancel);
    EXPECT_EQ(common.Font.name, otherFamily);
    EXPECT_DOUBLE_EQ(common.Font.size, 14.0);
    EXPECT_TRUE(common.Font.bold());
    EXPECT_EQ(common.Font.charset, 128);

    const platform::forms::FontObject chosen = common.Font;
    DialogAnswerer<QFontDialog> cancels([](QFontDialog& dialog) { dialog.reject(); });
    common.ShowFont();
    EXPECT_TRUE(common.Cancel);
    EXPECT_EQ(common.Font, chosen);
}

} // namespace
