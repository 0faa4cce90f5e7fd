#include "platform/profile/PrivateProfile.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"

#include <QFileInfo>
#include <QStringList>

#include <optional>

namespace platform::profile {

namespace {

// Only spaces and tabs count as blanks: a full-width space at the end of a
// Japanese value belongs to the value.
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView s) {
    while (!s.isEmpty() && isBlank(s.front())) {
        s = s.mid(1);
    }
    while (!s.isEmpty() && isBlank(s.back())) {
        s.chop(1);
    }
    return s;
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What one line of the file is.
struct Line {
    enum Kind { Other, Section, Key } kind = Other;
    QStringView name;  // section or key name, trimmed
    QStringView value; // key value, trimmed, quotes not yet removed
};

Line classify(const QString& text) {
    const QStringView s = trimBlanks(text);
    Line line;
    if (s.isEmpty() || s.front() == u';') {
        return line;
    }
    if (s.front() == u'[') {
        const qsizetype close = s.indexOf(u']');
        line.kind = Line::Section;
        line.name = trimBlanks(close < 0 ? s.mid(1) : s.mid(1, close - 1));
        return line;
    }
    const qsizetype eq = s.indexOf(u'=');
    if (eq < 0) {
        return line;
    }
    line.kind = Line::Key;
    line.name = trimBlanks(s.left(eq));
    line.value = trimBlanks(s.mid(eq + 1));
    return line;
}

bool isQuoted(QStringView value) {
    return value.size() >= 2 && value.front() == u'"' && value.back() == u'"';
}

QString unquote(QStringView value) {
    return (isQuoted(value) ? value.mid(1, value.size() - 2) : value).toString();
}

// A value that reading would change (blanks at its ends, or quotes around it)
// is written inside quotes, so it reads back as it was written.
QString storedValue(const QString& value) {
    const QStringView v(value);
    if (v.isEmpty()) {
        return value;
    }
    if (isBlank(v.front()) || isBlank(v.back()) || isQuoted(v)) {
        return QLatin1Char('"') + value + QLatin1Char('"');
    }
    return value;
}

QString cutToBuffer(const QString& text, int bufferSize) {
    if (bufferSize < 1) {
        return QString();
    }
    qsizetype length = std::min<qsizetype>(text.size(), bufferSize - 1);
    // Never keep half of a surrogate pair.
    if (length > 0 && length < text.size() && text[length - 1].isHighSurrogate()) {
        --length;
    }
    return text.left(length);
}

bool hasLineBreak(const QString& s) {
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

// The value of the first matching key in the first matching section.
std::optional<QString> findValue(const QStringList& lines, QStringView section, QStringView key) {
    bool inSection = false;
    for (const QString& text : lines) {
        const Line line = classify(text);
        if (line.kind == Line::Section) {
            if (inSection) {
                return std::nullopt; // only the first section of that name counts
            }
            inSection = sameName(line.name, section);
        } else if (inSection && line.kind == Line::Key && sameName(line.name, key)) {
            return unquote(line.value);
        }
    }
    return std::nullopt;
}

// The file's lines; a CR alone ends a line too, as it does for the described
// platform's reader, so files written by tools that end lines with CR read
// key by key instead of as one long line.
QStringList profileLines(const QString& path) {
    QStringList lines;
    for (const QString& line : text::readLines(path)) {
        if (line.contains(u'\r')) {
            QStringList pieces = line.split(u'\r');
            if (line.endsWith(u'\r'))
                pieces.removeLast(); // the CR ended the last line; no empty line follows
            lines.append(pieces);
        } else
            lines.append(line);
    }
    return lines;
}

QString trimTrailingBlanks(const QString& s) {
    qsizetype length = s.size();
    while (length > 0 && isBlank(s[length - 1])) {
        --length;
    }
    return s.left(length);
}

} // namespace

QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path) {
    std::optional<QString> value;
    if (text::fileExists(path)) {
        try {
            value = findValue(profileLines(path), trimBlanks(section), trimBlanks(key));
        } catch (const RuntimeError&) {
            // An unreadable file reads like a missing one: the default applies.
        }
    }
    // The default loses its trailing blanks before it is cut, as the
    // described platform returns it.
    return cutToBuffer(value.value_or(trimTrailingBlanks(defaultValue)), bufferSize);
}

namespace {

// Names that could not be read back as written, and line breaks that would
// split the entry into other lines, are refused instead of stored wrongly.
bool storable(const ProfileEntry& entry) {
    const QStringView sectionName = trimBlanks(entry.section);
    const QStringView keyName = trimBlanks(entry.key);
    return !(sectionName.isEmpty() || keyName.isEmpty() || sectionName.contains(u']') ||
             keyName.contains(u'=') || keyName.front() == u'[' || keyName.front() == u';' ||
             hasLineBreak(entry.section) || hasLineBreak(entry.key) || hasLineBreak(entry.value));
}

void applyEntry(QStringList& lines, const ProfileEntry& entry) {
    const QStringView sectionName = trimBlanks(entry.section);
    const QStringView keyName = trimBlanks(entry.key);
    const QString text = keyName.toString() + QLatin1Char('=') + storedValue(entry.value);
    qsizetype sectionAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Line line = classify(lines[i]);
        if (line.kind == Line::Section && sameName(line.name, sectionName)) {
            sectionAt = i;
            break;
        }
    }

    if (sectionAt < 0) {
        lines.append(QLatin1Char('[') + sectionName.toString() + QLatin1Char(']'));
        lines.append(text);
        return;
    }
    qsizetype lastFilled = sectionAt;
    for (qsizetype i = sectionAt + 1; i < lines.size(); ++i) {
        const Line line = classify(lines[i]);
        if (line.kind == Line::Section) {
            break;
        }
        if (line.kind == Line::Key && sameName(line.name, keyName)) {
            lines[i] = text;
            return;
        }
        if (!trimBlanks(lines[i]).isEmpty()) {
            lastFilled = i;
        }
    }
    // Before the blank lines that separate it from the next section.
    lines.insert(lastFilled + 1, text);
}

} // namespace

bool writePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path) {
    return writePrivateProfileStrings({{section, key, value}}, path);
}

bool writePrivateProfileStrings(const std::vector<ProfileEntry>& entries, const QString& path) {
    for (const ProfileEntry& entry : entries) {
        if (!storable(entry)) {
            return false;
        }
    }
    try {
        QStringList lines;
        if (QFileInfo::exists(path)) {
            // An existing file that cannot be read must not be replaced by one
            // holding only the new keys.
            lines = profileLines(path);
        }
        for (const ProfileEntry& entry : entries) {
            applyEntry(lines, entry);
        }
        text::writeLinesAtomic(path, lines);
    } catch (const RuntimeError&) {
        return false;
    }
    return true;
}

} // namespace platform::profile
