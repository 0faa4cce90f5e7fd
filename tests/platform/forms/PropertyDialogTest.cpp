// The property dialog drives its pages the way a page expects: initialise and
// the selection when it opens, apply only for changed pages on 適用 and OK, and
// each page's close exactly once however the dialog closes.
#include "platform/forms/PropertyDialog.h"
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform::forms;

namespace {

// Records every event as "caption.event"; refuses to apply while told to.
class FakePage : public PropertyPage {
public:
    FakePage(QString caption, QStringList& log) : caption_(std::move(caption)), log_(log) {}
    QString caption() const override { return caption_; }
    void initialisePage() override { log_.append(caption_ + QStringLiteral(".initialise")); }
    void selectionChanged(const std::vector<SelectedControl>& selected) override {
        log_.append(QStringLiteral("%1.selection(%2)").arg(caption_).arg(selected.size()));
    }
    void applyChanges() override {
        log_.append(caption_ + QStringLiteral(".apply"));
        if (!refuse) {
            setChanged(false);
        }
    }
    void closePage() override { log_.append(caption_ + QStringLiteral(".close")); }
    bool refuse = false;

private:
    QString caption_;
    QStringList& log_;
};

class PropertyDialogTest : public ::testing::Test {
protected:
    PropertyDialogTest() {
        for (const char* caption : {"全般", "メニュー項目"}) {
            factories.push_back([this, caption] {
                return std::make_unique<FakePage>(QString::fromUtf8(caption), log);
            });
        }
        dialog = std::make_unique<PropertyDialog>(factories, selection);
        log.clear();
    }
    FakePage& page(int index) { return static_cast<FakePage&>(*dialog->page(index)); }

    QStringList log;
    std::vector<PropertyPageFactory> factories;
    std::vector<SelectedControl> selection{SelectedControl{}};
    std::unique_ptr<PropertyDialog> dialog;
};

TEST(PropertyDialogOpening, PagesAreTabsByCaptionInitialisedThenToldTheSelection) {
    QStringList log;
    std::vector<PropertyPageFactory> factories;
    for (const char* caption : {"全般", "メニュー項目", "タイトルバー"}) {
        factories.push_back([&log, caption] {
            return std::make_unique<FakePage>(QString::fromUtf8(caption), log);
        });
    }
    PropertyDialog dialog(factories, {SelectedControl{}, SelectedControl{}});
    auto* tabs = dialog.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("タイトルバー"));
    EXPECT_EQ(log, QStringList({"全般.initialise", "メニュー項目.initialise",
                                "タイトルバー.initialise", "全般.selection(2)",
                                "メニュー項目.selection(2)", "タイトルバー.selection(2)"}));
    EXPECT_FALSE(dialog.applyButton()->isEnabled());
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(dialog.applyButton()->text(), QStringLiteral("適用"));
}

TEST_F(PropertyDialogTest, ApplyGoesOnlyToChangedPagesAndOkClosesOnceNoneIsLeft) {
    dialog->show();
    page(1).setChanged(true);
    EXPECT_TRUE(dialog->applyButton()->isEnabled());
    QTest::mouseClick(dialog->applyButton(), Qt::LeftButton);
    EXPECT_EQ(log, QStringList({"メニュー項目.apply"}));
    EXPECT_FALSE(dialog->applyButton()->isEnabled());
    EXPECT_TRUE(dialog->isVisible());

    // A page that refuses keeps the dialog open on OK, with its tab in front.
    log.clear();
    page(0).setChanged(true);
    page(0).refuse = true;
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_EQ(log, QStringList({"全般.apply"}));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QTabWidget*>()->currentIndex(), 0);
    EXPECT_TRUE(dialog->applyButton()->isEnabled());

    log.clear();
    page(0).refuse = false;
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_EQ(log, QStringList({"全般.apply", "全般.close", "メニュー項目.close"}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    dialog.reset(); // closed already: no second close
    EXPECT_EQ(log.count(QStringLiteral("全般.close")), 1);
}

TEST_F(PropertyDialogTest, CancelAndTheCloseBoxCloseEveryPageWithoutApplying) {
    dialog->show();
    page(0).setChanged(true);
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(log, QStringList({"全般.close", "メニュー項目.close"}));
    EXPECT_EQ(dialog->result(), QDialog::Rejected);

    // A second dialog closed by its window's close box.
    log.clear();
    PropertyDialog second(factories, selection);
    second.show();
    log.clear();
    second.close();
    EXPECT_EQ(log, QStringList({"全般.close", "メニュー項目.close"}));
    // A selection change while open reaches every page again.
    log.clear();
    PropertyDialog third(factories, selection);
    log.clear();
    third.setSelection({});
    EXPECT_EQ(log, QStringList({"全般.selection(0)", "メニュー項目.selection(0)"}));
}

} // namespace
