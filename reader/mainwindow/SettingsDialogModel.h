#pragma once
// The settings dialog Form2 without its widgets: a page tree and five pages
// (behaviour switches, filtering, fonts, the parser's tag names, the feed
// lists), loaded from the settings in memory and the main window's fonts, and
// applied back to them. Only fonts and the filter go to the settings file at once.
#include "platform/controls/TreeViewModel.h"
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace quillet {

struct AppState;
struct MainWindowModel;
class MainWindowView;

class SettingsDialogModel {
public:
    static constexpr int FrameCount = 5;
    static constexpr int GeneralCount = 9;
    static constexpr int TagCount = 5;
    static constexpr int FontRows = 4;
    static constexpr int FilterRows = 3;

    // The load handler.
    SettingsDialogModel(AppState& app, MainWindowModel& window, MainWindowView& view);

    SettingsDialogModel(const SettingsDialogModel&) = delete;
    SettingsDialogModel& operator=(const SettingsDialogModel&) = delete;

    // Hides every page and shows the one given.
    void ShowFrame(int index);
    // A click on a node of the page tree; parent nodes keep the page shown.
    void nodeClick(int node);
    // Checking a tag's check box enables its text box; the text stays.
    void setTagChecked(int row, bool checked);
    bool tagTextEnabled(int row) const { return chkTag[static_cast<std::size_t>(row)]; }
    // The font rows 1 to 3 are enabled only while fonts are set one by one.
    bool fontRowsEnabled() const { return op1 == 1; }
    // The filter's word lists are enabled only while the filter is on.
    bool filterRowsEnabled() const { return chkFilter; }

    // cmdChange. False, with a message and nothing applied, when a font size
    // that would be applied is no number of points.
    bool cmdChange();
    // cmdOK: apply, then close when that worked.
    bool cmdOK() { return cmdChange(); }

    platform::controls::TreeViewModel tvw1;
    int shownFrame = 0;
    QString lbTitle = QStringLiteral("■動作設定");

    std::array<std::int16_t, GeneralCount> chkGeneral{}; // 1 checked, 0 not
    std::array<bool, TagCount> chkTag{};
    std::array<QString, TagCount> txtTag;
    int op1 = 0; // 0: one font for everything, 1: a font per area
    std::array<QString, FontRows> txtFontName;
    std::array<QString, FontRows> txtFontSize;
    bool chkFilter = false;
    std::array<bool, FilterRows> chk1{};
    std::array<QString, FilterRows> txtFilter1;
    QStringList lst1;

    // The check box captions and default names of the tag page, by row.
    static QString tagCaption(int row);
    static QString tagDefault(int row);
    static QString generalCaption(int row);

private:
    void buildPageTree();
    void loadFonts();
    void loadGeneral();
    void loadTags();
    void loadFilter();
    bool applyFonts();
    void applyGeneral();
    void applyTags();
    void applyFilter();

    AppState& app_;
    MainWindowModel& window_;
    MainWindowView& view_;
};

} // namespace quillet
