// The open-file request against the real dialog, driven the way a person
// would; requests the dialogs refuse; the file-title helper.
#include "platform/dialogs/ChooseColor.h"
#include "platform/dialogs/ChooseFont.h"
#include "platform/dialogs/DialogAnswerer.h"
#include "platform/dialogs/OpenFileName.h"
#include "platform/text/Codepage.h"
#include "support/TempFiles.h"

#include <QFileSystemModel>
#include <gtest/gtest.h>

using namespace platform::dialogs;
using dialogs_test::DialogAnswerer;
using platform::text::encodeCp932;
namespace win = platform::win;

namespace {

TEST(FileDialogs, RequestReachesTheDialogAndTheChosenFileComesBack) {
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).absolutePath();
    for (const char* name : {"画像.BMP", "photo.bmp", "note.txt"})
        testing_support::writeBytes(folder + QLatin1Char('/') + QString::fromUtf8(name), "x");
    QByteArray filters;
    for (const char* text : {"ピクチャ(*.BMP)", "*.BMP;*.DIB", "テキスト", "*.txt", "全て", "*.*"})
        filters += encodeCp932(QString::fromUtf8(text)) + '\0';
    const QByteArray initialDir = encodeCp932(folder);
    const QByteArray title = encodeCp932(QStringLiteral("絵を選ぶ"));
    QByteArray file(260, '\0');
    QByteArray fileTitle(64, '\0');
    OPENFILENAMEA request;
    request.lpstrFilter = filters.constData(); // the array's own NUL ends the list
    request.nFilterIndex = 2;
    request.lpstrFile = file.data();
    request.nMaxFile = 260;
    request.lpstrFileTitle = fileTitle.data();
    request.nMaxFileTitle = 64;
    request.lpstrInitialDir = initialDir.constData();
    request.lpstrTitle = title.constData();
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_READONLY;
    const QString workingDir = QDir::currentPath();

    DialogAnswerer<QFileDialog> person([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("絵を選ぶ"));
        EXPECT_EQ(dialog.directory().absolutePath(), folder);
        EXPECT_EQ(dialog.nameFilters().size(), 3);
        EXPECT_TRUE(dialog.selectedNameFilter().startsWith(QStringLiteral("テキスト")));
        // Patterns match without regard to case.
        dialog.selectNameFilter(dialog.nameFilters().at(0));
        // (Asked of the listing's filter rather than of what the listing
        // shows, which a thread fills at its own pace.)
        auto* model = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        EXPECT_TRUE(model->nameFilters().contains(QStringLiteral("*.BMP")));
        EXPECT_FALSE(model->filter().testFlag(QDir::CaseSensitive));
        dialogs_test::typeFileName(dialog, QStringLiteral("画像.BMP"));
    });
    ASSERT_EQ(GetOpenFileNameA(&request), win::TRUE);
    EXPECT_EQ(QByteArray(file.constData()), encodeCp932(folder + QStringLiteral("/画像.BMP")));
    EXPECT_EQ(QByteArray(file.constData() + request.nFileOffset),
              encodeCp932(QStringLiteral("画像.BMP")));
    EXPECT_EQ(QByteArray(file.constData() + request.nFileExtension), "BMP");
    EXPECT_EQ(QByteArray(fileTitle.constData()), encodeCp932(QStringLiteral("画像.BMP")));
    EXPECT_EQ(request.nFilterIndex, 1u);
    EXPECT_EQ(request.Flags & OFN_READONLY, 0u);
    EXPECT_EQ(QDir::currentPath(), workingDir);
}

TEST(FileDialogs, UnusableRequestsFailWithoutShowingADialog) {
    DialogAnswerer<QDialog> nobody([](QDialog& dialog) { dialog.reject(); });
    char file[16] = "keep.txt";
    OPENFILENAMEA open;
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lStructSize = 88;
    EXPECT_EQ(GetOpenFileNameA(&open), win::FALSE);
    open.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    open.nMaxFile = 0;
    EXPECT_EQ(GetOpenFileNameA(&open), win::FALSE);
    open.lpstrFile = nullptr;
    EXPECT_EQ(GetSaveFileNameA(&open), win::FALSE);
    EXPECT_EQ(GetOpenFileNameA(nullptr), win::FALSE);
    CHOOSECOLORA noCustomColours;
    EXPECT_EQ(ChooseColorA(&noCustomColours), win::FALSE);
    CHOOSEFONTA noLogFont;
    EXPECT_EQ(ChooseFontA(&noLogFont), win::FALSE);
    QCoreApplication::processEvents();
    EXPECT_FALSE(nobody.answered());
    EXPECT_STREQ(file, "keep.txt");
}

TEST(FileDialogs, FileTitleIsTheNamePart) {
    char buffer[16] = "untouched";
    EXPECT_EQ(GetFileTitleA("C:\\data\\a.ini", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "a.ini");
    // "予表" ends in the byte 0x5C, which is no separator inside a character.
    const QByteArray name = encodeCp932(QStringLiteral("予表.txt"));
    ASSERT_TRUE(name.contains('\\'));
    EXPECT_EQ(GetFileTitleA(("/dir/" + name).constData(), buffer, sizeof buffer), 0);
    EXPECT_EQ(QByteArray(buffer), name);
    EXPECT_EQ(GetFileTitleA("/x/long-name.txt", buffer, 5), 14); // NUL included
    EXPECT_EQ(QByteArray(buffer), name);
    for (const char* bad : {"", "/home/user/", "dir\\", "a/b*.txt", "a/what?", "a/x|y"})
        EXPECT_LT(GetFileTitleA(bad, buffer, sizeof buffer), 0) << bad;
}

} // namespace
