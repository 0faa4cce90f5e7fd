// Start-up: the logo while the main window loads, then the main window's event
// loop runs the program until it closes.
#include "platform/runtime/MessageBox.h"
#include "reader/app/AppState.h"
#include "reader/app/TerminationSignals.h"
#include "reader/mainwindow/LogoWindow.h"
#include "reader/mainwindow/MainWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));

    // The interface is Japanese whatever the system's language.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    quillet::AppState app(QCoreApplication::applicationDirPath(),
                          std::make_unique<platform::QtMessagePresenter>());

    auto logo = std::make_unique<quillet::LogoWindow>();
    logo->show();
    QApplication::processEvents();

    quillet::MainWindow mainWindow(app);
    static_cast<platform::QtMessagePresenter&>(*app.messages).setParent(&mainWindow);
    mainWindow.load();
    mainWindow.show();
    logo.reset();

    quillet::TerminationSignals termination;
    QObject::connect(&termination, &quillet::TerminationSignals::terminationRequested, &mainWindow,
                     &QWidget::close);
    return QApplication::exec();
}
