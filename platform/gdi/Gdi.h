#pragma once
// Every drawing call of the platform layer, for code that draws only through
// handles: device contexts, bitmaps, DIB bits, brushes and pens, fonts and
// text, system metrics, edges and frame controls, DrawStateA, icons, image
// lists and pictures.
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/DibBits.h"
#include "platform/gdi/DrawState.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/FrameControls.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Icons.h"
#include "platform/gdi/ImageLists.h"
#include "platform/gdi/Painting.h"
#include "platform/gdi/Pictures.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/gdi/Text.h"
