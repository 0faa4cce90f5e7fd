#include "reader/mainwindow/SettingsDialogModel.h"

#include "platform/profile/PrivateProfile.h"
#include "platform/runtime/Conversions.h"
#include "platform/runtime/MessageBox.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/app/AppState.h"
#include "reader/app/ProgramPaths.h"
#include "reader/mainwindow/MainWindowModel.h"

namespace quillet {

namespace {

struct PageNode {
    const char* parentKey;
    const char* key;
    const char* text;
    int frame; // -1: a parent node that shows no page of its own
    const char* title;
};

constexpr PageNode Pages[] = {
    {"", "General", "動作全般", 0, "■動作全般"},
    {"", "News", "ニュース設定", -1, ""},
    {"News", "GetNews", "取得ニュース設定", 4, "■取得ニュース設定"},
    {"", "xmlTag", "取得タグ設定", 3, "■取得タグ設定"},
    {"", "Filtering", "フィルタリング", -1, ""},
    {"Filtering", "FilterSetup", "設定", 1, "■フィルタ設定"},
    {"", "Fonts", "フォント設定", -1, ""},
    {"Fonts", "FontSetup", "各種フォント設定", 2, "■フォント設定"},
};

constexpr const char* GeneralCaptions[SettingsDialogModel::GeneralCount] = {
    "表示したページのURLを保存する",
    "お気に入りニュースを保存する",
    "履歴を保存する",
    "ニュースリストを開いた場合は他のニュースを閉じる",
    "起動時にロゴを表示しない",
    "起動時に前の設定を読み込む",
    "終了時に設定を書き込む",
    "終了時にログを削除",
    "終了時に履歴削除",
};

constexpr std::int16_t GeneralSettings::*GeneralFields[SettingsDialogModel::GeneralCount] = {
    &GeneralSettings::Saveurl,      &GeneralSettings::SaveFavorite,
    &GeneralSettings::SaveHistory,  &GeneralSettings::TvrSingleSel,
    &GeneralSettings::ShowLogo,     &GeneralSettings::LoadINI,
    &GeneralSettings::WriteINI,     &GeneralSettings::DeleteLog,
    &GeneralSettings::DeleteHistory};

constexpr const char* TagNames[SettingsDialogModel::TagCount] = {"title", "description", "date",
                                                                 "link", "creator"};

QString XmlNameOverrides::*const TagFields[SettingsDialogModel::TagCount] = {
    &XmlNameOverrides::xTitle, &XmlNameOverrides::xDescription, &XmlNameOverrides::xDate,
    &XmlNameOverrides::xLink, &XmlNameOverrides::xCreator};

// The main window's font areas of the rows of the font page.
constexpr FontArea RowArea[SettingsDialogModel::FontRows] = {FontArea::Window, FontArea::Tree,
                                                             FontArea::List, FontArea::Window};

template <typename T, std::size_t N> T& at(std::array<T, N>& values, int index) {
    return values[static_cast<std::size_t>(index)];
}
template <typename T, std::size_t N> const T& at(const std::array<T, N>& values, int index) {
    return values[static_cast<std::size_t>(index)];
}

bool sameFont(const FontSetting& a, const FontSetting& b) {
    return a.name == b.name && a.size == b.size;
}

} // namespace

QString SettingsDialogModel::tagCaption(int row) {
    return QStringLiteral("<%1>タグを設定する").arg(QString::fromLatin1(TagNames[row]));
}

QString SettingsDialogModel::tagDefault(int row) {
    return QString::fromLatin1(TagNames[row]);
}

QString SettingsDialogModel::generalCaption(int row) {
    return QString::fromUtf8(GeneralCaptions[row]);
}

SettingsDialogModel::SettingsDialogModel(AppState& app, MainWindowModel& window,
                                         MainWindowView& view)
    : app_(app), window_(window), view_(view) {
    ShowFrame(0);
    buildPageTree();
    loadFonts();
    loadGeneral();
    loadTags();
    loadFilter();
}

void SettingsDialogModel::buildPageTree() {
    for (const PageNode& page : Pages)
        tvw1.addNode(QString::fromLatin1(page.parentKey), QString::fromLatin1(page.key),
                     QString::fromUtf8(page.text), QString());
    for (int node = 1; node <= tvw1.count(); ++node)
        tvw1.setExpanded(node, true);
    // The feed list files the catalogue folder shows, without their extension.
    for (int i = 0; i < window_.File1.count(); ++i)
        lst1 << window_.File1.name(i).chopped(std::min<qsizetype>(4, window_.File1.name(i).size()));
}

void SettingsDialogModel::loadFonts() {
    std::array<FontSetting, FontRows> fonts;
    for (int row = 0; row < FontRows; ++row) {
        at(fonts, row) = view_.areaFont(RowArea[row]);
        at(txtFontName, row) = at(fonts, row).name;
        at(txtFontSize, row) = platform::singleToText(at(fonts, row).size);
    }
    // One font for everything only when everything has one font: choosing it
    // otherwise would make OK replace the tree's and the list's own fonts.
    op1 = sameFont(fonts[1], fonts[0]) && sameFont(fonts[2], fonts[0]) ? 0 : 1;
}

void SettingsDialogModel::loadGeneral() {
    for (int row = 0; row < GeneralCount; ++row)
        at(chkGeneral, row) = app_.settings.general.*GeneralFields[row];
}

void SettingsDialogModel::loadTags() {
    for (int row = 0; row < TagCount; ++row) {
        const QString value = app_.settings.xml.*TagFields[row];
        at(chkTag, row) = !value.isEmpty() && value != tagDefault(row);
        at(txtTag, row) = value;
    }
}

void SettingsDialogModel::loadFilter() {
    const ArticleFilter& filter = app_.settings.filter;
    chkFilter = filter.isOn();
    for (int row = 0; row < FilterRows; ++row) {
        at(chk1, row) = at(filter.use, row) == 1;
        at(txtFilter1, row) = at(filter.words, row);
    }
}

void SettingsDialogModel::ShowFrame(int index) {
    if (index >= 0 && index < FrameCount)
        shownFrame = index;
}

void SettingsDialogModel::nodeClick(int node) {
    if (node < 1 || node > tvw1.count())
        return;
    const QString key = tvw1.key(node);
    for (const PageNode& page : Pages) {
        if (key == QLatin1String(page.key) && page.frame >= 0) {
            ShowFrame(page.frame);
            lbTitle = QString::fromUtf8(page.title);
        }
    }
}

void SettingsDialogModel::setTagChecked(int row, bool checked) {
    if (row >= 0 && row < TagCount)
        at(chkTag, row) = checked;
}

bool SettingsDialogModel::cmdChange() {
    if (!applyFonts())
        return false;
    applyGeneral();
    applyTags();
    applyFilter();
    return true;
}

bool SettingsDialogModel::applyFonts() {
    const auto rowFont = [this](int row, FontSetting& font) {
        font.name = at(txtFontName, row).trimmed();
        try {
            font.size = platform::toSingle(at(txtFontSize, row));
        } catch (const platform::RuntimeError&) {
            font.size = 0;
        }
        return !font.name.isEmpty() && font.size > 0 && font.size <= 1638;
    };
    std::array<FontSetting, FontRows> fonts;
    const int first = op1 == 0 ? 0 : 1;
    const int last = op1 == 0 ? 0 : FontRows - 1;
    for (int row = first; row <= last; ++row) {
        if (!rowFont(row, at(fonts, row))) {
            app_.messages->show(
                QStringLiteral(
                    "フォント名とフォントサイズ（ポイント数）を正しく指定してください。"),
                platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
                QStringLiteral("■フォント設定"));
            return false;
        }
    }
    WindowLayout& layout = window_.layout;
    if (op1 == 0) {
        for (FontArea area :
             {FontArea::Tree, FontArea::List, FontArea::Window, FontArea::StatusBar})
            view_.setAreaFont(area, fonts[0]);
    } else {
        view_.setAreaFont(FontArea::Tree, fonts[1]);
        view_.setAreaFont(FontArea::List, fonts[2]);
        view_.setAreaFont(FontArea::Window, fonts[3]);
        view_.setAreaFont(FontArea::StatusBar, fonts[3]);
    }
    layout.windowFont = view_.areaFont(FontArea::Window);
    layout.treeFont = view_.areaFont(FontArea::Tree);
    layout.listFont = view_.areaFont(FontArea::List);

    const QString path = app_.file(paths::Settings);
    const struct {
        const char* key;
        QString value;
    } keys[] = {
        {"WindowFontName", layout.windowFont.name},
        {"WindowFontSize", platform::singleToText(layout.windowFont.size)},
        {"TreeViewFontName", layout.treeFont.name},
        {"TreeViewFontSize", platform::singleToText(layout.treeFont.size)},
        {"ListViewFontName", layout.listFont.name},
        {"ListViewFontSize", platform::singleToText(layout.listFont.size)},
    };
    std::vector<platform::profile::ProfileEntry> entries;
    for (const auto& entry : keys)
        entries.push_back({QStringLiteral("Font"), QString::fromLatin1(entry.key), entry.value});
    // The fonts are shown all the same, and the rest of the page still applies.
    if (!platform::profile::writePrivateProfileStrings(entries, path))
        app_.messages->show(QStringLiteral("フォントの設定を保存できませんでした。\r\n") + path,
                            platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                            QStringLiteral("■設定保存失敗 -Quillet-"));
    return true;
}

void SettingsDialogModel::applyGeneral() {
    for (int row = 0; row < GeneralCount; ++row)
        app_.settings.general.*GeneralFields[row] = at(chkGeneral, row);
    window_.tvw1.setSingleSel(app_.settings.general.TvrSingleSel != 0);
}

void SettingsDialogModel::applyTags() {
    for (int row = 0; row < TagCount; ++row) {
        const QString text = at(txtTag, row).trimmed();
        app_.settings.xml.*TagFields[row] = text.isEmpty() ? tagDefault(row) : text;
    }
}

void SettingsDialogModel::applyFilter() {
    ArticleFilter& filter = app_.settings.filter;
    filter.Filtering = chkFilter ? 1 : 0;
    for (int row = 0; row < FilterRows; ++row) {
        at(filter.use, row) = at(chk1, row) ? 1 : 0;
        at(filter.words, row) = at(txtFilter1, row);
    }
    const QString path = app_.file(paths::Settings);
    if (!SaveArticleFilter(path, filter))
        app_.messages->show(QStringLiteral("フィルタの設定を保存できませんでした。\r\n") + path,
                            platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                            QStringLiteral("■設定保存失敗 -Quillet-"));
}

} // namespace quillet
