#pragma once
// Private-profile settings files ("[Section]" lines and "key=value" lines) with
// the described platform's semantics. Files are in code page 932 (or UTF-8 with
// a byte-order mark, by the rule of platform/text).
#include <QString>

#include <vector>

namespace platform::profile {

// Section and key names are matched without regard to case; blanks around names
// and values are removed; a value in matching double quotes loses them. A
// missing file, section or key gives defaultValue. The result is cut to
// bufferSize - 1 characters (nothing for a bufferSize below 1).
QString getPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int bufferSize, const QString& path);

// Replaces the key's line in place, adds a missing key after the last line of its
// section, adds a missing section at the end of the file, creates a missing file.
// The file is replaced atomically. Returns false when the file cannot be written
// (its folder missing, for instance).
bool writePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path);

struct ProfileEntry {
    QString section;
    QString key;
    QString value;
};
// Writes every entry by the rules above in one replacement of the file, so a
// crash leaves either all of them or none. False, with the file unchanged, when
// any entry cannot be stored or the file cannot be written.
bool writePrivateProfileStrings(const std::vector<ProfileEntry>& entries, const QString& path);

} // namespace platform::profile
