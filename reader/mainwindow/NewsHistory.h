#pragma once
// The titles of the articles the user has opened, in the order they were first
// read. A title counts as read when an entry equals it exactly; each title is
// held once, and the empty title never is: an empty entry would say nothing
// about any article.
#include <QSet>
#include <QString>
#include <QStringList>

namespace quillet {

class NewsHistory {
public:
    const QStringList& entries() const { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    bool isEmpty() const { return entries_.isEmpty(); }

    // True when some entry equals the title exactly (case-sensitive).
    bool IsReadTitle(const QString& title) const { return exact_.contains(title); }
    // Adds the title unless it is empty or already held. Returns whether it was added.
    bool addIfNew(const QString& title);

private:
    QStringList entries_;
    QSet<QString> exact_;
};

// What the history holds for an opened article: its title without the blanks
// at its ends, or its link for an article without a title, which would
// otherwise stay unread for ever.
QString readingKey(const QString& title, const QString& link);

// Reads the file into the history, one title per line by the rule of addIfNew.
// True when the file was read or is absent, false when reading failed (the
// lines read so far stay).
bool LoadNewsHistory(NewsHistory& history, const QString& path);
// Rewrites the file whole with every entry, when the history holds any; raises on failure.
void SaveNewsHistory(const NewsHistory& history, const QString& path);

} // namespace quillet
