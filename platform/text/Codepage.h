#pragma once
// The system code page is Shift_JIS as code page 932. Files that begin with a
// UTF-8 byte-order mark are UTF-8; a text that code page 932 cannot hold is
// written as UTF-8 with a byte-order mark so that nothing is lost.
#include <QByteArray>
#include <QString>

namespace platform::text {

// Encodes into code page 932. Returns false in *representable when some
// character has no code page 932 form (such characters become "?").
QByteArray encodeCp932(const QString& text, bool* representable = nullptr);
// Encodes into code page 932, writing a character it cannot hold as a numeric
// character reference ("&#128512;"), for text that browsers and readers of
// markup will show as the character.
QByteArray encodeCp932WithReferences(const QString& text);

// Decodes code page 932; bytes that form no character become U+FFFD.
QString decodeCp932(const QByteArray& bytes);
// The same decoding straight into UTF-8, for bytes handed on as UTF-8.
QByteArray decodeCp932ToUtf8(const char* data, qsizetype size);

// Decodes a file's bytes: UTF-8 when they begin with EF BB BF (the mark is
// dropped), code page 932 otherwise.
QString decodeFileBytes(const QByteArray& bytes);
// Encodes a file's text: code page 932 when every character fits, else UTF-8
// with a byte-order mark.
QByteArray encodeFileText(const QString& text);

} // namespace platform::text
