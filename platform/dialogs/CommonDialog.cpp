#include "platform/dialogs/CommonDialog.h"

#include <QDir>
#include <QFileDialog>

namespace platform::dialogs {

QStringList CommonDialog::qtFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

namespace {

bool run(CommonDialog& settings, QWidget* parent, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, settings.DialogTitle);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(CommonDialog::qtFilters(settings.Filter));
    if (!settings.InitDir.isEmpty())
        dialog.setDirectory(settings.InitDir);
    if (!settings.FileName.isEmpty())
        dialog.selectFile(settings.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    settings.FileName = dialog.selectedFiles().first();
    return true;
}

} // namespace

bool CommonDialog::ShowOpen(QWidget* parent) {
    return run(*this, parent, QFileDialog::AcceptOpen);
}

bool CommonDialog::ShowSave(QWidget* parent) {
    return run(*this, parent, QFileDialog::AcceptSave);
}

} // namespace platform::dialogs
