#pragma once
// Answers the real modal dialog a call under test opens, as a person would:
// while it is in scope it watches for the next modal dialog of type D and
// hands it to the answer, which must accept or reject it. Any modal dialog
// still open ten seconds later is rejected, so a test fails instead of hanging.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

namespace dialogs_test {

template <class D> class DialogAnswerer {
public:
    explicit DialogAnswerer(std::function<void(D&)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
        clock_.start();
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool answered() const { return answered_; }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        auto* dialog = qobject_cast<D*>(modal);
        if (!answered_ && dialog != nullptr) {
            answered_ = true;
            clock_.restart();
            answer_(*dialog);
        } else if (clock_.elapsed() > 10000) {
            // Another dialog (a warning the answer caused) or the answered
            // one still open: the test has lost track, close it.
            clock_.restart();
            qWarning("Rejecting a dialog nobody answered: %s", qPrintable(modal->windowTitle()));
            if (auto* stuck = qobject_cast<QDialog*>(modal))
                stuck->reject();
        }
    }

    std::function<void(D&)> answer_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool answered_ = false;
};

// Chooses a file by its full path: the dialog goes to its folder, waits for
// the folder to be listed (until then the listing may replace the choice),
// selects the file and accepts as the OK button does.
inline void acceptFile(QFileDialog& dialog, const QString& path) {
    const QFileInfo file(path);
    dialog.setDirectory(file.absolutePath());
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        const QModelIndex folder = model->index(file.absolutePath());
        static_cast<void>(QTest::qWaitFor([&] { return model->rowCount(folder) > 0; }, 5000));
    }
    // The whole path in the name box, accepted at once: nothing the listing
    // does afterwards can change the choice.
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit == nullptr) {
        dialog.reject();
        return;
    }
    edit->setCompleter(nullptr);
    edit->setText(file.absoluteFilePath());
    // A warning the dialog raises on accepting would wait for a person.
    QTimer::singleShot(3000, &dialog, [] {
        if (auto* warning = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (qobject_cast<QFileDialog*>(warning) == nullptr)
                warning->reject();
        }
    });
    static_cast<QDialog&>(dialog).accept(); // the dialog's own accept checks the name
    if (dialog.isVisible())
        dialog.reject();
}

// Types a file name into the file dialog's name box, key by key, and presses
// Enter as a person would. A dialog that stays open after that is rejected, so the call under
// test reports failure at once.
inline void typeFileName(QFileDialog& dialog, const QString& name) {
    // A person waits for the folder's files to be listed: until then the
    // dialog may still replace what is typed.
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        const QModelIndex folder = model->index(dialog.directory().absolutePath());
        static_cast<void>(QTest::qWaitFor([&] { return model->rowCount(folder) > 0; }, 2000));
    }
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit != nullptr) {
        // The box's completion list fills in the background and may take the
        // first Enter; a person who types the whole name has no use for it.
        edit->setCompleter(nullptr);
        edit->clear();
        for (const QChar c : name)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    if (dialog.isVisible())
        dialog.reject();
}

} // namespace dialogs_test
