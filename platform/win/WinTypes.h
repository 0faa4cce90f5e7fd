#pragma once
// Handles, message parameters and small records with the described platform's
// meanings. Handles are opaque numbers; 0 never names anything.
#include <cstdint>

namespace platform::win {

using HWND = std::uintptr_t;
using HMENU = std::uintptr_t;
using HDC = std::uintptr_t;
using HBITMAP = std::uintptr_t;
using HBRUSH = std::uintptr_t;
using HGDIOBJ = std::uintptr_t;
using HPEN = std::uintptr_t;
using HFONT = std::uintptr_t;
using HICON = std::uintptr_t;
using HIMAGELIST = std::uintptr_t;
using HPALETTE = std::uintptr_t;
using HANDLE = std::uintptr_t;
using UINT = std::uint32_t;
using BYTE = std::uint8_t;
using LONG = std::int32_t;
using HRESULT = std::int32_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using COLORREF = std::uint32_t;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct POINT {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// right and bottom are exclusive.
struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

constexpr WORD LOWORD(std::uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

} // namespace platform::win
