#include "platform/profile/PrivateProfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/TempFiles.h"

using platform::profile::getPrivateProfileString;
using platform::profile::writePrivateProfileString;

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

class ProfileFile {
public:
    ProfileFile() : path_(dir_.filePath("setting.ini")) {}
    const QString& path() const { return path_; }
    QString get(const QString& section, const QString& key, int bufferSize = 256) const {
        return getPrivateProfileString(section, key, "(default)", bufferSize, path_);
    }
    bool put(const QString& section, const QString& key, const QString& value) const {
        return writePrivateProfileString(section, key, value, path_);
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

} // namespace

TEST(PrivateProfile, ReadsValuesByTheFileRules) {
    ProfileFile file;
    writeBytes(file.path(), "top=outside any section\r\n"
                            "  [ Window ]  \r\n"
                            "; Left=commented out\r\n"
                            "Left = 120 \r\n"
                            "left=second, ignored\r\n"
                            "Title=\"  quoted  \"\r\n"
                            "Half=\"open\r\n"
                            "Lone=\"\r\n"
                            "Empty=\r\n"
                            "Expr=a=b\r\n"
                            "no equals sign here\r\n"
                            "[Other]\r\n"
                            "Left=999\r\n"
                            "[window]\r\n"
                            "Late=from the repeated section\n");

    EXPECT_EQ(file.get("window", "LEFT"), "120");
    EXPECT_EQ(file.get(" Window ", " Left "), "120");
    EXPECT_EQ(file.get("Window", "Title"), "  quoted  ");
    EXPECT_EQ(file.get("Window", "Half"), "\"open");
    EXPECT_EQ(file.get("Window", "Lone"), "\"");
    EXPECT_EQ(file.get("Window", "Empty"), "");
    EXPECT_EQ(file.get("Window", "Expr"), "a=b");
    EXPECT_EQ(file.get("Other", "left"), "999");
    EXPECT_EQ(file.get("Window", "Late"), "(default)"); // only the first [Window] counts
    EXPECT_EQ(file.get("Window", "top"), "(default)");
    EXPECT_EQ(file.get("Window", "no equals sign here"), "(default)");
    EXPECT_EQ(file.get("Window", "; Left"), "(default)");
    EXPECT_EQ(file.get("Missing", "Left"), "(default)");
    EXPECT_EQ(file.get("Window", "Missing"), "(default)");
    EXPECT_EQ(getPrivateProfileString("Window", "Left", "d", 10, file.path() + ".none"), "d");

    // The buffer holds bufferSize - 1 characters, defaults included.
    EXPECT_EQ(file.get("Window", "Expr", 3), "a=");
    EXPECT_EQ(file.get("Window", "Left", 1), "");
    EXPECT_EQ(file.get("Window", "Left", 0), "");
    EXPECT_EQ(file.get("Window", "Left", -5), "");
    EXPECT_EQ(file.get("Window", "Missing", 5), "(def");
    writeBytes(file.path(), "\xEF\xBB\xBF[s]\r\nk=a😀\r\n");
    EXPECT_EQ(file.get("s", "k", 3), "a"); // never half an emoji
    EXPECT_EQ(file.get("s", "k", 4), QString::fromUtf8("a😀"));
}

TEST(PrivateProfile, DefaultsLoseTrailingBlanksAndLoneCarriageReturnsEndLines) {
    ProfileFile file;
    writeBytes(file.path(), "[General]\rTab=1\rSkin=default\r[Font]\rName=x\r");
    EXPECT_EQ(file.get("General", "Tab"), "1");
    EXPECT_EQ(file.get("General", "Skin"), "default");
    EXPECT_EQ(file.get("Font", "Name"), "x");
    EXPECT_EQ(getPrivateProfileString("General", "Missing", "default  ", 256, file.path()),
              "default");
    EXPECT_EQ(getPrivateProfileString("General", "Missing", "ab \t ", 3, file.path()), "ab");
    EXPECT_EQ(getPrivateProfileString("General", "Missing", "  lead", 256, file.path()), "  lead");
    // Writing into such a file keeps every key on a line of its own.
    ASSERT_TRUE(file.put("General", "Tab", "2"));
    EXPECT_EQ(readBytes(file.path()),
              QByteArray("[General]\r\nTab=2\r\nSkin=default\r\n[Font]\r\nName=x\r\n"));
}

TEST(PrivateProfile, WritesInPlaceAndKeepsEveryOtherLine) {
    ProfileFile file;
    writeBytes(file.path(), "; settings\r\n"
                            "[Window]\r\n"
                            "Left=1\r\n"
                            "odd line\r\n"
                            "\r\n"
                            "\r\n"
                            "[Feed]\r\n"
                            "Interval=30\r\n");

    ASSERT_TRUE(file.put("window", "LEFT", "250"));
    ASSERT_TRUE(file.put("Window", "Top", "40"));
    ASSERT_TRUE(file.put("Feed", "Count", "5"));
    ASSERT_TRUE(file.put("Proxy", "Host", "example.invalid"));
    EXPECT_EQ(readBytes(file.path()), "; settings\r\n"
                                      "[Window]\r\n"
                                      "LEFT=250\r\n"
                                      "odd line\r\n"
                                      "Top=40\r\n"
                                      "\r\n"
                                      "\r\n"
                                      "[Feed]\r\n"
                                      "Interval=30\r\n"
                                      "Count=5\r\n"
                                      "[Proxy]\r\n"
                                      "Host=example.invalid\r\n");
    EXPECT_EQ(file.get("Window", "Left"), "250");
    EXPECT_EQ(file.get("Window", "Top"), "40");

    // Values that reading would change are kept as written.
    ASSERT_TRUE(file.put("Window", "Caption", "  padded  "));
    EXPECT_EQ(file.get("Window", "Caption"), "  padded  ");
    ASSERT_TRUE(file.put("Window", "Caption", "\"quoted\""));
    EXPECT_EQ(file.get("Window", "Caption"), "\"quoted\"");
    ASSERT_TRUE(file.put("Window", "Caption", ""));
    EXPECT_EQ(file.get("Window", "Caption"), "");

    // Entries that would break the file apart are refused and change nothing.
    const QByteArray before = readBytes(file.path());
    EXPECT_FALSE(file.put("Window", "Left", "1\r\n[Evil]"));
    EXPECT_FALSE(file.put("Window", "a=b", "1"));
    EXPECT_FALSE(file.put("", "Left", "1"));
    EXPECT_FALSE(file.put("Window", " ", "1"));
    EXPECT_EQ(readBytes(file.path()), before);
}

TEST(PrivateProfile, CreatesFilesAndStoresJapaneseInCodePage932) {
    ProfileFile file;
    ASSERT_TRUE(file.put("General", "Name", QString::fromUtf8("日本")));
    EXPECT_EQ(readBytes(file.path()),
              QByteArray("[General]\r\nName=") + QByteArray::fromHex("93fa967b") + "\r\n");
    EXPECT_EQ(file.get("general", "name"), QString::fromUtf8("日本"));

    // A value outside the code page keeps the whole file intact as UTF-8.
    ASSERT_TRUE(file.put("General", "Feed", QString::fromUtf8("한국 뉴스")));
    EXPECT_TRUE(readBytes(file.path()).startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(file.get("General", "Feed"), QString::fromUtf8("한국 뉴스"));
    EXPECT_EQ(file.get("General", "Name"), QString::fromUtf8("日本"));

    // A missing folder cannot be written; nothing is created.
    const QString nowhere = file.path() + ".d/setting.ini";
    EXPECT_FALSE(writePrivateProfileString("General", "Name", "x", nowhere));
    EXPECT_FALSE(QFile::exists(nowhere));
    EXPECT_EQ(getPrivateProfileString("General", "Name", "d", 8, nowhere), "d");
}
