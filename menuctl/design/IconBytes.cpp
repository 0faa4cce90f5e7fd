#include "menuctl/design/IconBytes.h"
#include <QtEndian>

namespace zephalt {

QByteArray IconToBytes(const IconPixels& icon) {
    if (!icon.isValid()) {
        return {};
    }
    QByteArray bytes(8, '\0');
    qToLittleEndian<qint32>(icon.width, bytes.data());
    qToLittleEndian<qint32>(icon.height, bytes.data() + 4);
    bytes += icon.colour;
    bytes += icon.mask;
    return bytes;
}

std::optional<IconPixels> BytesToIcon(const QVariant& value) {
    if (value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    const QByteArray bytes = value.toByteArray();
    if (bytes.size() < 8) {
        return std::nullopt;
    }
    const qint32 width = qFromLittleEndian<qint32>(bytes.constData());
    const qint32 height = qFromLittleEndian<qint32>(bytes.constData() + 4);
    if (width < 1 || height < 1 || width > MaxIconSide || height > MaxIconSide) {
        return std::nullopt;
    }
    const qsizetype colourSize = qsizetype{height} * IconPixels::colourStride(width);
    const qsizetype maskSize = qsizetype{height} * IconPixels::maskStride(width);
    if (bytes.size() != 8 + colourSize + maskSize) {
        return std::nullopt;
    }
    IconPixels icon;
    icon.width = width;
    icon.height = height;
    icon.colour = bytes.mid(8, colourSize);
    icon.mask = bytes.mid(8 + colourSize, maskSize);
    return icon;
}

} // namespace zephalt
