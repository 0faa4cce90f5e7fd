// The form designer: opens a form file in design mode, places, selects and
// deletes controls, shows their property pages and saves the file.
#include "platform/forms/ControlLibraries.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/formdesign/DesignerWindow.h"
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <cstdio>

namespace {

const char Usage[] = "usage: formdesign [--controls FOLDER] FORMFILE\n"
                     "       formdesign --help\n"
                     "\n"
                     "Opens FORMFILE in design mode. Controls are made from the control libraries\n"
                     "of FOLDER (the program's own folder unless given).\n"
                     "\n"
                     "  click, Tab, Shift+Tab   select a control\n"
                     "  tool box                place a new control of a class\n"
                     "  Delete                  delete the selected control\n"
                     "  F4, right click         the selected control's property pages\n"
                     "  Ctrl+S                  save the form file\n";

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args.append(QString::fromLocal8Bit(argv[i]));
    }
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    QString controls;
    if (args.size() == 3 && args[0] == QStringLiteral("--controls")) {
        controls = args[1];
        args = args.mid(2);
    }
    if (args.size() != 1 || args[0].startsWith(u'-')) {
        std::fputs(Usage, stderr);
        return 2;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("formdesign"));
    // The interface is Japanese whatever the system's language.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    formdesign::DesignerWindow window(
        std::make_shared<platform::forms::ControlLibraries>(controls));
    try {
        window.open(args[0]);
    } catch (const platform::RuntimeError& error) {
        QMessageBox::critical(nullptr, QStringLiteral("フォーム デザイナ"), error.description());
        return 1;
    }
    window.show();
    return QApplication::exec();
}
