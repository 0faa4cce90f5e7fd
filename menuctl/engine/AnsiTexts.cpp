#include "menuctl/engine/AnsiTexts.h"

#include "platform/text/Codepage.h"

namespace zephalt {

const QByteArray& AnsiTexts::of(const QString& text) {
    const auto known = known_.constFind(text);
    if (known != known_.constEnd())
        return *known;
    if (known_.size() >= kMostTexts)
        known_.clear();
    return *known_.insert(text, platform::text::encodeCp932(text));
}

} // namespace zephalt
