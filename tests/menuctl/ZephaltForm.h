#pragma once
// A form shaped like the reader's main window carrying the menu control, made
// through the form engine from the built library as the program does. Events
// and message boxes are recorded.
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/forms/ControlLibraries.h"
#include "platform/forms/FormTestSupport.h"
#include "platform/win/Window.h"
#include "support/RecordingMessages.h"
#include <QMainWindow>
#include <gtest/gtest.h>

namespace zephalt_test {

struct RaisedEvent {
    QString control;
    QString event;
    QVariantList args;
};

class ZephaltForm : public ::testing::Test {
protected:
    ZephaltForm() : description(forms_test::readerLikeForm(clicks)), presenter(messages) {}

    void addControl(const QString& name, QVariantMap stored = {}) {
        description.controls.push_back({name, zephalt::ClassName, std::move(stored)});
    }
    platform::forms::HostForm& load(bool userMode = true) {
        form = std::make_unique<platform::forms::HostForm>(
            &window, description,
            std::make_shared<platform::forms::ControlLibraries>(QStringLiteral(ZEPHALT_DIR)));
        form->setUserMode(userMode);
        form->setMessagePresenter(&presenter);
        form->setEventHandler(
            [this](const QString& control, const QString& event, QVariantList& args) {
                events.push_back({control, event, args});
                if (onEvent) {
                    onEvent(event, args);
                }
            });
        form->load();
        return *form;
    }
    platform::win::HWND hwnd() const { return form->windowHandle(); }
    // The hooked control, found as its window procedure finds it.
    zephalt::OwnerDrawMenu& control() {
        auto* found = reinterpret_cast<zephalt::OwnerDrawMenu*>(
            platform::win::GetProp(hwnd(), zephalt::ControlProperty));
        if (found == nullptr) {
            throw std::runtime_error("the control is not hooked");
        }
        return *found;
    }
    platform::win::HMENU subMenu(const char* name, int index = platform::forms::NoIndex) {
        return form->menuControl(QString::fromLatin1(name), index)->subMenu();
    }
    QStringList eventsNamed(const QString& name) const {
        QStringList found;
        for (const RaisedEvent& raised : events) {
            if (raised.event == name) {
                found.append(raised.args.value(0).toString());
            }
        }
        return found;
    }

    QMainWindow window;
    QStringList clicks;
    platform::forms::FormDescription description;
    std::vector<testing_support::ShownMessage> messages;
    testing_support::RecordingMessages presenter;
    std::vector<RaisedEvent> events;
    std::function<void(const QString&, QVariantList&)> onEvent;
    std::unique_ptr<platform::forms::HostForm> form; // last: unloads first
};

} // namespace zephalt_test
