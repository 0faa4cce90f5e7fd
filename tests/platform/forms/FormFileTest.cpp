// Form files: every kind of stored value survives writing and reading, the
// text stays readable, and a damaged or hostile file fails with the file name
// and line instead of crashing or allocating without bound.
#include "platform/forms/FormFile.h"
#include "platform/forms/ControlLibraries.h"
#include "platform/forms/FontObject.h"
#include "platform/forms/HostForm.h"
#include "platform/runtime/RuntimeError.h"
#include "support/TempFiles.h"
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <tuple>

using platform::RuntimeError;
using namespace platform::forms;

namespace {

FormFile sampleForm() {
    FontObject font;
    font.name = QStringLiteral("ＭＳ Ｐゴシック");
    font.size = 9;
    font.weight = 400;
    font.charset = 128;
    font.underline = true;
    QByteArray bytes;
    for (int i = 0; i < 70; ++i) {
        bytes.append(static_cast<char>(i * 37));
    }
    FormFile form;
    form.formName = QStringLiteral("Form1");
    auto menu = [&](const char* name, int index, const char* parent, int parentIndex,
                    const QString& caption) -> MenuControlDescription& {
        MenuControlDescription m;
        m.name = QString::fromLatin1(name);
        m.index = index;
        m.parentName = QString::fromLatin1(parent);
        m.parentIndex = parentIndex;
        m.caption = caption;
        form.menus.push_back(m);
        return form.menus.back();
    };
    menu("mnuFile", NoIndex, "", NoIndex, QStringLiteral("ファイル(&F)"));
    menu("mnuFileOpen", NoIndex, "mnuFile", NoIndex, QStringLiteral("開く \"x\" = y")).shortcut =
        15;
    menu("mnuRecent", 0, "mnuFile", NoIndex, QStringLiteral("-")).visible = false;
    MenuControlDescription& last = menu("mnuRecentItem", 7, "mnuRecent", 0, QString());
    last.checked = true;
    last.enabled = false;
    form.controls.push_back({QStringLiteral("Zephalt1"),
                             QStringLiteral("OwnerDrawMenu"),
                             {{QStringLiteral("_extentx"), 1058},
                              {QStringLiteral("Negative"), -2147483647 - 1},
                              {QStringLiteral("MenuBar"), QVariant::fromValue<uint>(0x80000004u)},
                              {QStringLiteral("SystemMenu"), true},
                              {QStringLiteral("Other"), false},
                              {QStringLiteral("MenuFont"), QVariant::fromValue(font)},
                              {QStringLiteral("Caption"), QStringLiteral("引用 \"a\\b\"\r\n\tend")},
                              {QStringLiteral("Empty"), QString()},
                              {QStringLiteral("mnuFileOpen.UnCheckedIcon(0)"), bytes},
                              {QStringLiteral("NoBytes"), QByteArray()}}});
    form.controls.push_back({QStringLiteral("Second"), QStringLiteral("TestHost.Probe"), {}});
    return form;
}

// The error raised by reading text as a form file named "t.frm".
QString failureOf(const QByteArray& text) {
    try {
        parseFormFile(text, QStringLiteral("t.frm"));
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), FormFileInvalid);
        return error.description();
    }
    return QStringLiteral("(no error)");
}

} // namespace

TEST(FormFile, EveryKindOfValueComesBackAsItWasWritten) {
    const FormFile form = sampleForm();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Form1.frm"));
    writeFormFile(path, form);
    const FormFile read = readFormFile(path);
    EXPECT_EQ(read.formName, form.formName);
    ASSERT_EQ(read.controls.size(), 2u);
    EXPECT_EQ(read.controls[0].className, QStringLiteral("OwnerDrawMenu"));
    const QVariantMap& written = form.controls[0].properties;
    const QVariantMap& back = read.controls[0].properties;
    ASSERT_EQ(back.keys(), written.keys());
    for (const QString& key : written.keys()) {
        EXPECT_EQ(back[key].metaType(), written[key].metaType()) << qPrintable(key);
        EXPECT_EQ(back[key], written[key]) << qPrintable(key);
    }
    EXPECT_TRUE(read.controls[1].properties.isEmpty());
    ASSERT_EQ(read.menus.size(), form.menus.size());
    for (size_t i = 0; i < form.menus.size(); ++i) {
        const MenuControlDescription& a = form.menus[i];
        const MenuControlDescription& b = read.menus[i];
        EXPECT_EQ(std::tie(b.name, b.index, b.parentName, b.parentIndex, b.caption, b.checked,
                           b.enabled, b.visible, b.shortcut),
                  std::tie(a.name, a.index, a.parentName, a.parentIndex, a.caption, a.checked,
                           a.enabled, a.visible, a.shortcut))
            << i;
    }

    // Readable in a diff: one value a line, bytes as short hexadecimal lines.
    const QString text = QString::fromUtf8(testing_support::readBytes(path));
    EXPECT_TRUE(text.contains(QStringLiteral("    MenuBar = Colour(&H80000004)\r\n")));
    EXPECT_TRUE(text.contains(
        QStringLiteral("Menu mnuRecentItem(7) In mnuRecent(0) = \"\" Checked Disabled\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral(
        "    MenuFont = Font(\"ＭＳ Ｐゴシック\", 9, 400, 128, False, True, False)\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("    mnuFileOpen.UnCheckedIcon(0) = Bytes(70)\r\n"
                                             "        : 00254A6F 94B9DE03")));
    // Saving again gives the same bytes, so unchanged forms make no diff.
    EXPECT_EQ(formatFormFile(read), formatFormFile(form));
}

TEST(FormFile, DamagedFilesFailNamingFileAndLine) {
    const QByteArray head = "FormFile 1\r\nForm Form1\r\nBegin OwnerDrawMenu Z1\r\n";
    const struct {
        QByteArray text;
        int line;
    } cases[] = {
        {"", 0},
        {"FormFile 2\r\n", 1},
        {"FormFile 1\nForm\n", 2},
        {head + "    A = 1\r\n", 4},                                   // no End
        {head + "    A = \"open\r\nEnd\r\n", 4},                       // string not closed
        {head + "    A = \"bad \\q\"\r\nEnd\r\n", 4},                  // unknown escape
        {head + "    A = 99999999999\r\nEnd\r\n", 4},                  // out of range
        {head + "    A = Colour(&H123456789)\r\nEnd\r\n", 4},          // too many digits
        {head + "    A = Font(\"x\", 9, 400)\r\nEnd\r\n", 4},          // truncated font
        {head + "    A = 1 2\r\nEnd\r\n", 4},                          // trailing text
        {head + "    A = 1\r\n    a = 2\r\nEnd\r\n", 5},               // duplicate name
        {head + "    A = Bytes(4)\r\n        : 0102\r\nEnd\r\n", 6},   // too few bytes
        {head + "    A = Bytes(2)\r\n        : 010203\r\nEnd\r\n", 5}, // too many
        {head + "    A = Bytes(2)\r\n        : 01G2\r\nEnd\r\n", 5},   // not hexadecimal
        {head + "    A = Bytes(2)\r\n", 4},                            // file ends
        {head + "End\r\nBegin OwnerDrawMenu z1\r\n", 5},               // duplicate control
        {head + "    Bad Name = 1\r\nEnd\r\n", 4},
        {head + "    A = \"\xff\xfe\"\r\nEnd\r\n", 4},         // not UTF-8
        {"FormFile 1\r\nForm F\r\nMenu m(x) = \"a\"\r\n", 3},  // index not a number
        {"FormFile 1\r\nForm F\r\nMenu m(-1) = \"a\"\r\n", 3}, // negative index
        {"FormFile 1\r\nForm F\r\nMenu m Under p = \"a\"\r\n", 3},
        {"FormFile 1\r\nForm F\r\nMenu m = \"a\" Bold\r\n", 3}, // unknown attribute
        {"FormFile 1\r\nForm F\r\nMenu m = a\r\n", 3},          // caption not quoted
    };
    for (const auto& c : cases) {
        const QString message = failureOf(c.text);
        EXPECT_TRUE(message.contains(QStringLiteral("t.frm の %1 行目").arg(c.line)))
            << qPrintable(message) << " for " << c.text.constData();
    }
}

TEST(FormFile, HostileSizesAreRefusedBeforeAnythingIsAllocated) {
    const QByteArray head = "FormFile 1\r\nForm Form1\r\nBegin OwnerDrawMenu Z1\r\n";
    EXPECT_TRUE(failureOf(head + "    A = Bytes(2000000000)\r\nEnd\r\n").contains("4 行目"));
    EXPECT_TRUE(failureOf(head + "    A = Bytes(-1)\r\nEnd\r\n").contains("4 行目"));
    EXPECT_TRUE(
        failureOf(head + "    A = \"" + QByteArray(70000, 'x') + "\"\r\n").contains("4 行目"));
    EXPECT_TRUE(failureOf(QByteArray(FormFileMaxBytes + 1, '#')).contains("0 行目"));
    QByteArray many = "FormFile 1\nForm F\n";
    for (int i = 0; i <= FormFileMaxControls; ++i) {
        many += "Begin C c" + QByteArray::number(i) + "\nEnd\n";
    }
    EXPECT_TRUE(
        failureOf(many).contains(QStringLiteral("%1 行目").arg(3 + 2 * FormFileMaxControls)));
}

TEST(FormFile, AMissingFileIsAFileError) {
    try {
        readFormFile(QStringLiteral("/nonexistent/Form1.frm"));
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::err::FileNotFound);
        EXPECT_TRUE(error.description().contains(QStringLiteral("/nonexistent/Form1.frm")));
    }
}

TEST(FormFile, AFormLoadsItsControlsFromItsFileAndSavesThemBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Form1.frm"));
    testing_support::writeBytes(path, "FormFile 1\r\nForm Form1\r\n"
                                      "Begin TestHost.Probe odm1\r\n"
                                      "    Caption = \"保存\"\r\n"
                                      "    _extentx = 1058\r\n"
                                      "End\r\n");
    QStringList clicks;
    QWidget window;
    platform::forms::FormDescription description;
    description.name = QStringLiteral("Form1");
    description.formFile = path;
    QStringList loaded;
    HostForm form(&window, description,
                  std::make_shared<ControlLibraries>(QStringLiteral(TESTCONTROL_DIR)));
    form.setEventHandler([&](const QString& control, const QString& event, QVariantList& args) {
        if (event == QLatin1String("Loaded")) {
            loaded.append(control + u'=' + args.value(2).toString());
        }
    });
    form.load();
    EXPECT_EQ(loaded, QStringList{QStringLiteral("odm1=保存")});

    // A designer places a second instance; it starts from its defaults.
    form.placeControl(QStringLiteral("TestHost.Probe"), QStringLiteral("odm2"));
    EXPECT_EQ(loaded.last(), QStringLiteral("odm2=none"));
    EXPECT_THROW(form.placeControl(QStringLiteral("TestHost.Probe"), QStringLiteral("ODM1")),
                 RuntimeError);

    form.saveFormFile(path);
    const FormFile saved = readFormFile(path);
    ASSERT_EQ(saved.controls.size(), 2u);
    EXPECT_EQ(saved.controls[0].properties.value(QStringLiteral("Caption")),
              QStringLiteral("保存"));
    EXPECT_EQ(saved.controls[0].properties.value(QStringLiteral("_extentx")), 1058);
    EXPECT_EQ(saved.controls[1].properties.value(QStringLiteral("SavedOnRequest")), 1);

    // A damaged file fails the load with its name and line.
    testing_support::writeBytes(path, "FormFile 1\r\nForm Form1\r\nBegin X\r\n");
    QWidget otherWindow;
    HostForm broken(&otherWindow, description,
                    std::make_shared<ControlLibraries>(QStringLiteral(TESTCONTROL_DIR)));
    try {
        broken.load();
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_TRUE(error.description().contains(path + QStringLiteral(" の 3 行目")))
            << qPrintable(error.description());
    }
    EXPECT_FALSE(broken.isLoaded());
}

TEST(FormFile, AFormDescribedWithoutMenusTakesTheMenusOfItsFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Form1.frm"));
    testing_support::writeBytes(path, "FormFile 1\r\nForm Form1\r\n"
                                      "Menu mnuFile = \"ファイル(&F)\"\r\n"
                                      "Menu mnuFileOpen In mnuFile = \"開く(&O)\"\r\n");
    const auto libraries = std::make_shared<ControlLibraries>(QStringLiteral(TESTCONTROL_DIR));
    platform::forms::FormDescription description;
    description.name = QStringLiteral("Form1");
    description.formFile = path;
    QWidget window;
    HostForm form(&window, description, libraries);
    form.load();
    ASSERT_EQ(form.menuControls().size(), 2u);
    MenuControl* open = form.menuControl(QStringLiteral("mnuFileOpen"));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->parent(), form.menuControl(QStringLiteral("mnuFile")));
    EXPECT_NE(open->parent()->subMenu(), 0u);
    int clicked = 0;
    open->setClickHandler([&](int) { ++clicked; });
    open->click();
    EXPECT_EQ(clicked, 1);

    // A form that lists its own menus keeps them.
    platform::forms::MenuControlDescription own;
    own.name = QStringLiteral("mnuOwn");
    own.caption = QStringLiteral("自前");
    description.menus = {own};
    QWidget otherWindow;
    HostForm described(&otherWindow, description, libraries);
    described.load();
    ASSERT_EQ(described.menuControls().size(), 1u);
    EXPECT_EQ(described.menuControls()[0]->name(), QStringLiteral("mnuOwn"));
}
