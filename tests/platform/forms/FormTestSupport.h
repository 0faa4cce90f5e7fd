#pragma once
// A form shaped like the reader's main window: a menu bar with nested
// sub-menus, separators, a menu control array and a hidden pop-up menu.
// Clicks are recorded as "name" or "name(index)".
#include "platform/forms/HostForm.h"
#include "platform/win/Menus.h"
#include <QMainWindow>
#include <QStringList>
#include <memory>

namespace forms_test {

using platform::forms::FormDescription;
using platform::forms::MenuControlDescription;
using platform::forms::NoIndex;

inline QString clickKey(const QString& name, int index) {
    return index == NoIndex ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

inline FormDescription readerLikeForm(QStringList& clicks) {
    FormDescription form;
    form.name = QStringLiteral("Form1");
    auto add = [&](const char* name, const char* parent, const QString& caption,
                   int index = NoIndex, int parentIndex = NoIndex) -> MenuControlDescription& {
        MenuControlDescription menu;
        menu.name = QString::fromLatin1(name);
        menu.index = index;
        menu.parentName = QString::fromLatin1(parent);
        menu.parentIndex = parentIndex;
        menu.caption = caption;
        menu.onClick = [&clicks, key = menu.name](int at) { clicks.append(clickKey(key, at)); };
        form.menus.push_back(std::move(menu));
        return form.menus.back();
    };
    add("mnuFile", "", QStringLiteral("ファイル(&F)"));
    add("mnuFileOpen", "mnuFile", QStringLiteral("開く(&O)")).shortcut = 15; // Ctrl+O
    add("mnuFileSep1", "mnuFile", QStringLiteral("-"));
    add("mnuFileImport", "mnuFile", QStringLiteral("インポート(&I)"));
    add("mnuFileImportDefaultNews", "mnuFileImport",
        QStringLiteral("標準ニュースをインポート(&N)"));
    add("mnuFileImportFavorite", "mnuFileImport", QStringLiteral("ブックマークをインポート(&F)"));
    add("mnuFileExit", "mnuFile", QStringLiteral("終了(&X)"));
    add("mnuView", "", QStringLiteral("表示(&V)"));
    add("mnuViewStatusBar", "mnuView", QStringLiteral("ステータスバー(&B)")).checked = true;
    add("mnuViewAutoRefresh", "mnuView", QStringLiteral("自動更新(&D)"));
    add("mnuViewAutoRefreshEnable", "mnuViewAutoRefresh",
        QStringLiteral("自動更新を有効にする(&E)"));
    for (int i = 1; i <= 8; ++i) {
        add("mnuViewAutoRefresh_time", "mnuViewAutoRefresh", QStringLiteral("間隔%1(&%1)").arg(i),
            i)
            .enabled = false;
    }
    add("mnuHelp", "", QStringLiteral("ヘルプ(&H)"));
    add("mnuHelpShowHelp", "mnuHelp", QStringLiteral("ヘルプ(&H)"));
    add("mnuPoplvw", "", QStringLiteral("ポップアップlvw")).visible = false;
    add("mnuPoplvwNavigate", "mnuPoplvw", QStringLiteral("選択記事を取得(&N)"));
    add("mnuPoplvwCopy", "mnuPoplvw", QStringLiteral("コピー(&C)"));
    return form;
}

// Texts of a native menu's items, in position order.
inline QStringList itemTexts(platform::win::HMENU menu) {
    QStringList texts;
    for (int i = 0; i < platform::win::GetMenuItemCount(menu); ++i) {
        texts.append(platform::win::menuItemText(menu, i));
    }
    return texts;
}

inline platform::win::MENUITEMINFOA itemInfo(platform::win::HMENU menu, int position,
                                             platform::win::UINT mask) {
    platform::win::MENUITEMINFOA info;
    info.fMask = mask;
    platform::win::GetMenuItemInfoA(menu, static_cast<platform::win::UINT>(position),
                                    platform::win::TRUE, &info);
    return info;
}

} // namespace forms_test
