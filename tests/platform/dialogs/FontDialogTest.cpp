// The font request against the real dialog: a given face survives being
// confirmed unchanged, and sizes travel at 96 pixels per inch.
#include "platform/dialogs/ChooseFont.h"
#include "platform/dialogs/DialogAnswerer.h"
#include "platform/gdi/Fonts.h"
#include "platform/text/Codepage.h"

#include <QFontDialog>
#include <cstring>
#include <gtest/gtest.h>

using namespace platform::dialogs;
using dialogs_test::DialogAnswerer;
namespace win = platform::win;

namespace {

TEST(FontDialog, ConfirmingTheGivenFontChangesNothingAndCancelWritesNothing) {
    const QString face = QStringLiteral("ＭＳ Ｐゴシック");
    LOGFONTA given;
    given.lfHeight = -16; // 12 points
    given.lfWeight = 700;
    given.lfItalic = 1; // the installed family has no slanted style to offer
    given.lfCharSet = 128;
    const QByteArray faceBytes = platform::text::encodeCp932(face);
    std::memcpy(given.lfFaceName, faceBytes.constData(),
                static_cast<std::size_t>(faceBytes.size()));
    LOGFONTA logFont = given;
    CHOOSEFONTA request;
    request.lpLogFont = &logFont;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;

    DialogAnswerer<QFontDialog> confirms([&](QFontDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("フォント"));
        EXPECT_EQ(dialog.currentFont().family(), platform::gdi::familyForFace(face, 0));
        EXPECT_EQ(dialog.currentFont().pointSize(), 12);
        EXPECT_TRUE(dialog.currentFont().bold());
        dialog.accept();
    });
    ASSERT_EQ(ChooseFontA(&request), win::TRUE);
    EXPECT_EQ(std::memcmp(&logFont, &given, sizeof given), 0);
    EXPECT_EQ(request.iPointSize, 120);
    EXPECT_EQ(request.nFontType, SCREEN_FONTTYPE | BOLD_FONTTYPE | ITALIC_FONTTYPE);

    DialogAnswerer<QFontDialog> cancels([](QFontDialog& dialog) {
        dialog.setCurrentFont(QFont(QStringLiteral("Serif"), 30));
        dialog.reject();
    });
    EXPECT_EQ(ChooseFontA(&request), win::FALSE);
    EXPECT_EQ(std::memcmp(&logFont, &given, sizeof given), 0);
    EXPECT_EQ(request.iPointSize, 120);
}

} // namespace
