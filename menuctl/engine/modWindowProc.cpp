#include "menuctl/engine/modWindowProc.h"
#include "menuctl/engine/MenuConversion.h"
#include "menuctl/engine/OwnerDrawMenu.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include <QVariantList>
#include <exception>

namespace zephalt {

using namespace platform::win;

LRESULT HostWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    // Borrowed: the control removes the property before it goes.
    auto* control = reinterpret_cast<OwnerDrawMenu*>(GetProp(hWnd, ControlProperty));
    if (control == nullptr) {
        return DefWindowProc(hWnd, uMsg, wParam, lParam);
    }
    return control->WindowProc(hWnd, uMsg, wParam, lParam);
}

namespace {

// The low word as a signed 16-bit value, the high word as the signed upper half.
int lowWord(std::uintptr_t value) {
    return static_cast<std::int16_t>(value & 0xFFFF);
}
int highWord(std::uintptr_t value) {
    return static_cast<std::int16_t>((value >> 16) & 0xFFFF);
}

void raiseGetMinMaxInfo(platform::forms::ControlSite& site, MINMAXINFO& info) {
    QVariantList args{info.ptMaxPosition.x,  info.ptMaxPosition.y,  info.ptMaxSize.x,
                      info.ptMaxSize.y,      info.ptMinTrackSize.x, info.ptMinTrackSize.y,
                      info.ptMaxTrackSize.x, info.ptMaxTrackSize.y};
    site.raiseEvent(QStringLiteral("GetMinMaxInfo"), args);
    if (args.size() != 8) {
        return; // a handler that broke the arguments changes nothing
    }
    info.ptMaxPosition = {args[0].toInt(), args[1].toInt()};
    info.ptMaxSize = {args[2].toInt(), args[3].toInt()};
    info.ptMinTrackSize = {args[4].toInt(), args[5].toInt()};
    info.ptMaxTrackSize = {args[6].toInt(), args[7].toInt()};
}

} // namespace

LRESULT OwnerDrawMenu::WindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(previousProc_);
    auto passOn = [&] { return CallWindowProc(previous, hWnd, Msg, wParam, lParam); };
    // Whatever fails inside the control's own work leaves the message to the
    // host window as if the control were not there; nothing is thrown
    // through a window procedure.
    auto guarded = [](auto work) {
        try {
            work();
        } catch (const platform::RuntimeError& error) {
            qWarning("OwnerDrawMenu: error %d: %s", error.number(),
                     qPrintable(error.description()));
        } catch (const std::exception& error) {
            qWarning("OwnerDrawMenu: %s", error.what());
        }
    };
    switch (Msg) {
    case WM_GETMINMAXINFO: {
        passOn();
        if (lParam != 0 && site_ != nullptr) {
            MINMAXINFO info = *reinterpret_cast<const MINMAXINFO*>(lParam);
            guarded([&] { raiseGetMinMaxInfo(*site_, info); });
            *reinterpret_cast<MINMAXINFO*>(lParam) = info;
        }
        return -1;
    }
    case WM_DRAWITEM:
        if (lParam != 0) {
            DRAWITEMSTRUCT record = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (record.CtlType == ODT_MENU && record.CtlID == 0) {
                guarded([&] { DrawMenuItem(*this, wParam, record); });
            }
        }
        return passOn();
    case WM_MEASUREITEM:
        if (lParam != 0) {
            MEASUREITEMSTRUCT record = *reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            if (record.CtlType == ODT_MENU && record.CtlID == 0) {
                guarded([&] { MeasureMenuItem(*this, record.itemData, record); });
            }
            *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam) = record;
        }
        return passOn();
    case WM_INITMENU: {
        const LRESULT result = passOn();
        return result; // InitMenu has nothing to do
    }
    case WM_INITMENUPOPUP: {
        const LRESULT result = passOn();
        guarded([&] {
            RegistPopup(*this, static_cast<HMENU>(wParam),
                        lowWord(static_cast<std::uintptr_t>(lParam)),
                        highWord(static_cast<std::uintptr_t>(lParam)) != 0);
        });
        return result;
    }
    case WM_MENUSELECT:
        guarded([&] {
            NotifySelected(*this, lowWord(wParam), highWord(wParam), static_cast<HMENU>(lParam));
        });
        return passOn();
    case WM_MENUCHAR: {
        LRESULT result = 0;
        guarded([&] {
            result =
                FindMenuChar(*this, LOWORD(wParam), highWord(wParam), static_cast<HMENU>(lParam));
        });
        return result; // never passed on
    }
    default:
        return passOn();
    }
}

} // namespace zephalt
