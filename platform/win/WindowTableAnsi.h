#pragma once
// Copying code page 932 text into a caller's buffer of a given size.
#include <QByteArray>
#include <algorithm>
#include <cstring>

namespace platform::win {

inline bool isCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Copies at most size - 1 bytes and a NUL; returns the number of bytes copied.
// A double-byte character that does not fit whole is left out, so that the
// copy never ends in half a character.
inline int copyCp932(const QByteArray& bytes, char* buffer, int size) {
    if (!buffer || size <= 0) {
        return 0;
    }
    const int limit = std::min(static_cast<int>(bytes.size()), size - 1);
    int count = 0;
    while (count < limit) {
        const int width =
            isCp932LeadByte(static_cast<unsigned char>(bytes[count])) && count + 1 < bytes.size()
                ? 2
                : 1;
        if (count + width > limit) {
            break;
        }
        count += width;
    }
    std::memcpy(buffer, bytes.constData(), static_cast<std::size_t>(count));
    buffer[count] = '\0';
    return count;
}

} // namespace platform::win
