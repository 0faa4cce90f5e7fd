// The open and save file requests against the real dialog, driven the way a
// person would, and the file-title helper.
#include "platform/dialogs/DialogAnswerer.h"
#include "platform/dialogs/OpenFileName.h"
#include "platform/text/Codepage.h"
#include "support/TempFiles.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform::dialogs;
using dialogs_test::DialogAnswerer;
using dialogs_test::typeFileName;
namespace win = platform::win;
using platform::text::decodeCp932;
using platform::text::encodeCp932;

namespace {

QByteArray filterList(std::initializer_list<const char*> texts) {
    QByteArray list;
    for (const char* text : texts)
        list += encodeCp932(QString::fromUtf8(text)) + '\0';
    return list + '\0';
}

// The dialog's view leaves out the files its filter does not match.
bool shownInView(QFileDialog& dialog, const QString& path) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    return model != nullptr && model->index(path).isValid();
}

class FileDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path();
        testing_support::writeBytes(folder_ + QStringLiteral("/画像.BMP"), "BM");
        testing_support::writeBytes(folder_ + QStringLiteral("/photo.bmp"), "BM");
        testing_support::writeBytes(folder_ + QStringLiteral("/note.txt"), "x");
        file_.fill('\0', 260);
        title_.fill('\0', 64);
        request_.lpstrFile = file_.data();
        request_.nMaxFile = static_cast<DWORD>(file_.size());
        request_.lpstrFileTitle = title_.data();
        request_.nMaxFileTitle = static_cast<DWORD>(title_.size());
    }

    QTemporaryDir dir_;
    QString folder_;
    QByteArray file_;
    QByteArray title_;
    OPENFILENAMEA request_;
};

TEST_F(FileDialogsTest, RequestReachesTheDialogAndTheChosenFileComesBack) {
    const QByteArray filters = filterList({"ピクチャファイル(*.BMP)", "*.BMP;*.DIB", "テキスト",
                                           "*.txt", "全てのファイル(*.*)", "*.*"});
    const QByteArray initialDir = encodeCp932(folder_);
    const QByteArray title = encodeCp932(QStringLiteral("絵を選ぶ"));
    request_.lpstrFilter = filters.constData();
    request_.nFilterIndex = 2;
    request_.lpstrInitialDir = initialDir.constData();
    request_.lpstrTitle = title.constData();
    request_.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                     OFN_LONGNAMES | OFN_READONLY;
    const QString workingDir = QDir::currentPath();

    DialogAnswerer<QFileDialog> person([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("絵を選ぶ"));
        EXPECT_EQ(dialog.directory().absolutePath(), QDir(folder_).absolutePath());
        EXPECT_EQ(dialog.nameFilters().size(), 3);
        EXPECT_TRUE(dialog.selectedNameFilter().startsWith(QStringLiteral("テキスト")));
        // Patterns match without regard to case.
        dialog.selectNameFilter(dialog.nameFilters().at(0));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return shownInView(dialog, folder_ + QStringLiteral("/photo.bmp")) &&
                       !shownInView(dialog, folder_ + QStringLiteral("/note.txt"));
            },
            5000));
        typeFileName(dialog, QStringLiteral("画像.BMP"));
    });
    ASSERT_EQ(GetOpenFileNameA(&request_), win::TRUE);
    EXPECT_TRUE(person.answered());

    const QByteArray path = encodeCp932(QDir(folder_).absolutePath() + QStringLiteral("/画像.BMP"));
    EXPECT_EQ(QByteArray(file_.constData()), path);
    EXPECT_EQ(QByteArray(file_.constData() + request_.nFileOffset),
              encodeCp932(QStringLiteral("画像.BMP")));
    EXPECT_EQ(QByteArray(file_.constData() + request_.nFileExtension), "BMP");
    EXPECT_EQ(decodeCp932(QByteArray(title_.constData())), QStringLiteral("画像.BMP"));
    EXPECT_EQ(request_.nFilterIndex, 1u);
    EXPECT_EQ(request_.Flags & OFN_READONLY, 0u);
    EXPECT_EQ(QDir::currentPath(), workingDir);
}

TEST_F(FileDialogsTest, CancelAndUnusableRequestsLeaveTheBuffersAlone) {
    qstrcpy(file_.data(), "keep.txt");
    request_.nFilterIndex = 3;
    {
        DialogAnswerer<QFileDialog> person([](QFileDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ファイルを開く"));
            dialog.reject();
        });
        EXPECT_EQ(GetOpenFileNameA(&request_), win::FALSE);
        EXPECT_TRUE(person.answered());
        EXPECT_EQ(QByteArray(file_.constData()), "keep.txt");
        EXPECT_EQ(title_.count('\0'), title_.size());
        EXPECT_EQ(request_.nFilterIndex, 3u);
    }
    DialogAnswerer<QFileDialog> nobody([](QFileDialog& dialog) { dialog.reject(); });
    OPENFILENAMEA newer = request_;
    newer.lStructSize = 88;
    EXPECT_EQ(GetOpenFileNameA(&newer), win::FALSE);
    OPENFILENAMEA noBuffer = request_;
    noBuffer.lpstrFile = nullptr;
    EXPECT_EQ(GetOpenFileNameA(&noBuffer), win::FALSE);
    OPENFILENAMEA emptyBuffer = request_;
    emptyBuffer.nMaxFile = 0;
    EXPECT_EQ(GetOpenFileNameA(&emptyBuffer), win::FALSE);
    EXPECT_EQ(GetOpenFileNameA(nullptr), win::FALSE);
    QCoreApplication::processEvents();
    EXPECT_FALSE(nobody.answered());
    EXPECT_EQ(QByteArray(file_.constData()), "keep.txt");
}

TEST_F(FileDialogsTest, AChosenPathIsCutWithoutSplittingACharacter) {
    const QByteArray folder = encodeCp932(QDir(folder_).absolutePath() + QLatin1Char('/'));
    // Room for the folder and one byte: the first character of the name
    // takes two.
    request_.nMaxFile = static_cast<DWORD>(folder.size() + 2);
    file_.fill('#');
    file_[0] = '\0';
    request_.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    const QByteArray initialDir = encodeCp932(folder_);
    request_.lpstrInitialDir = initialDir.constData();
    DialogAnswerer<QFileDialog> person(
        [](QFileDialog& dialog) { typeFileName(dialog, QStringLiteral("画像.BMP")); });
    ASSERT_EQ(GetOpenFileNameA(&request_), win::TRUE);
    EXPECT_EQ(QByteArray(file_.constData()), folder);
    EXPECT_EQ(file_.at(folder.size() + 2), '#'); // nothing past the buffer's size was written
    EXPECT_EQ(decodeCp932(QByteArray(title_.constData())), QStringLiteral("画像.BMP"));
}

TEST_F(FileDialogsTest, SaveAddsTheDefaultExtensionToATypedName) {
    const QByteArray initialDir = encodeCp932(folder_);
    request_.lpstrInitialDir = initialDir.constData();
    request_.lpstrDefExt = "txt";
    request_.Flags = OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    DialogAnswerer<QFileDialog> person([](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("名前を付けて保存"));
        typeFileName(dialog, QStringLiteral("メモ"));
    });
    ASSERT_EQ(GetSaveFileNameA(&request_), win::TRUE);
    EXPECT_EQ(decodeCp932(QByteArray(file_.constData())),
              QDir(folder_).absolutePath() + QStringLiteral("/メモ.txt"));
    EXPECT_EQ(request_.Flags & OFN_EXTENSIONDIFFERENT, 0u);
}

TEST(GetFileTitle, NamePartSizeAndBadPaths) {
    char buffer[16] = "untouched";
    EXPECT_EQ(GetFileTitleA("/home/user/report.txt", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "report.txt");
    EXPECT_EQ(GetFileTitleA("C:\\data\\a.ini", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "a.ini");
    // "予表" ends in the byte 0x5C, which is not a separator inside a character.
    const QByteArray name = encodeCp932(QStringLiteral("予表.txt"));
    ASSERT_TRUE(name.contains('\\'));
    EXPECT_EQ(GetFileTitleA(("dir/" + name).constData(), buffer, sizeof buffer), 0);
    EXPECT_EQ(QByteArray(buffer), name);

    qstrcpy(buffer, "untouched");
    EXPECT_EQ(GetFileTitleA("/x/long-name.txt", buffer, 5), 14);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(GetFileTitleA("/x/long-name.txt", nullptr, 0), 14);
    for (const char* bad : {"", "/home/user/", "dir\\", "a/b*.txt", "a/what?", "a/x|y"})
        EXPECT_LT(GetFileTitleA(bad, buffer, sizeof buffer), 0) << bad;
    EXPECT_LT(GetFileTitleA(nullptr, buffer, sizeof buffer), 0);
}

} // namespace
