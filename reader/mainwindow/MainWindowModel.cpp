#include "reader/mainwindow/MainWindowModel.h"

#include "reader/mainwindow/SearchEngines.h"

namespace quillet {

QStringList articleColumnHeaders() {
    return {QStringLiteral("*"),          QStringLiteral("記事名"),      QStringLiteral("記事元"),
            QStringLiteral("取得日時"),   QStringLiteral("URL"),         QStringLiteral("記事内容"),
            QStringLiteral("記事制作者"), QStringLiteral("記事制作日時")};
}

MainWindowModel::MainWindowModel() : stb1(2) {
    tlb1.addButton(QStringLiteral("KEY_BACK"), QStringLiteral("BACK"),
                   QStringLiteral("一つ前に戻ります"));
    tlb1.addButton(QStringLiteral("KEY_FORWARD"), QStringLiteral("FORWARD"),
                   QStringLiteral("次に進みます"));
    tlb1.addButton(QStringLiteral("KEY_STOP"), QStringLiteral("STOP"),
                   QStringLiteral("中止します"));
    tlb1.addButton(QStringLiteral("KEY_REFRESH"), QStringLiteral("REFRESH"),
                   QStringLiteral("最新の状態に更新します"));
    tlb1.addButton(QStringLiteral("KEY_HOME"), QStringLiteral("HOME"),
                   QStringLiteral("ホームに戻ります"));
    tlb2.addButton(QStringLiteral("TAB_ADD"), QStringLiteral("TAB_ADD"),
                   QStringLiteral("新しいタブを追加します"));
    tlb2.addButton(QStringLiteral("TAB_DELETE"), QStringLiteral("TAB_DELETE"),
                   QStringLiteral("現在選択されているタブを削除します"));
    tlb3.addButton(QStringLiteral("ADD"), QStringLiteral("FAV_ADD"), QStringLiteral("追加..."));
    tlb3.addButton(QStringLiteral("ORDER"), QStringLiteral("FAV_ORDER"), QStringLiteral("整理..."));

    lvw1.setColumnHeaders(articleColumnHeaders());
    Tab1.addTab(QString(), QString());
    Tab1.select(1);

    for (const QString& address : presetAddresses())
        comURL.addEntry(address);
    for (const SearchEngine& engine : searchEngines())
        comEngine.addEntry(engine.caption);
    comEngine.setToolTip(QStringLiteral("サーチエンジンを指定します"));

    File1.setPattern(QStringLiteral("*.brd"));
}

} // namespace quillet
