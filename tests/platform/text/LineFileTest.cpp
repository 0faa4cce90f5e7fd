#include "platform/text/LineFile.h"
#include "platform/runtime/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/TempFiles.h"

using namespace platform::text;
using platform::RuntimeError;

using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

template <typename F> int errorOf(F&& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(LineFile, ReadsCrLfAndLfLinesWithoutAnExtraLastLine) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("list.txt");

    writeBytes(path, "one\r\ntwo\r\n\r\nfour\r\n");
    EXPECT_EQ(readLines(path), QStringList({"one", "two", "", "four"}));
    writeBytes(path, "one\ntwo\n");
    EXPECT_EQ(readLines(path), QStringList({"one", "two"}));
    writeBytes(path, "mixed\r\nunix\nlast");
    EXPECT_EQ(readLines(path), QStringList({"mixed", "unix", "last"}));
    writeBytes(path, "a\rb\r\n");
    EXPECT_EQ(readLines(path), QStringList({"a\rb"})); // a lone CR is part of the line
    writeBytes(path, "\r\n");
    EXPECT_EQ(readLines(path), QStringList({""}));
    writeBytes(path, "");
    EXPECT_TRUE(readLines(path).isEmpty());
    writeBytes(path, QByteArray::fromHex("93fa967b0d0a"));
    EXPECT_EQ(readLines(path), QStringList({QString::fromUtf8("日本")}));
    writeBytes(path, "\xEF\xBB\xBF\xED\x95\x9C\r\nx");
    EXPECT_EQ(readLines(path), QStringList({QString::fromUtf8("한"), "x"}));
}

TEST(LineFile, WritesCrLfInCodePage932OrUtf8WhenNeeded) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("out.txt");

    writeLinesAtomic(path, {QString::fromUtf8("日本"), "", "abc"});
    EXPECT_EQ(readBytes(path), QByteArray::fromHex("93fa967b0d0a0d0a6162630d0a"));

    // One line outside the code page turns the whole file into UTF-8.
    const QStringList mixed = {QString::fromUtf8("日本"), QString::fromUtf8("😀 한국 café")};
    writeLinesAtomic(path, mixed);
    EXPECT_TRUE(readBytes(path).startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(readLines(path), mixed);

    writeLinesAtomic(path, {});
    EXPECT_EQ(readBytes(path), QByteArray());
    EXPECT_TRUE(fileExists(path));

    // No temporary file is left beside the result.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"out.txt"}));
}

TEST(LineFile, FailuresRaiseFileErrorsAndKeepTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("keep.txt");
    writeBytes(path, "old\r\n");

    EXPECT_EQ(errorOf([&] { readLines(dir.filePath("missing.txt")); }),
              platform::err::FileNotFound);
    EXPECT_EQ(errorOf([&] { readLines(dir.filePath("nofolder/x.txt")); }),
              platform::err::PathNotFound);
    EXPECT_EQ(errorOf([&] { readLines(dir.path()); }), platform::err::PathFileAccessError);
    // A file too large to read whole is refused before any of it is read (a
    // sparse file takes no disk).
    QFile huge(dir.filePath("huge.lst"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxReadFileBytes + 1));
    huge.close();
    EXPECT_EQ(errorOf([&] { readLines(huge.fileName()); }), platform::err::OutOfMemory);
    EXPECT_EQ(errorOf([&] { writeLinesAtomic(dir.filePath("nofolder/x.txt"), {"a"}); }),
              platform::err::PathNotFound);
    EXPECT_FALSE(folderExists(dir.filePath("nofolder"))); // never creates folders

    // A directory in the target's place, and a read-only target, are unwritable.
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_EQ(errorOf([&] { replaceFileAtomic(dir.filePath("sub"), "x"); }),
              platform::err::PathFileAccessError);
    EXPECT_TRUE(folderExists(dir.filePath("sub")));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    EXPECT_EQ(errorOf([&] { writeLinesAtomic(path, {"new"}); }),
              platform::err::PathFileAccessError);
    EXPECT_EQ(readBytes(path), "old\r\n");
    EXPECT_EQ(errorOf([&] { deleteFile(path); }), platform::err::PathFileAccessError);
    EXPECT_TRUE(fileExists(path));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));

    // A writable target is replaced and keeps its permissions.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther));
    replaceFileAtomic(path, "new\r\n");
    EXPECT_EQ(readBytes(path), "new\r\n");
    EXPECT_TRUE(QFile::permissions(path).testFlag(QFile::ReadOther));

    EXPECT_EQ(errorOf([&] { deleteFile(dir.filePath("missing.txt")); }),
              platform::err::FileNotFound);
    deleteFile(path);
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(errorOf([&] { deleteFile(path); }), platform::err::FileNotFound);
}

TEST(LineFile, ListsMatchingRegularFilesInAlphabeticalOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"b.xml", "A.XML", "a.xml", "c.txt", "noext", "d.xml.bak", "ab.xml"}) {
        writeBytes(dir.filePath(name), "x");
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.xml"));

    EXPECT_EQ(listFiles(dir.path(), "*.xml"), QStringList({"A.XML", "a.xml", "ab.xml", "b.xml"}));
    EXPECT_EQ(listFiles(dir.path(), "?.XmL"), QStringList({"A.XML", "a.xml", "b.xml"}));
    EXPECT_EQ(listFiles(dir.path(), "*.*").size(), 7);
    EXPECT_EQ(listFiles(dir.path(), "*x*"),
              QStringList({"A.XML", "a.xml", "ab.xml", "b.xml", "c.txt", "d.xml.bak", "noext"}));
    EXPECT_EQ(listFiles(dir.path(), "[a].xml"), QStringList()); // brackets are plain characters
    EXPECT_EQ(listFiles(dir.filePath("nowhere"), "*"), QStringList());

    EXPECT_TRUE(fileExists(dir.filePath("noext")));
    EXPECT_FALSE(fileExists(dir.filePath("folder.xml")));
    EXPECT_TRUE(folderExists(dir.filePath("folder.xml")));
    EXPECT_FALSE(folderExists(dir.filePath("noext")));
    EXPECT_FALSE(fileExists(QString()));
}
