// The program itself, started in a program folder of its own and sent SIGTERM
// once its browser has shown the first page: it must close the normal way and
// save what it holds.
#include "reader/app/TerminationSignals.h"
#include "support/TempFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

using testing_support::cp932Lines;
using testing_support::ProgramFolder;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// The browser engine's helper processes run as children of the program once
// the engine has started.
bool hasChildProcess(qint64 pid) {
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!readBytes(tasks.filePath(task) + QStringLiteral("/children")).trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace

TEST(Termination, SigtermAfterTheFirstPageClosesNormallyAndSavesEverything) {
    ProgramFolder folder;
    const QString program = folder.file("quillet");
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUILLET_PATH), program));
    writeBytes(folder.file("index.html"), "<html><body>start</body></html>");
    writeBytes(
        folder.file("data/rss.ini"),
        cp932Lines({"[App]", "Width=6000", "Height=6000", "Top=0", "Left=0", "Folders=1", "",
                    "[General]", "Saveurl=0", "SaveFavorite=1", "SaveHistory=1", "TvrSingleSel=0",
                    "ShowLogo=0", "LoadINI=1", "WriteINI=1", "DeleteLog=0", "DeleteHistory=0"}));
    // LF line ends: the exit writes the list back with CR LF.
    writeBytes(folder.file("data/profile/Newslist.brd"),
               "\"N\",\"ROOT_FOLDER\",\"root_usr1\",\"\"\n\"F\",\"http://127.0.0.1:9/\","
               "\"CHILD_NODE\",\"1\"\n");

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (::geteuid() == 0)
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted(10000));

    QElapsedTimer waited;
    waited.start();
    while (!hasChildProcess(process.processId()) && waited.elapsed() < 30000)
        QThread::msleep(100);
    ASSERT_TRUE(hasChildProcess(process.processId())) << "the browser engine never started";
    QThread::msleep(3000); // the start page loads
    ASSERT_EQ(process.state(), QProcess::Running);

    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(readBytes(folder.file("data/profile/Newslist.brd")).contains("\r\n"));
    EXPECT_TRUE(readBytes(folder.file("data/rss.ini")).contains("SkinFolder="));
}

TEST(Termination, HandlersReplacedLaterAreRestoredBeforeTheNextSignal) {
    quillet::TerminationSignals termination;
    int requested = 0;
    QObject::connect(&termination, &quillet::TerminationSignals::terminationRequested,
                     [&requested] { ++requested; });
    // What the browser engine does when it starts after the program's own set-up.
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ::raise(SIGTERM); // would end the test program if the default had stayed
    ::raise(SIGINT);
    waited.restart();
    while (requested == 0 && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_GE(requested, 1);
    EXPECT_FALSE(termination.ensureInstalled());
}
