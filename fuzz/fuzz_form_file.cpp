// A form file: reading any bytes as one, and every byte array in it as a
// stored icon.
#include "menuctl/design/IconBytes.h"
#include "platform/forms/FormFile.h"
#include "platform/runtime/RuntimeError.h"

#include <QByteArray>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const platform::forms::FormFile form =
            platform::forms::parseFormFile(bytes, QStringLiteral("fuzz.frm"));
        for (const auto& control : form.controls) {
            for (const QVariant& value : control.properties) {
                if (const auto icon = zephalt::BytesToIcon(value)) {
                    // What was read is written back the same way.
                    if (zephalt::IconToBytes(*icon) != value.toByteArray()) {
                        __builtin_trap();
                    }
                }
            }
        }
        // A form that was read formats and reads again to the same form.
        const QByteArray again = platform::forms::formatFormFile(form);
        if (platform::forms::formatFormFile(
                platform::forms::parseFormFile(again, QStringLiteral("again.frm"))) != again) {
            __builtin_trap();
        }
    } catch (const platform::RuntimeError&) {
        // A damaged file is refused with its error; that is the expected outcome.
    }
    return 0;
}
