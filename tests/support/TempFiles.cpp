#include "support/TempFiles.h"

#include "platform/text/Codepage.h"

namespace testing_support {

QByteArray cp932Lines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += platform::text::encodeCp932(line) + "\r\n";
    return bytes;
}

} // namespace testing_support
