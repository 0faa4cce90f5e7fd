// Controls that a form creates by class name from a control library: what
// they are offered, how their events and window procedures reach the form,
// and that they are gone before the window is.
#include "FormTestSupport.h"
#include "platform/forms/ControlLibraries.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "support/TempFiles.h"
#include <gtest/gtest.h>

using namespace platform::win;
using platform::forms::ControlDescription;
using platform::forms::ControlLibraries;
using platform::forms::HostForm;
using platform::forms::MenuControl;
using namespace forms_test;

namespace {

// Messages the probe control answers (see testcontrol/ProbeControl.cpp).
constexpr UINT ProbeEcho = WM_USER + 1;
constexpr UINT ProbeChangeShortcut = WM_USER + 2;
constexpr LRESULT ProbeAnswer = 0x5EED;

struct RaisedEvent {
    QString control;
    QString event;
    QVariantList args;
};

class HostedControlTest : public ::testing::Test {
protected:
    HostedControlTest()
        : libraries(std::make_shared<ControlLibraries>(QStringLiteral(TESTCONTROL_DIR))),
          description(readerLikeForm(clicks)) {}

    void addProbe(const QString& name, QVariantMap stored = {}) {
        description.controls.push_back(
            ControlDescription{name, QStringLiteral("TestHost.Probe"), std::move(stored)});
    }
    HostForm& makeForm() {
        form = std::make_unique<HostForm>(&window, description, libraries);
        form->setEventHandler(
            [this](const QString& control, const QString& event, QVariantList& args) {
                events.push_back({control, event, args});
                if (onEvent) {
                    onEvent(control, event, args);
                }
            });
        return *form;
    }
    const RaisedEvent* find(const QString& control, const QString& event) const {
        for (const RaisedEvent& raised : events) {
            if (raised.control == control && raised.event == event) {
                return &raised;
            }
        }
        return nullptr;
    }
    QStringList eventNames() const {
        QStringList names;
        for (const RaisedEvent& raised : events) {
            names.append(raised.control + '.' + raised.event);
        }
        return names;
    }

    QMainWindow window;
    QStringList clicks;
    std::shared_ptr<ControlLibraries> libraries;
    FormDescription description;
    std::vector<RaisedEvent> events;
    std::function<void(const QString&, const QString&, QVariantList&)> onEvent;
    // Last, so that it unloads (and raises its last events) before the rest goes.
    std::unique_ptr<HostForm> form;
};

TEST_F(HostedControlTest, TheClassNameFindsTheLibraryThatServesIt) {
    EXPECT_TRUE(libraries->classNames().contains(QStringLiteral("TestHost.Probe")));
    description.controls.push_back(
        ControlDescription{QStringLiteral("odm1"), QStringLiteral("testhost.PROBE"), {}});
    makeForm().load();
    EXPECT_NE(find("odm1", "Loaded"), nullptr);
}

TEST_F(HostedControlTest, TheControlIsOfferedTheFormItsStoredValuesAndTheMenus) {
    addProbe("odm1", {{QStringLiteral("caption"), QStringLiteral("保存された値")}});
    makeForm().load();
    const RaisedEvent* loaded = find("odm1", "Loaded");
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->args.size(), 6);
    EXPECT_TRUE(loaded->args[0].toBool()); // run time unless told otherwise
    EXPECT_EQ(loaded->args[1].toULongLong(), form->windowHandle());
    // Names are read without regard to case; absent ones give the default.
    EXPECT_EQ(loaded->args[2].toString(), QStringLiteral("保存された値"));
    EXPECT_EQ(loaded->args[3].toInt(), 42);
    EXPECT_EQ(loaded->args[4].toInt(), 1); // sees itself among the form's controls

    const QStringList menus = loaded->args[5].toStringList();
    ASSERT_EQ(menus.size(), static_cast<int>(form->menuControls().size()));
    const MenuControl& open = *form->menuControl("mnuFileOpen");
    EXPECT_EQ(menus[1], QStringLiteral("mnuFileOpen id=%1 sub=0 next=mnuFileSep1 last=0 key=15")
                            .arg(open.commandId()));
    EXPECT_TRUE(
        menus.contains(QStringLiteral("mnuViewAutoRefresh_time(8) id=%1 sub=0 next=- last=1 key=0")
                           .arg(form->menuControl("mnuViewAutoRefresh_time", 8)->commandId())));
    EXPECT_TRUE(menus[0].startsWith(QStringLiteral("mnuFile id=")));
    EXPECT_TRUE(menus[0].contains(QStringLiteral(" sub=1 next=mnuView ")));

    // The window the control sees is of a built program's form class.
    EXPECT_TRUE(className(form->windowHandle()).startsWith(QStringLiteral("ThunderRT")));
}

TEST_F(HostedControlTest, WhatTheControlWritesStaysInItsBag) {
    addProbe("odm1", {{QStringLiteral("MenuItemNames"), QStringLiteral("mnuFileOpen ")}});
    makeForm().load();
    const platform::forms::PropertyBag* bag = form->storedProperties("ODM1");
    ASSERT_NE(bag, nullptr);
    EXPECT_EQ(bag->read("menuitemnames").toString(), QStringLiteral("mnuFileOpen "));
    EXPECT_TRUE(bag->read("SeenByProbe").toBool());
    EXPECT_FALSE(bag->contains("SameAsDefault")); // written with its default
    EXPECT_EQ(bag->read("SavedOnRequest").toInt(), 1);
    EXPECT_EQ(form->storedProperties("odm9"), nullptr);
}

TEST_F(HostedControlTest, AtRunTimeTheControlsProcedureSeesMessagesFirst) {
    addProbe("odm1");
    makeForm().load();
    const HWND hwnd = form->windowHandle();
    EXPECT_EQ(SendMessage(hwnd, ProbeEcho, 77, 0), ProbeAnswer);
    const RaisedEvent* echo = find("odm1", "Echo");
    ASSERT_NE(echo, nullptr);
    EXPECT_EQ(echo->args.value(0).toULongLong(), 77u);

    // Whatever it passes on still reaches the form's own procedure.
    const MenuControl& exit = *form->menuControl("mnuFileExit");
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(exit.commandId()), 0), 0);
    EXPECT_EQ(clicks, QStringList{"mnuFileExit"});

    // A control changes a menu's shortcut through the facts it was given.
    EXPECT_EQ(SendMessage(hwnd, ProbeChangeShortcut, 16, 0), 15);
    EXPECT_EQ(form->menuControl("mnuFileOpen")->shortcut(), 16);
    EXPECT_EQ(menuItemText(form->menuControl("mnuFile")->subMenu(), 0),
              QStringLiteral("開く(&O)\tCtrl+P"));
}

TEST_F(HostedControlTest, AtDesignTimeTheWindowIsLeftAlone) {
    addProbe("odm1");
    makeForm().setUserMode(false);
    form->load();
    const RaisedEvent* loaded = find("odm1", "Loaded");
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(loaded->args[0].toBool());
    EXPECT_EQ(find("odm1", "Hooked"), nullptr);
    EXPECT_EQ(SendMessage(form->windowHandle(), ProbeEcho, 0, 0), 0);
    EXPECT_EQ(GetProp(form->windowHandle(), "probeCtrlPtr0"), 0u);
}

TEST_F(HostedControlTest, ControlsTerminateInReverseOrderWhileTheWindowExists) {
    addProbe("odm1");
    addProbe("odm2", {{QStringLiteral("Slot"), 1}});
    struct AtTermination {
        bool windowAlive = false;
        LONG_PTR head = 0;
        HANDLE probeProperty = 1;
    };
    std::map<QString, AtTermination> seen;
    HWND hwnd = 0;
    onEvent = [&](const QString& control, const QString& event, QVariantList&) {
        if (event == QLatin1String("Terminated")) {
            seen[control] = {IsWindow(hwnd) != FALSE, GetWindowLongPtr(hwnd, GWL_WNDPROC),
                             GetProp(hwnd, control == "odm1" ? "probeCtrlPtr0" : "probeCtrlPtr1")};
        }
    };
    makeForm().load();
    hwnd = form->windowHandle();
    EXPECT_EQ(find("odm2", "Loaded")->args[4].toInt(), 2);
    const qlonglong formProc = find("odm1", "Hooked")->args[0].toLongLong();
    const qlonglong odm1Proc = find("odm2", "Hooked")->args[0].toLongLong();
    EXPECT_NE(formProc, odm1Proc);

    events.clear();
    form->unload();
    EXPECT_EQ(eventNames(), (QStringList{"odm2.Terminated", "odm1.Terminated"}));
    // Each put back exactly the procedure it replaced, so the chain unwinds
    // to the form's own procedure.
    EXPECT_TRUE(seen["odm2"].windowAlive);
    EXPECT_EQ(seen["odm2"].head, odm1Proc);
    EXPECT_TRUE(seen["odm1"].windowAlive);
    EXPECT_EQ(seen["odm1"].head, formProc);
    EXPECT_EQ(seen["odm1"].probeProperty, 0u);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(form->isLoaded());
}

TEST_F(HostedControlTest, AWindowDeletedByQtStillTerminatesItsControls) {
    addProbe("odm1");
    auto* owned = new QMainWindow; // deleted below, as a parent going away would
    form = std::make_unique<HostForm>(owned, description, libraries);
    bool windowAliveAtTermination = false;
    HWND hwnd = 0;
    form->setEventHandler([&](const QString&, const QString& event, QVariantList&) {
        if (event == QLatin1String("Terminated")) {
            windowAliveAtTermination = IsWindow(hwnd) != FALSE;
        }
    });
    form->load();
    hwnd = form->windowHandle();
    delete owned;
    EXPECT_TRUE(windowAliveAtTermination);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(form->isLoaded());
    form.reset();
}

TEST_F(HostedControlTest, GetMinMaxInfoAnsweredByTheHostLimitsTheWindow) {
    addProbe("odm1");
    onEvent = [](const QString&, const QString& event, QVariantList& args) {
        if (event == QLatin1String("GetMinMaxInfo")) {
            args = {420, 300, 900, 700};
        }
    };
    makeForm().load();
    window.show();
    window.resize(200, 100);
    EXPECT_EQ(window.minimumSize(), QSize(420, 300));
    EXPECT_EQ(window.maximumSize(), QSize(900, 700));
    EXPECT_GE(window.width(), 420);
    EXPECT_GE(window.height(), 300);
}

TEST_F(HostedControlTest, AClassNoLibraryServesFailsTheLoadCleanly) {
    addProbe("odm1");
    description.controls.push_back(
        ControlDescription{QStringLiteral("odm2"), QStringLiteral("TestHost.Missing"), {}});
    makeForm();
    try {
        form->load();
        ADD_FAILURE() << "load succeeded";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::forms::CannotCreateObject);
        EXPECT_TRUE(error.description().contains(QStringLiteral("TestHost.Missing")));
    }
    EXPECT_FALSE(form->isLoaded());
    EXPECT_EQ(windowOfWidget(&window), 0u); // the handle went with the failure
    EXPECT_TRUE(events.empty()) << eventNames().join(',').toStdString();
    // The form can load once the description is right.
    description.controls.pop_back();
    makeForm().load();
    EXPECT_TRUE(form->isLoaded());
}

TEST_F(HostedControlTest, AFolderWithoutControlLibrariesServesNothing) {
    QTemporaryDir folder;
    // Not a library at all: skipped with a reason, not a crash.
    testing_support::writeBytes(folder.filePath("libbroken.so"), "not an object file");
    auto none = std::make_shared<ControlLibraries>(folder.path());
    addProbe("odm1");
    HostForm elsewhere(&window, description, none);
    try {
        elsewhere.load();
        ADD_FAILURE() << "load succeeded";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), platform::forms::CannotCreateObject);
    }
    EXPECT_TRUE(none->classNames().isEmpty());
    EXPECT_EQ(none->problems().size(), 1);
}

} // namespace
