#pragma once
// The common file dialog: a title, a filter of "description|pattern" pairs, a
// starting folder and a file name; cancelling is reported as cancelling.
#include <QString>
#include <QStringList>

class QWidget;

namespace platform::dialogs {

class CommonDialog {
public:
    QString DialogTitle;
    QString Filter; // "CSVファイル(*.csv)|*.csv|すべてのファイル(*.*)|*.*"
    QString InitDir;
    QString FileName; // preset before showing; the chosen path after

    // False when the user cancelled; FileName is then left as it was.
    bool ShowOpen(QWidget* parent = nullptr);
    bool ShowSave(QWidget* parent = nullptr);

    // The filter in the form Qt's dialog takes: "CSVファイル(*.csv) (*.csv);;...".
    static QStringList qtFilters(const QString& filter);
};

} // namespace platform::dialogs
