// The designer's document: a form opened in design mode, controls placed,
// selected and deleted, changes made through property pages, and saving that
// either writes a file that reads back the same or fails leaving everything
// as it was.
#include "tools/formdesign/DesignDocument.h"
#include "platform/forms/FormFile.h"
#include "platform/forms/HostedControl.h"
#include "platform/forms/PropertyDialog.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/win/Window.h"
#include "support/TempFiles.h"
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform::forms;
using formdesign::DesignDocument;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

// Records the message boxes and gives a set answer.
struct RecordingMessages : platform::MessagePresenter {
    struct Shown {
        QString text;
        MsgIcon icon;
        QString title;
    };
    std::vector<Shown> shown;
    MsgResult answer = MsgResult::Ok;
    MsgResult show(const QString& text, MsgButtons, MsgIcon icon, const QString& title) override {
        shown.push_back({text, icon, title});
        return answer;
    }
};

MenuControlDescription menu(const char* name, const char* parent, const char* caption) {
    MenuControlDescription m;
    m.name = QString::fromLatin1(name);
    m.parentName = QString::fromLatin1(parent);
    m.caption = QString::fromUtf8(caption);
    return m;
}

class DesignDocumentTest : public ::testing::Test {
protected:
    void writeForm(const QString& className, int count) {
        FormFile file;
        file.formName = QStringLiteral("Form1");
        file.menus = {menu("mnuFile", "", "ファイル(&F)"),
                      menu("mnuFileOpen", "mnuFile", "開く(&O)"),
                      menu("mnuHelp", "", "ヘルプ(&H)")};
        for (int i = 1; i <= count; ++i) {
            file.controls.push_back({QStringLiteral("Control%1").arg(i), className, {}});
        }
        writeFormFile(path, file);
    }
    DesignDocument& open(const char* libraryFolder) {
        document = std::make_unique<DesignDocument>(
            &window, std::make_shared<ControlLibraries>(QString::fromUtf8(libraryFolder)),
            messages);
        document->open(path);
        return *document;
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Form1.frm"));
    QMainWindow window;
    RecordingMessages messages;
    std::unique_ptr<DesignDocument> document; // last: the form goes before the rest
};

TEST_F(DesignDocumentTest, ASecondMenuControlWarnsOnceWhenPlacedButNotWhenLoaded) {
    writeForm(QStringLiteral("OwnerDrawMenu"), 1);
    DesignDocument& doc = open(ZEPHALT_DIR);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(doc.dirty());
    // Designed, not running: the control leaves the form's window alone.
    EXPECT_EQ(platform::win::GetProp(doc.form().windowHandle(), QStringLiteral("zxCtrlPtr")), 0u);
    ASSERT_TRUE(doc.classNames().contains(QStringLiteral("OwnerDrawMenu")));

    const QString placed = doc.place(QStringLiteral("OwnerDrawMenu"));
    EXPECT_EQ(placed, QStringLiteral("OwnerDrawMenu1"));
    EXPECT_EQ(doc.selected(), placed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("警告"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("本コントロールは１つのフォームに１つしか配置できません。\r\n"
                             "２つ以上有る場合、誤動作の原因になります。\r\n削除してください。"));
    EXPECT_TRUE(doc.dirty());

    // The control keeps 600 x 600 twips whatever it is given, stored the
    // host's way (1058 hundredths of a millimetre), and draws a raised edge.
    const auto controls = doc.controls();
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[1].twips.size(), QSize(600, 600));
    EXPECT_EQ(controls[1].pixels().size(), QSize(40, 40));
    EXPECT_FALSE(controls[0].twips.intersects(controls[1].twips));
    HostedControl* hosted = doc.form().hostedControl(placed);
    EXPECT_EQ(hosted->control().designExtent(QSize(5000, 100)), QSize(600, 600));
    EXPECT_EQ(hosted->properties().read(QStringLiteral("_extentx")).toInt(), 1058);
    QImage look(40, 40, QImage::Format_RGB32);
    look.fill(Qt::blue);
    const platform::win::HDC dc = platform::gdi::createImageDC(&look);
    hosted->control().paintDesign(dc, platform::win::RECT{0, 0, 40, 40});
    platform::gdi::releaseImageDC(dc);
    EXPECT_EQ(look.pixelColor(39, 39), QColor(64, 64, 64));  // outer dark shadow
    EXPECT_EQ(look.pixelColor(1, 1), QColor(255, 255, 255)); // inner highlight
    EXPECT_EQ(look.pixelColor(20, 20), QColor(Qt::blue));    // inside untouched

    // Saved with two, the form loads again without a warning.
    ASSERT_TRUE(doc.save(nullptr));
    EXPECT_FALSE(doc.dirty());
    document.reset();
    messages.shown.clear();
    open(ZEPHALT_DIR);
    EXPECT_EQ(document->controls().size(), 2u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DesignDocumentTest, QuilletsFormSavedUnchangedKeepsEveryStoredValueAndItsSpelling) {
    FormFile original = readFormFile(QStringLiteral(FORM1_PATH));
    ASSERT_EQ(original.controls.size(), 1u);
    // The control keeps settings only for entries the form has, so give it
    // the sixteen entries its stored list names.
    const QString names =
        original.controls[0].properties.value(QStringLiteral("menuitemnames")).toString();
    original.menus = {menu("mnuAll", "", "All")};
    for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
        MenuControlDescription entry = menu("", "mnuAll", "x");
        entry.name = name;
        original.menus.push_back(entry);
    }
    ASSERT_EQ(original.menus.size(), 17u);
    writeFormFile(path, original);
    const QByteArray before = testing_support::readBytes(path);

    DesignDocument& doc = open(ZEPHALT_DIR);
    EXPECT_FALSE(doc.dirty());
    ASSERT_TRUE(doc.save(nullptr));
    EXPECT_EQ(readFormFile(path).controls[0].properties, original.controls[0].properties);
    EXPECT_EQ(testing_support::readBytes(path), before);
}

TEST_F(DesignDocumentTest, APageChangeMakesTheFormDirtyAndTheSavedFileReadsBackTheSame) {
    writeForm(QStringLiteral("TestHost.Probe"), 2);
    DesignDocument& doc = open(TESTCONTROL_DIR);
    EXPECT_FALSE(doc.dirty());
    // Tab goes round the controls in form order.
    doc.selectNext();
    EXPECT_EQ(doc.selected(), QStringLiteral("Control1"));
    doc.selectNext();
    doc.selectNext();
    EXPECT_EQ(doc.selected(), QStringLiteral("Control1"));
    doc.selectNext(true);
    EXPECT_EQ(doc.selected(), QStringLiteral("Control2"));
    EXPECT_EQ(doc.controlAt(doc.controls()[0].twips.center()), QStringLiteral("Control1"));

    {
        PropertyDialog dialog(doc.selectedPages(), doc.selection());
        ASSERT_EQ(dialog.pageCount(), 1);
        dialog.show();
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("caption"));
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, QStringLiteral("Title \"x\""));
        EXPECT_FALSE(doc.dirty()); // nothing reaches the control before apply
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    }
    EXPECT_TRUE(doc.dirty());
    EXPECT_EQ(doc.form().changedProperties(), QStringList({"Control2.Caption"}));

    ASSERT_TRUE(doc.save(nullptr));
    EXPECT_FALSE(doc.dirty());
    const FormFile saved = readFormFile(path);
    ASSERT_EQ(saved.controls.size(), 2u);
    EXPECT_EQ(saved.controls[1].properties, doc.form().storedProperties("Control2")->values());
    EXPECT_EQ(saved.controls[1].properties.value(QStringLiteral("Caption")),
              QStringLiteral("Title \"x\""));
    // The menus go back into the file as they came.
    ASSERT_EQ(saved.menus.size(), 3u);
    EXPECT_EQ(saved.menus[1].parentName, QStringLiteral("mnuFile"));

    // Deleting is a change too, and the deleted control is gone from the file.
    doc.removeSelected();
    EXPECT_TRUE(doc.selected().isEmpty());
    EXPECT_TRUE(doc.dirty());
    ASSERT_TRUE(doc.save(nullptr));
    EXPECT_EQ(readFormFile(path).controls.size(), 1u);
}

TEST_F(DesignDocumentTest, AFailedSaveNamesTheFileKeepsTheFormDirtyAndTheOldFileWhole) {
    writeForm(QStringLiteral("TestHost.Probe"), 1);
    const QByteArray before = testing_support::readBytes(path);
    DesignDocument& doc = open(TESTCONTROL_DIR);
    doc.place(QStringLiteral("TestHost.Probe"));
    ASSERT_TRUE(doc.dirty());

    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (::geteuid() == 0) {
        // The superuser writes into any folder; a read-only file still stops it.
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    }
    QString error;
    EXPECT_FALSE(doc.save(&error));
    EXPECT_TRUE(error.contains(path)) << qPrintable(error);
    EXPECT_TRUE(doc.dirty());
    EXPECT_EQ(testing_support::readBytes(path), before);

    // Closing asks; はい tries to save, and a failed save keeps the window.
    messages.answer = MsgResult::Yes;
    EXPECT_FALSE(doc.confirmClose());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("変更を保存しますか?")));
    EXPECT_TRUE(messages.shown[1].text.contains(path));
    EXPECT_EQ(messages.shown[1].icon, MsgIcon::Critical);
    messages.answer = MsgResult::Cancel;
    EXPECT_FALSE(doc.confirmClose());
    messages.answer = MsgResult::No;
    EXPECT_TRUE(doc.confirmClose());
    EXPECT_EQ(testing_support::readBytes(path), before);

    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    messages.answer = MsgResult::Yes;
    EXPECT_TRUE(doc.confirmClose());
    EXPECT_FALSE(doc.dirty());
    EXPECT_EQ(readFormFile(path).controls.size(), 2u);
}

} // namespace
