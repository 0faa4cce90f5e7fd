#include "platform/gdi/SystemColors.h"

#include <array>

namespace platform::gdi {

std::uint32_t GetSysColor(int index) {
    static constexpr std::array<std::uint32_t, syscolor::Last + 1> scheme = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
        0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
        0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4,
    };
    if (index < 0 || index > syscolor::Last)
        return 0;
    return scheme[static_cast<std::size_t>(index)];
}

QColor colorOfColorref(std::uint32_t colorref) {
    return QColor(static_cast<int>(colorref & 0xFF), static_cast<int>((colorref >> 8) & 0xFF),
                  static_cast<int>((colorref >> 16) & 0xFF));
}

QColor sysColor(int index) {
    return colorOfColorref(GetSysColor(index));
}

} // namespace platform::gdi
