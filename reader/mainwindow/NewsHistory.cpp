#include "reader/mainwindow/NewsHistory.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"

namespace quillet {

namespace {
constexpr std::uint64_t HashBase = 0x100000001B3ull;

std::uint64_t powerOf(std::uint64_t base, qsizetype exponent) {
    std::uint64_t result = 1;
    for (qsizetype i = 0; i < exponent; ++i)
        result *= base;
    return result;
}
} // namespace

std::uint64_t NewsHistory::hashOf(QStringView text) {
    std::uint64_t hash = 0;
    for (QChar c : text)
        hash = hash * HashBase + c.unicode() + 1;
    return hash;
}

bool NewsHistory::holdsEntryWithin(const QString& text) const {
    if (holdsEmpty_)
        return true;
    for (const auto& [length, hashes] : hashesByLength_) {
        if (length > text.size())
            continue;
        // Rolling hash over every window of this length; a hit is confirmed exactly.
        const std::uint64_t dropFactor = powerOf(HashBase, length - 1);
        std::uint64_t hash = hashOf(QStringView(text).first(length));
        for (qsizetype start = 0;; ++start) {
            if (hashes.count(hash) != 0 && exact_.contains(text.mid(start, length)))
                return true;
            if (start + length >= text.size())
                break;
            hash -= (text[start].unicode() + 1) * dropFactor;
            hash = hash * HashBase + text[start + length].unicode() + 1;
        }
    }
    return false;
}

bool NewsHistory::addIfNew(const QString& title) {
    if (!entries_.isEmpty() && holdsEntryWithin(title))
        return false;
    entries_.append(title);
    exact_.insert(title);
    if (title.isEmpty())
        holdsEmpty_ = true;
    else
        hashesByLength_[title.size()].insert(hashOf(title));
    return true;
}

bool LoadNewsHistory(NewsHistory& history, const QString& path) {
    if (!platform::text::fileExists(path))
        return true;
    try {
        const QStringList lines = platform::text::readLines(path);
        for (const QString& line : lines)
            history.addIfNew(line);
        return true;
    } catch (const platform::RuntimeError&) {
        return false;
    }
}

void SaveNewsHistory(const NewsHistory& history, const QString& path) {
    if (history.isEmpty())
        return;
    platform::text::writeLinesAtomic(path, history.entries());
}

} // namespace quillet
