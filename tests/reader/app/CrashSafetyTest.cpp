// Every file the reader keeps is saved through its own procedure. A child
// process saves two different contents in turn and is killed at a random
// moment: whatever the moment, the file must hold one content or the other
// whole, and the next save must leave no temporary file behind. A save that
// meets a full disk must report it and leave the old file whole.
#include "platform/controls/ListViewModel.h"
#include "platform/controls/TreeViewModel.h"
#include "platform/runtime/RuntimeError.h"
#include "reader/app/Settings.h"
#include "reader/catalogue/FeedList.h"
#include "reader/catalogue/ImportExport.h"
#include "reader/catalogue/PatrolList.h"
#include "reader/fetch/NewsLog.h"
#include "reader/mainwindow/MainWindowModel.h"
#include "reader/mainwindow/NewsHistory.h"
#include "reader/present/NewsPage.h"
#include "support/RecordingMessages.h"
#include "support/TempFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillet;
using testing_support::cp932Lines;
using testing_support::readBytes;
using testing_support::writeBytes;

namespace {

// Forking a process under AddressSanitizer copies its shadow memory's page
// tables and takes a good part of a second, so the sanitized run kills fewer
// saves; the plain run does all 200.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRounds = 20;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kRounds = 20;
#else
constexpr int kRounds = 200;
#endif
#else
constexpr int kRounds = 200;
#endif

// The two contents a saver writes in turn: a catalogue of a few hundred feeds
// and a different one, so that a save takes long enough to be interrupted.
struct Catalogue {
    explicit Catalogue(int variant) {
        const int feeds = variant == 0 ? 300 : 420;
        for (int folder = 0; folder < 3; ++folder) {
            const QString key = QStringLiteral("root_usr%1").arg(folder);
            tree.addNode(QString(), key, QStringLiteral("フォルダ%1").arg(folder),
                         QStringLiteral("CLOSE"));
            for (int i = 0; i < feeds / 3; ++i) {
                const int node = tree.addNode(
                    key,
                    QStringLiteral("http://127.0.0.1/%1/%2/%3.xml").arg(variant).arg(folder).arg(i),
                    QStringLiteral("ニュース %1-%2").arg(folder).arg(i), QStringLiteral("XML"));
                tree.setChecked(node, true);
            }
        }
        for (int i = 0; i < feeds * 3; ++i)
            titles << QStringLiteral("記事の見出し %1 / %2").arg(variant).arg(i);
        for (const QString& title : titles)
            history.addIfNew(title);
        list.setColumnHeaders(articleColumnHeaders());
        for (int i = 0; i < feeds; ++i)
            list.addRow({QString::number(i + 1), titles[i], QStringLiteral("feed"),
                         QStringLiteral("12:00"), QStringLiteral("http://127.0.0.1/a/%1").arg(i),
                         QStringLiteral("本文 %1").arg(i).repeated(variant + 2), QString(),
                         QString()},
                        false);
        layout.width = variant == 0 ? 9000 : 12345;
        settings.SkinName = QStringLiteral("skin").repeated(variant == 0 ? 10 : 5000);
    }
    platform::controls::TreeViewModel tree;
    QStringList titles;
    NewsHistory history;
    platform::controls::ListViewModel list;
    Settings settings;
    WindowLayout layout;
};

// One kept file: its name in the folder and the procedure that saves it,
// returning whether the save reported success.
struct KeptFile {
    const char* name;
    std::function<bool(const QString& folder, const Catalogue&)> save;
};

bool succeeds(const std::function<void()>& save) {
    try {
        save();
        return true;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

std::vector<KeptFile> keptFiles() {
    return {
        {"Newslist.brd",
         [](const QString& folder, const Catalogue& c) {
             return succeeds([&] { SaveFeedList(c.tree, folder + "/Newslist.brd"); });
         }},
        {"rss.ini",
         [](const QString& folder, const Catalogue& c) {
             std::vector<testing_support::ShownMessage> shown;
             testing_support::RecordingMessages messages(shown);
             SaveSettings(folder + "/rss.ini", c.settings, c.layout, c.tree, messages);
             return shown.empty();
         }},
        {"History_News.lst",
         [](const QString& folder, const Catalogue& c) {
             return succeeds([&] { SaveNewsHistory(c.history, folder + "/History_News.lst"); });
         }},
        {"NewsChecklist.brd",
         [](const QString& folder, const Catalogue& c) {
             return succeeds([&] { SavePatrolList(c.tree, folder + "/NewsChecklist.brd"); });
         }},
        {"ニュース.log",
         [](const QString& folder, const Catalogue& c) {
             return succeeds(
                 [&] { WriteNewsLog(folder + '/', QStringLiteral("ニュース"), c.titles); });
         }},
        {"gateway.html",
         [](const QString& folder, const Catalogue& c) {
             const QString skin = folder + "/../skin/";
             return CreateNewsPage(skin + "header.html", skin + "body.html", skin + "footer.html",
                                   folder + "/gateway.html", c.list,
                                   QStringLiteral("ニュース")) == 0;
         }},
        {"export.csv",
         [](const QString& folder, const Catalogue& c) {
             return ExportFeedListCsv(c.tree, folder + "/export.csv") == 0;
         }},
    };
}

class KeptFiles : public ::testing::Test {
protected:
    KeptFiles() {
        QDir(root.path()).mkpath("files");
        QDir(root.path()).mkpath("skin");
        const QString skin = root.path() + "/skin/";
        writeBytes(skin + "header.html", cp932Lines({"<html><body><h1>%FEEDNAME%</h1>"}));
        writeBytes(skin + "body.html",
                   cp932Lines({"<p><a href=\"%LINK%\">%TITLE%</a> %DESCRIPTION%</p>"}));
        writeBytes(skin + "footer.html", cp932Lines({"</body></html>"}));
    }
    QString folder() const { return root.path() + "/files"; }
    QStringList temporaries(const char* name) const {
        return QDir(folder()).entryList({QStringLiteral(".%1.tmp*").arg(QString::fromUtf8(name))},
                                        QDir::Files | QDir::Hidden);
    }

    // In memory, so that the hundreds of saves do not wait for a disk.
    QTemporaryDir root{QDir(QFileInfo::exists("/dev/shm") ? "/dev/shm" : QDir::tempPath())
                           .filePath("quillet-kept-XXXXXX")};
    Catalogue first{0};
    Catalogue second{1};
};

TEST_F(KeptFiles, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
    std::mt19937 random(20261207);
    for (const KeptFile& file : keptFiles()) {
        SCOPED_TRACE(file.name);
        const QString path = folder() + '/' + QString::fromUtf8(file.name);
        ASSERT_TRUE(file.save(folder(), second));
        const QByteArray newContent = readBytes(path);
        ASSERT_TRUE(file.save(folder(), first));
        const QByteArray oldContent = readBytes(path);
        ASSERT_FALSE(oldContent.isEmpty());
        ASSERT_NE(oldContent, newContent);

        // Kills land anywhere within a few saves after the child's first.
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 4; ++i)
            file.save(folder(), i % 2 == 0 ? second : first);
        const auto saveMicroseconds = static_cast<useconds_t>(clock.nsecsElapsed() / 4000);
        // A wide window: the child's saves are slower than the parent's
        // (sanitized builds most of all), and kills must also land after one
        // of them has completed.
        std::uniform_int_distribution<useconds_t> moment(0, 6 * saveMicroseconds + 300);

        int sawOld = 0;
        int sawNew = 0;
        for (int round = 0; round < kRounds; ++round) {
            int started[2];
            ASSERT_EQ(pipe(started), 0);
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                // The first save of a new process is slow (its memory is copied
                // as it is touched); the kill comes among the saves after it.
                file.save(folder(), second);
                const char ready = 1;
                (void)!write(started[1], &ready, 1);
                for (int turn = 1;; ++turn)
                    file.save(folder(), turn % 2 == 0 ? second : first);
            }
            char ready = 0;
            (void)!read(started[0], &ready, 1);
            close(started[0]);
            close(started[1]);
            usleep(moment(random));
            kill(child, SIGKILL);
            int status = 0;
            waitpid(child, &status, 0);

            const QByteArray now = readBytes(path);
            ASSERT_TRUE(now == oldContent || now == newContent) << "round " << round;
            (now == oldContent ? sawOld : sawNew) += 1;
            ASSERT_TRUE(file.save(folder(), first));
            ASSERT_EQ(temporaries(file.name), QStringList()) << "round " << round;
        }
        // The kills must have landed at varied moments of the saving, before
        // and after a save completed, or the test proves nothing.
        EXPECT_GT(sawOld, 0);
        EXPECT_GT(sawNew, 0);
    }
}

TEST_F(KeptFiles, AFullDiskIsReportedAndTheOldFileStays) {
    for (const KeptFile& file : keptFiles()) {
        SCOPED_TRACE(file.name);
        const QString path = folder() + '/' + QString::fromUtf8(file.name);
        ASSERT_TRUE(file.save(folder(), first));
        const QByteArray oldContent = readBytes(path);

        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // No file may grow past a few bytes, as on a disk that is full.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{16, 16};
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(file.save(folder(), second) ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the failure was not reported";
        EXPECT_EQ(readBytes(path), oldContent);
        EXPECT_EQ(temporaries(file.name), QStringList());
    }
}

} // namespace
