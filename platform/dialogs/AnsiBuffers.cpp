#include "platform/dialogs/AnsiBuffers.h"

#include "platform/text/Codepage.h"

#include <cstring>

namespace platform::dialogs {

QString readAnsi(const char* text, std::size_t size) {
    if (text == nullptr)
        return {};
    const std::size_t length = strnlen(text, size);
    return text::decodeCp932(QByteArray(text, static_cast<qsizetype>(length)));
}

QString readAnsi(const char* text) {
    if (text == nullptr)
        return {};
    return text::decodeCp932(QByteArray(text));
}

std::size_t writeAnsi(char* buffer, std::size_t size, const QByteArray& bytes) {
    if (buffer == nullptr || size == 0)
        return 0;
    const std::size_t limit = size - 1;
    std::size_t kept = 0;
    const auto total = static_cast<std::size_t>(bytes.size());
    while (kept < total) {
        const auto byte = static_cast<unsigned char>(bytes[static_cast<qsizetype>(kept)]);
        const std::size_t width = isLeadByte(byte) && kept + 1 < total ? 2 : 1;
        if (kept + width > limit)
            break;
        kept += width;
    }
    std::memcpy(buffer, bytes.constData(), kept);
    buffer[kept] = '\0';
    return kept;
}

} // namespace platform::dialogs
