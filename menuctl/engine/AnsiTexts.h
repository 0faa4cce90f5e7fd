#pragma once
// Texts in code page 932, as the drawing calls take them, remembered per text:
// a pop-up draws the same few captions again at every change of highlight,
// and encoding a caption costs more than drawing it.
#include <QByteArray>
#include <QHash>
#include <QString>

namespace zephalt {

class AnsiTexts {
public:
    // The text encoded; the reference holds until the next call.
    const QByteArray& of(const QString& text);

private:
    // More distinct texts than any set of menus holds: past it, start over.
    static constexpr qsizetype kMostTexts = 1024;
    QHash<QString, QByteArray> known_;
};

} // namespace zephalt
