#include "platform/win/Window.h"

#include "platform/text/Codepage.h"
#include "platform/win/MenuDataWindow.h"
#include "platform/win/Messages.h"
#include "platform/win/WindowTableAnsi.h"

#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform::win {

namespace {

struct Property {
    QString name;
    HANDLE data = 0;
};

struct WindowEntry {
    QPointer<QWidget> widget;
    // The widget's address, kept apart from the QPointer so the entry can still
    // be found from QObject::destroyed, when the QPointer is already null.
    const QObject* widgetKey = nullptr;
    QString className;
    // Head of the procedure chain. Never null: a window without its own
    // procedure starts with DefWindowProc, so that the value a subclass gets
    // back from SetWindowLongPtr is always something it can forward to.
    WNDPROC head = nullptr;
    std::vector<Property> properties;
    QMetaObject::Connection widgetDestroyed;
    bool destroying = false;
};

// The window table. It is the one table of windows shared by the whole process
// (the program and every control library it loads reach it through this
// library), so it lives here as a function-local static. Only the GUI thread
// touches it.
class WindowTable {
public:
    WindowTable() = default;
    WindowTable(const WindowTable&) = delete;
    WindowTable& operator=(const WindowTable&) = delete;
    ~WindowTable() {
        // Widgets that outlive the table must not call back into it.
        for (auto& [hwnd, entry] : entries_) {
            QObject::disconnect(entry.widgetDestroyed);
        }
    }

    WindowEntry* find(HWND hwnd) {
        auto it = entries_.find(hwnd);
        return it == entries_.end() ? nullptr : &it->second;
    }

    HWND findWidget(const QObject* widget) const {
        auto it = byWidget_.find(widget);
        return it == byWidget_.end() ? 0 : it->second;
    }

    HWND add(WindowEntry entry) {
        const HWND hwnd = next_++;
        if (entry.widgetKey) {
            byWidget_[entry.widgetKey] = hwnd;
        }
        entries_.emplace(hwnd, std::move(entry));
        return hwnd;
    }

    void remove(HWND hwnd) {
        auto it = entries_.find(hwnd);
        if (it == entries_.end()) {
            return;
        }
        QObject::disconnect(it->second.widgetDestroyed);
        auto byWidget = byWidget_.find(it->second.widgetKey);
        if (byWidget != byWidget_.end() && byWidget->second == hwnd) {
            byWidget_.erase(byWidget);
        }
        entries_.erase(it);
    }

private:
    // std::map keeps entries in place while others are added, so a pointer to
    // an entry stays good across a window procedure that creates windows.
    std::map<HWND, WindowEntry> entries_;
    std::unordered_map<const QObject*, HWND> byWidget_;
    // Handles only grow, so a stale handle can never name a newer window.
    HWND next_ = 1;
};

WindowTable& table() {
    static WindowTable instance;
    return instance;
}

std::vector<Property>::iterator findProperty(std::vector<Property>& properties,
                                             const QString& name) {
    return std::find_if(properties.begin(), properties.end(), [&](const Property& property) {
        return property.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

HWND CreateWindowHandle(QWidget* widget, const QString& className, WNDPROC defaultProc) {
    WindowTable& windows = table();
    // One handle per widget: windowOfWidget must have a single answer.
    if (widget && windows.findWidget(widget) != 0) {
        return 0;
    }
    WindowEntry entry;
    entry.widget = widget;
    entry.widgetKey = widget;
    entry.className = className;
    entry.head = defaultProc ? defaultProc : &DefWindowProc;
    const HWND hwnd = windows.add(std::move(entry));
    if (widget) {
        // A widget that Qt deletes (a parent going away, deleteLater) takes
        // its handle with it: the chain still gets WM_DESTROY and
        // WM_NCDESTROY, with widgetOfWindow already null, so that subclasses
        // can unhook and free their properties as usual.
        table().find(hwnd)->widgetDestroyed =
            QObject::connect(widget, &QObject::destroyed, [hwnd] { DestroyWindowHandle(hwnd); });
    }
    return hwnd;
}

void DestroyWindowHandle(HWND hwnd) {
    WindowEntry* entry = table().find(hwnd);
    if (!entry || entry->destroying) {
        return;
    }
    entry->destroying = true;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    releaseWindowMenus(hwnd);
    // Whatever properties the owners left behind go with the entry.
    table().remove(hwnd);
}

BOOL IsWindow(HWND hwnd) {
    return table().find(hwnd) ? TRUE : FALSE;
}

QWidget* widgetOfWindow(HWND hwnd) {
    WindowEntry* entry = table().find(hwnd);
    return entry ? entry->widget.data() : nullptr;
}

HWND windowOfWidget(const QWidget* widget) {
    return widget ? table().findWidget(widget) : 0;
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    WindowEntry* entry = table().find(hwnd);
    // A null procedure would leave the window with nothing to answer messages.
    if (!entry || index != GWL_WNDPROC || value == 0) {
        return 0;
    }
    const WNDPROC previous = entry->head;
    entry->head = reinterpret_cast<WNDPROC>(value);
    return reinterpret_cast<LONG_PTR>(previous);
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    WindowEntry* entry = table().find(hwnd);
    if (!entry || index != GWL_WNDPROC) {
        return 0;
    }
    return reinterpret_cast<LONG_PTR>(entry->head);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return (proc ? proc : &DefWindowProc)(hwnd, message, wParam, lParam);
}

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowEntry* entry = table().find(hwnd);
    if (!entry) {
        return 0;
    }
    // Copy the head before calling: the procedure may destroy the window.
    const WNDPROC head = entry->head;
    return CallWindowProc(head, hwnd, message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd) || !qApp) {
        return FALSE;
    }
    // Queued calls on one object run in the order they were queued, which
    // keeps posted messages in order.
    QMetaObject::invokeMethod(
        qApp,
        [hwnd, message, wParam, lParam] {
            // The window may have been destroyed meanwhile: SendMessage then
            // finds no entry and does nothing. Handles are never reused, so
            // the message cannot reach another window either.
            SendMessage(hwnd, message, wParam, lParam);
        },
        Qt::QueuedConnection);
    return TRUE;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    QWidget* widget = widgetOfWindow(hwnd);
    switch (message) {
    case WM_CLOSE:
        if (widget) {
            widget->close();
        }
        return 0;
    case WM_SYSCOMMAND: {
        // The low four bits of a system command are used by the system itself.
        const UINT command = static_cast<UINT>(wParam) & 0xFFF0;
        QWidget* window = widget ? widget->window() : nullptr;
        switch (command) {
        case SC_CLOSE:
            // Posted, not sent: the command often comes from a menu that is
            // still on the stack, and closing may delete the form under it.
            PostMessage(hwnd, WM_CLOSE, 0, 0);
            break;
        case SC_MINIMIZE:
            if (window) {
                window->showMinimized();
            }
            break;
        case SC_MAXIMIZE:
            if (window) {
                window->showMaximized();
            }
            break;
        case SC_RESTORE:
            if (window) {
                window->showNormal();
            }
            break;
        default:
            break;
        }
        return 0;
    }
    case WM_MENUCHAR:
        return 0; // MNC_IGNORE: no item has that character
    case WM_GETMINMAXINFO:
        return 0; // the record keeps the limits it was sent with
    default:
        return 0;
    }
}

BOOL SetProp(HWND hwnd, const QString& name, HANDLE data) {
    WindowEntry* entry = table().find(hwnd);
    if (!entry || name.isEmpty()) {
        return FALSE;
    }
    auto it = findProperty(entry->properties, name);
    if (it != entry->properties.end()) {
        it->data = data;
    } else {
        entry->properties.push_back({name, data});
    }
    return TRUE;
}

HANDLE GetProp(HWND hwnd, const QString& name) {
    WindowEntry* entry = table().find(hwnd);
    if (!entry) {
        return 0;
    }
    auto it = findProperty(entry->properties, name);
    return it == entry->properties.end() ? 0 : it->data;
}

HANDLE RemoveProp(HWND hwnd, const QString& name) {
    WindowEntry* entry = table().find(hwnd);
    if (!entry) {
        return 0;
    }
    auto it = findProperty(entry->properties, name);
    if (it == entry->properties.end()) {
        return 0;
    }
    const HANDLE data = it->data;
    entry->properties.erase(it);
    return data;
}

int GetClassNameA(HWND hwnd, char* buffer, int size) {
    WindowEntry* entry = table().find(hwnd);
    if (!entry) {
        return 0;
    }
    return copyCp932(text::encodeCp932(entry->className), buffer, size);
}

QString className(HWND hwnd) {
    WindowEntry* entry = table().find(hwnd);
    return entry ? entry->className : QString();
}

} // namespace platform::win
