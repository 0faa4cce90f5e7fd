#pragma once
// The titles of the articles the user has opened, in the order they were first
// read. A title counts as read when an entry equals it exactly. A new title is
// kept only when no entry held already occurs inside it.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

namespace quillet {

class NewsHistory {
public:
    const QStringList& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    bool isEmpty() const { return entries_.isEmpty(); }

    // True when some entry equals the title exactly (case-sensitive).
    bool IsReadTitle(const QString& title) const { return exact_.contains(title); }
    // True when some entry occurs inside the text as a substring.
    bool holdsEntryWithin(const QString& text) const;
    // Adds the title unless an entry occurs inside it; an empty history takes any
    // title. Returns whether it was added.
    bool addIfNew(const QString& title);

private:
    // Substring lookups hash every window of the text whose length is that of
    // some entry, so a long history costs per distinct entry length, not per entry.
    static std::uint64_t hashOf(QStringView text);

    QStringList entries_;
    QSet<QString> exact_;
    std::unordered_map<qsizetype, std::unordered_set<std::uint64_t>> hashesByLength_;
    bool holdsEmpty_ = false;
};

// Reads the file into the history by the rule of addIfNew, line by line. True when
// the file was read or is absent, false when reading failed (the lines read so
// far stay).
bool LoadNewsHistory(NewsHistory& history, const QString& path);
// Rewrites the file whole with every entry, when the history holds any; raises on failure.
void SaveNewsHistory(const NewsHistory& history, const QString& path);

} // namespace quillet
