#include "platform/gdi/SystemMetrics.h"

#include "platform/gdi/SystemColors.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstring>

namespace platform::gdi {

namespace {

// The desktop's user-interface font on a Japanese system: 9 point at 96 dpi.
LOGFONTA uiFont(LONG weight) {
    LOGFONTA font;
    font.lfHeight = -12;
    font.lfWeight = weight;
    font.lfCharSet = SHIFTJIS_CHARSET;
    std::strncpy(font.lfFaceName, "MS UI Gothic", LF_FACESIZE - 1);
    return font;
}

QSize screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

} // namespace

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return screenSize().width();
    case SM_CYSCREEN:
        return screenSize().height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
        return 18;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    default:
        return 0;
    }
}

BOOL SystemParametersInfoA(UINT action, UINT param, void* data, UINT) {
    if (action != SPI_GETNONCLIENTMETRICS || !data)
        return win::FALSE;
    auto* out = static_cast<NONCLIENTMETRICSA*>(data);
    if (param != sizeof(NONCLIENTMETRICSA) || out->cbSize != sizeof(NONCLIENTMETRICSA))
        return win::FALSE;
    NONCLIENTMETRICSA metrics;
    metrics.iBorderWidth = 1;
    metrics.iScrollWidth = metrics.iScrollHeight = 16;
    metrics.iCaptionWidth = metrics.iCaptionHeight = 18;
    metrics.lfCaptionFont = uiFont(FW_BOLD);
    metrics.iSmCaptionWidth = 12;
    metrics.iSmCaptionHeight = 15;
    metrics.lfSmCaptionFont = uiFont(FW_BOLD);
    metrics.iMenuWidth = metrics.iMenuHeight = 18;
    metrics.lfMenuFont = uiFont(FW_NORMAL);
    metrics.lfStatusFont = uiFont(FW_NORMAL);
    metrics.lfMessageFont = uiFont(FW_NORMAL);
    *out = metrics;
    return win::TRUE;
}

HRESULT OleTranslateColor(DWORD oleColor, HPALETTE, COLORREF* color) {
    COLORREF result = 0;
    switch (oleColor >> 24) {
    case 0x00:
    case 0x01:
    case 0x02:
        result = oleColor;
        break;
    case 0x80: {
        const DWORD index = oleColor & 0xFF;
        if (index > static_cast<DWORD>(syscolor::Last))
            return E_INVALIDARG;
        result = GetSysColor(static_cast<int>(index));
        break;
    }
    default:
        return E_INVALIDARG;
    }
    if (color)
        *color = result;
    return S_OK;
}

} // namespace platform::gdi
