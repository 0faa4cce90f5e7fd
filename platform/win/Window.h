#pragma once
// The window table: every form and pop-up menu window has a handle, a chain of
// window procedures, a property list and a class name. The table is one per
// process, inside this library, so the program and every control library it
// loads see the same windows. Everything runs on the GUI thread.
#include "platform/win/WinTypes.h"
#include <QString>

class QWidget;

namespace platform::win {

// Registers a window and returns its handle. defaultProc is the window's own
// procedure (the form's normal behaviour); it sits at the end of the chain and
// may be null, in which case DefWindowProc serves.
HWND CreateWindowHandle(QWidget* widget, const QString& className, WNDPROC defaultProc);
// Sends WM_DESTROY and WM_NCDESTROY through the chain, discards the window's
// properties and forgets the handle.
void DestroyWindowHandle(HWND hwnd);
BOOL IsWindow(HWND hwnd);
QWidget* widgetOfWindow(HWND hwnd);       // null for an unknown handle
HWND windowOfWidget(const QWidget* widget); // 0 for a widget without a handle

// GWL_WNDPROC replaces the head of the chain and returns the procedure it
// replaced (0 on failure); other indexes are not kept and return 0.
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
inline LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
    return SetWindowLongPtr(hwnd, index, value);
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Calls the head of the window's chain and returns its result; 0 for an unknown handle.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message; it is sent when the event loop next runs.
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// What a window does with a message nobody handled: 0 for most; WM_MENUCHAR 0
// (MNC_IGNORE); WM_CLOSE closes the widget; WM_SYSCOMMAND carries out SC_CLOSE,
// SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE.
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Names match without regard to case. SetProp adds or replaces; GetProp gives 0
// when absent; RemoveProp removes and returns the data (0 if absent).
BOOL SetProp(HWND hwnd, const QString& name, HANDLE data);
HANDLE GetProp(HWND hwnd, const QString& name);
HANDLE RemoveProp(HWND hwnd, const QString& name);

// Copies the class name with a NUL into the buffer (cut to size - 1) and returns
// the number of characters copied; 0 for an unknown handle.
int GetClassNameA(HWND hwnd, char* buffer, int size);
QString className(HWND hwnd);

} // namespace platform::win
