#pragma once
// Texts that the dialog requests carry as code page 932 bytes: reading a
// NUL-ended text from a caller's buffer without running past its size, and
// writing one back cut to the buffer's size without splitting a double-byte
// character.
#include <QByteArray>
#include <QString>
#include <cstddef>

namespace platform::dialogs {

// The text up to the first NUL, reading at most `size` bytes. Null gives "".
QString readAnsi(const char* text, std::size_t size);
// The same for a text whose size the caller does not give (it must end in NUL).
QString readAnsi(const char* text);

// Copies `bytes` into `buffer` with a NUL after them, keeping at most size - 1
// bytes and never the lead byte of a pair without its trail byte. Returns how
// many bytes were kept (without the NUL). Nothing is written when size is 0.
std::size_t writeAnsi(char* buffer, std::size_t size, const QByteArray& bytes);

// True for a byte that starts a double-byte character of code page 932.
constexpr bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace platform::dialogs
