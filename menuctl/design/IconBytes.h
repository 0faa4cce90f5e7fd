#pragma once
// The stored form of an icon: width and height (signed 32-bit, little-endian),
// then the 24-bit colour rows and the 1-bit mask rows, both bottom-up and
// padded to four bytes. A 16 × 16 icon takes 840 bytes.
#include "menuctl/engine/IconPixels.h"
#include <QByteArray>
#include <QVariant>
#include <optional>

namespace zephalt {

QByteArray IconToBytes(const IconPixels& icon); // empty for an invalid icon
// No icon for a value that is not a byte array, is empty, has a width or
// height outside 1..256, or whose length does not match its size.
std::optional<IconPixels> BytesToIcon(const QVariant& value);

} // namespace zephalt
