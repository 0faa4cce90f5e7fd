// The colour and font requests against the real dialogs: what the dialog
// starts from, what comes back on confirmation, and nothing on cancel.
#include "platform/dialogs/ChooseColor.h"
#include "platform/dialogs/ChooseFont.h"
#include "platform/dialogs/DialogAnswerer.h"
#include "platform/gdi/Fonts.h"
#include "platform/text/Codepage.h"

#include <QColorDialog>
#include <QFontDialog>
#include <cstring>
#include <gtest/gtest.h>

using namespace platform::dialogs;
using dialogs_test::DialogAnswerer;
namespace win = platform::win;
using platform::text::encodeCp932;

namespace {

TEST(ChooseColor, StartsFromTheColourAndKeepsTheCustomColours) {
    COLORREF custom[16];
    for (COLORREF i = 0; i < 16; ++i)
        custom[i] = 0x010203 * (i + 1);
    CHOOSECOLORA request;
    request.lpCustColors = custom;
    request.rgbResult = 0x00336699;
    request.Flags = CC_RGBINIT | CC_FULLOPEN;

    DialogAnswerer<QColorDialog> person([](QColorDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("色の設定"));
        EXPECT_EQ(dialog.currentColor(), QColor(0x99, 0x66, 0x33));
        EXPECT_EQ(QColorDialog::customColor(4), QColor(0x0F, 0x0A, 0x05));
        // The person adds a custom colour and picks another colour.
        QColorDialog::setCustomColor(3, QColor(1, 2, 3));
        dialog.setCurrentColor(QColor(10, 20, 30));
        dialog.accept();
    });
    ASSERT_EQ(ChooseColorA(&request), win::TRUE);
    EXPECT_TRUE(person.answered());
    EXPECT_EQ(request.rgbResult, win::RGB(10, 20, 30));
    EXPECT_EQ(custom[3], win::RGB(1, 2, 3));
    EXPECT_EQ(custom[4], 0x050A0Fu);
    EXPECT_EQ(custom[15], 0x102030u);

    // Without CC_RGBINIT the dialog starts from black; cancel keeps the colour.
    request.Flags = 0;
    DialogAnswerer<QColorDialog> cancels([](QColorDialog& dialog) {
        EXPECT_EQ(dialog.currentColor(), QColor(Qt::black));
        dialog.setCurrentColor(QColor(200, 0, 0));
        dialog.reject();
    });
    EXPECT_EQ(ChooseColorA(&request), win::FALSE);
    EXPECT_TRUE(cancels.answered());
    EXPECT_EQ(request.rgbResult, win::RGB(10, 20, 30));

    CHOOSECOLORA noCustom;
    EXPECT_EQ(ChooseColorA(&noCustom), win::FALSE);
    CHOOSECOLORA otherSize = request;
    otherSize.lStructSize = 40;
    EXPECT_EQ(ChooseColorA(&otherSize), win::FALSE);
}

LOGFONTA gothicBoldItalic() {
    LOGFONTA font;
    font.lfHeight = -16; // 12 points
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = 128;
    const QByteArray face = encodeCp932(QStringLiteral("ＭＳ Ｐゴシック"));
    std::memcpy(font.lfFaceName, face.constData(), static_cast<std::size_t>(face.size()));
    return font;
}

TEST(ChooseFont, StartsFromTheLogFontAndReturnsTheChoice) {
    LOGFONTA logFont = gothicBoldItalic();
    CHOOSEFONTA request;
    request.lpLogFont = &logFont;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    const QString startFamily = platform::gdi::familyForFace(QStringLiteral("ＭＳ Ｐゴシック"), 0);

    // Confirming what was given changes nothing, the face name included.
    DialogAnswerer<QFontDialog> confirms([&](QFontDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("フォント"));
        EXPECT_EQ(dialog.currentFont().family(), startFamily);
        EXPECT_EQ(dialog.currentFont().pointSize(), 12);
        EXPECT_TRUE(dialog.currentFont().bold());
        dialog.accept();
    });
    ASSERT_EQ(ChooseFontA(&request), win::TRUE);
    EXPECT_TRUE(confirms.answered());
    const LOGFONTA given = gothicBoldItalic();
    EXPECT_EQ(std::memcmp(logFont.lfFaceName, given.lfFaceName, sizeof given.lfFaceName), 0);
    EXPECT_EQ(logFont.lfHeight, -16);
    EXPECT_EQ(logFont.lfWeight, 700);
    EXPECT_EQ(logFont.lfItalic, 1);
    EXPECT_EQ(logFont.lfCharSet, 128);
    EXPECT_EQ(request.iPointSize, 120);
    EXPECT_EQ(request.nFontType, SCREEN_FONTTYPE | BOLD_FONTTYPE | ITALIC_FONTTYPE);

    // Another family, size and style come back at 96 pixels per inch.
    const QString otherFamily = platform::gdi::familyForFace(QStringLiteral("ＭＳ ゴシック"), 0);
    ASSERT_NE(otherFamily, startFamily);
    DialogAnswerer<QFontDialog> changes([&](QFontDialog& dialog) {
        QFont font(otherFamily);
        font.setPointSize(15);
        font.setUnderline(true);
        dialog.setCurrentFont(font);
        dialog.accept();
    });
    ASSERT_EQ(ChooseFontA(&request), win::TRUE);
    EXPECT_EQ(QString::fromUtf8(logFont.lfFaceName), otherFamily);
    EXPECT_EQ(logFont.lfHeight, -20);
    EXPECT_EQ(logFont.lfWeight, 400);
    EXPECT_EQ(logFont.lfItalic, 1); // the family has no slanted style to choose
    EXPECT_EQ(logFont.lfUnderline, 1);
    EXPECT_EQ(request.iPointSize, 150);
    EXPECT_EQ(request.nFontType, SCREEN_FONTTYPE | REGULAR_FONTTYPE | ITALIC_FONTTYPE);

    // Cancel leaves the LOGFONT and the size as they were.
    const LOGFONTA before = logFont;
    DialogAnswerer<QFontDialog> cancels([](QFontDialog& dialog) {
        dialog.setCurrentFont(QFont(QStringLiteral("Serif"), 30));
        dialog.reject();
    });
    EXPECT_EQ(ChooseFontA(&request), win::FALSE);
    EXPECT_EQ(std::memcmp(&before, &logFont, sizeof before), 0);
    EXPECT_EQ(request.iPointSize, 150);

    CHOOSEFONTA noLogFont;
    EXPECT_EQ(ChooseFontA(&noLogFont), win::FALSE);
}

} // namespace
