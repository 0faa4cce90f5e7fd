#pragma once
// Fonts from LOGFONT records. The described desktop's Japanese face names map
// to the installed Japanese fonts of the same kind (proportional or fixed,
// gothic or mincho); a face name beginning with "@" is the vertical form.
#include "platform/gdi/GdiTypes.h"

#include <QFont>

namespace platform::gdi {

HFONT CreateFontIndirectA(const LOGFONTA* logFont);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);

// The Qt font of a LOGFONT (pixel size from lfHeight); *vertical says whether
// the face name asked for the vertical form.
QFont fontFromLogFont(const LOGFONTA& logFont, bool* vertical);
// The installed family that stands in for a face name (without "@").
QString familyForFace(const QString& face, BYTE pitchAndFamily);

} // namespace platform::gdi
