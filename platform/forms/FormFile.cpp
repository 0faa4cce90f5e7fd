#include "platform/forms/FormFile.h"
#include "platform/forms/FontObject.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/text/LineFile.h"
#include <QFile>
#include <QSet>
#include <cmath>
#include <optional>

namespace platform::forms {

namespace {

constexpr int Version = 1;
constexpr qsizetype MaxLineLength = 64 * 1024;
constexpr qsizetype MaxNameLength = 255;
constexpr int BytesPerLine = 32;
const QString Indent = QStringLiteral("    ");

class Failure {
public:
    Failure(QString reason) : reason(std::move(reason)) {}
    QString reason;
};

bool isNameCharacter(QChar c) {
    return c.unicode() > 0x20 && c != u'=' && c != u'"' && c.unicode() != 0x7F;
}

bool isValidName(const QString& name) {
    if (name.isEmpty() || name.size() > MaxNameLength) {
        return false;
    }
    for (QChar c : name) {
        if (!isNameCharacter(c)) {
            return false;
        }
    }
    return true;
}

// Reads one value from the text of a line, left to right.
class ValueReader {
public:
    explicit ValueReader(const QString& text) : text_(text) {}

    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == u' ' || text_[at_] == u'\t')) {
            ++at_;
        }
    }
    bool atEnd() {
        skipBlanks();
        return at_ >= text_.size();
    }
    bool take(QStringView word) {
        skipBlanks();
        if (text_.mid(at_, word.size()) == word) {
            at_ += word.size();
            return true;
        }
        return false;
    }
    void expect(QStringView word) {
        if (!take(word)) {
            throw Failure(QStringLiteral("「%1」がありません").arg(word));
        }
    }

    QString string() {
        expect(u"\"");
        QString out;
        while (at_ < text_.size()) {
            const QChar c = text_[at_++];
            if (c == u'"') {
                return out;
            }
            if (c.unicode() < 0x20) {
                throw Failure(QStringLiteral("文字列に制御文字があります"));
            }
            if (c != u'\\') {
                out.append(c);
                continue;
            }
            if (at_ >= text_.size()) {
                break;
            }
            const QChar e = text_[at_++];
            switch (e.unicode()) {
            case '"':
                out.append(u'"');
                break;
            case '\\':
                out.append(u'\\');
                break;
            case 'r':
                out.append(u'\r');
                break;
            case 'n':
                out.append(u'\n');
                break;
            case 't':
                out.append(u'\t');
                break;
            default:
                throw Failure(QStringLiteral("文字列に不明なエスケープ \\%1 があります").arg(e));
            }
        }
        throw Failure(QStringLiteral("文字列が閉じていません"));
    }

    qint64 integer(qint64 low, qint64 high) {
        skipBlanks();
        const qsizetype start = at_;
        if (at_ < text_.size() && text_[at_] == u'-') {
            ++at_;
        }
        while (at_ < text_.size() && text_[at_].isDigit() && text_[at_].unicode() < 0x80) {
            ++at_;
        }
        bool ok = false;
        const qint64 value = text_.mid(start, at_ - start).toLongLong(&ok);
        if (!ok || at_ - start > 12 || value < low || value > high) {
            throw Failure(QStringLiteral("整数が正しくないか、範囲を超えています"));
        }
        return value;
    }

    double number() {
        skipBlanks();
        const qsizetype start = at_;
        while (at_ < text_.size() && (text_[at_].isDigit() || text_[at_] == u'.') &&
               text_[at_].unicode() < 0x80) {
            ++at_;
        }
        bool ok = false;
        const double value = text_.mid(start, at_ - start).toDouble(&ok);
        if (!ok || at_ - start > 12 || !std::isfinite(value) || value <= 0 || value > 2000) {
            throw Failure(QStringLiteral("フォントの大きさが正しくありません"));
        }
        return value;
    }

    bool boolean() {
        if (take(u"True")) {
            return true;
        }
        if (take(u"False")) {
            return false;
        }
        throw Failure(QStringLiteral("True か False が必要です"));
    }

    quint32 colour() {
        expect(u"Colour(&H");
        const qsizetype start = at_;
        while (at_ < text_.size() && at_ - start <= 8 &&
               QStringView(u"0123456789ABCDEFabcdef").contains(text_[at_])) {
            ++at_;
        }
        bool ok = false;
        const qsizetype digits = at_ - start;
        const quint32 value = text_.mid(start, digits).toUInt(&ok, 16);
        if (!ok || digits == 0 || digits > 8) {
            throw Failure(QStringLiteral("色の値が正しくありません"));
        }
        expect(u")");
        return value;
    }

    FontObject font() {
        expect(u"Font(");
        FontObject font;
        font.name = string();
        expect(u",");
        font.size = number();
        expect(u",");
        font.weight = static_cast<int>(integer(0, 1000));
        expect(u",");
        font.charset = static_cast<int>(integer(0, 255));
        expect(u",");
        font.italic = boolean();
        expect(u",");
        font.underline = boolean();
        expect(u",");
        font.strikethrough = boolean();
        expect(u")");
        return font;
    }

private:
    const QString& text_;
    qsizetype at_ = 0;
};

// The value of "name = value"; a byte array gives its declared length in
// *pendingBytes and an empty array to be filled from the lines that follow.
QVariant parseValue(const QString& text, qsizetype* pendingBytes) {
    ValueReader reader(text);
    QVariant value;
    if (reader.take(u"Bytes(")) {
        const qint64 length = reader.integer(0, FormFileMaxByteArray);
        reader.expect(u")");
        *pendingBytes = static_cast<qsizetype>(length);
        value = QByteArray();
    } else if (reader.take(u"True")) {
        value = true;
    } else if (reader.take(u"False")) {
        value = false;
    } else if (text.trimmed().startsWith(u'"')) {
        value = reader.string();
    } else if (text.trimmed().startsWith(QStringLiteral("Colour("))) {
        value = reader.colour();
    } else if (text.trimmed().startsWith(QStringLiteral("Font("))) {
        value = QVariant::fromValue(reader.font());
    } else {
        value = static_cast<int>(reader.integer(INT32_MIN, INT32_MAX));
    }
    if (!reader.atEnd()) {
        throw Failure(QStringLiteral("値の後に余分な文字があります"));
    }
    return value;
}

int hexDigit(QChar c) {
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9') {
        return u - '0';
    }
    if (u >= 'A' && u <= 'F') {
        return u - 'A' + 10;
    }
    if (u >= 'a' && u <= 'f') {
        return u - 'a' + 10;
    }
    return -1;
}

// Appends the bytes of one ": hh hh ..." line.
void appendHexLine(const QString& line, QByteArray& bytes, qsizetype wanted) {
    const QString body = line.trimmed().mid(1);
    int high = -1;
    for (QChar c : body) {
        if (c == u' ' || c == u'\t') {
            continue;
        }
        const int digit = hexDigit(c);
        if (digit < 0) {
            throw Failure(QStringLiteral("バイト列に16進数でない文字があります"));
        }
        if (high < 0) {
            high = digit;
            continue;
        }
        if (bytes.size() >= wanted) {
            throw Failure(QStringLiteral("バイト列が宣言より長くなっています"));
        }
        bytes.append(static_cast<char>(high * 16 + digit));
        high = -1;
    }
    if (high >= 0) {
        throw Failure(QStringLiteral("バイト列の16進数が半端です"));
    }
}

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out.append(u'"');
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out.append(QStringLiteral("\\\""));
            break;
        case '\\':
            out.append(QStringLiteral("\\\\"));
            break;
        case '\r':
            out.append(QStringLiteral("\\r"));
            break;
        case '\n':
            out.append(QStringLiteral("\\n"));
            break;
        case '\t':
            out.append(QStringLiteral("\\t"));
            break;
        default:
            // Other control characters have no escape; they cannot be stored.
            out.append(c.unicode() < 0x20 ? QChar(u' ') : c);
        }
    }
    out.append(u'"');
    return out;
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void appendValue(QStringList& lines, const QString& name, const QVariant& value) {
    const QString head = Indent + name + QStringLiteral(" = ");
    if (value.metaType() == QMetaType::fromType<FontObject>()) {
        const auto font = value.value<FontObject>();
        lines.append(head + QStringLiteral("Font(%1, %2, %3, %4, %5, %6, %7)")
                                .arg(escaped(font.name), QString::number(font.size, 'g', 6))
                                .arg(font.weight)
                                .arg(font.charset)
                                .arg(boolText(font.italic), boolText(font.underline),
                                     boolText(font.strikethrough)));
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        lines.append(head + boolText(value.toBool()));
        return;
    case QMetaType::UInt:
        lines.append(
            head +
            QStringLiteral("Colour(&H%1)")
                .arg(QString::number(value.toUInt(), 16).toUpper().rightJustified(8, QChar(u'0'))));
        return;
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::LongLong:
        lines.append(head + QString::number(value.toInt()));
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        lines.append(head + QStringLiteral("Bytes(%1)").arg(bytes.size()));
        for (qsizetype at = 0; at < bytes.size(); at += BytesPerLine) {
            QString row = Indent + Indent + QStringLiteral(":");
            const QByteArray chunk = bytes.mid(at, BytesPerLine);
            for (qsizetype i = 0; i < chunk.size(); i += 4) {
                row += u' ' + QString::fromLatin1(chunk.mid(i, 4).toHex().toUpper());
            }
            lines.append(row);
        }
        return;
    }
    default:
        lines.append(head + escaped(value.toString()));
        return;
    }
}

// "name" or "name(index)" of a menu control.
void parseMenuKey(const QString& text, QString& name, int& index) {
    index = NoIndex;
    name = text;
    if (text.endsWith(u')')) {
        const qsizetype open = text.indexOf(u'(');
        bool ok = false;
        const int value = text.mid(open + 1, text.size() - open - 2).toInt(&ok);
        if (open <= 0 || !ok || value < 0 || value > 32767) {
            throw Failure(QStringLiteral("メニューの添字が正しくありません"));
        }
        name = text.left(open);
        index = value;
    }
    if (!isValidName(name) || name.contains(u'(') || name.contains(u')')) {
        throw Failure(QStringLiteral("メニュー名が正しくありません"));
    }
}

QString menuKey(const QString& name, int index) {
    return index == NoIndex ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

// The text after "Menu ".
MenuControlDescription parseMenu(const QString& text) {
    const qsizetype equals = text.indexOf(QStringLiteral(" = "));
    if (equals <= 0) {
        throw Failure(QStringLiteral("「Menu 名前 = \"表題\"」が必要です"));
    }
    MenuControlDescription menu;
    const QStringList words = text.left(equals).split(u' ', Qt::SkipEmptyParts);
    if (words.size() != 1 && !(words.size() == 3 && words[1] == QStringLiteral("In"))) {
        throw Failure(QStringLiteral("「Menu 名前 In 親の名前 = \"表題\"」が必要です"));
    }
    parseMenuKey(words[0], menu.name, menu.index);
    if (words.size() == 3) {
        parseMenuKey(words[2], menu.parentName, menu.parentIndex);
    }
    const QString value = text.mid(equals + 3); // the reader keeps a reference
    ValueReader reader(value);
    menu.caption = reader.string();
    while (!reader.atEnd()) {
        if (reader.take(u"Checked")) {
            menu.checked = true;
        } else if (reader.take(u"Disabled")) {
            menu.enabled = false;
        } else if (reader.take(u"Hidden")) {
            menu.visible = false;
        } else if (reader.take(u"Shortcut")) {
            menu.shortcut = static_cast<int>(reader.integer(0, 0xFFFF));
        } else {
            throw Failure(QStringLiteral("メニューの属性が正しくありません"));
        }
    }
    return menu;
}

QString formatMenu(const MenuControlDescription& menu) {
    QString line = QStringLiteral("Menu ") + menuKey(menu.name, menu.index);
    if (!menu.parentName.isEmpty()) {
        line += QStringLiteral(" In ") + menuKey(menu.parentName, menu.parentIndex);
    }
    line += QStringLiteral(" = ") + escaped(menu.caption);
    if (menu.checked) {
        line += QStringLiteral(" Checked");
    }
    if (!menu.enabled) {
        line += QStringLiteral(" Disabled");
    }
    if (!menu.visible) {
        line += QStringLiteral(" Hidden");
    }
    if (menu.shortcut != 0) {
        line += QStringLiteral(" Shortcut %1").arg(menu.shortcut);
    }
    return line;
}

} // namespace

FormFile parseFormFile(const QByteArray& bytes, const QString& fileName) {
    int lineNumber = 0;
    auto fail = [&](const QString& reason) -> RuntimeError {
        return RuntimeError(FormFileInvalid,
                            QStringLiteral("フォーム ファイル %1 の %2 行目が正しくありません: %3")
                                .arg(fileName)
                                .arg(lineNumber)
                                .arg(reason));
    };
    if (bytes.size() > FormFileMaxBytes) {
        throw fail(QStringLiteral("ファイルが大きすぎます"));
    }
    FormFile form;
    try {
        enum class State { Header, FormName, Controls, Properties };
        State state = State::Header;
        ControlDescription* control = nullptr;
        QString pendingName;
        qsizetype pendingBytes = -1; // length still to read, -1 when not reading bytes
        QByteArray collected;
        QSet<QString> controlNames;
        int properties = 0;
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            if (end < 0) {
                end = bytes.size();
            }
            ++lineNumber;
            if (end - start > MaxLineLength) {
                throw Failure(QStringLiteral("行が長すぎます"));
            }
            QByteArray raw = bytes.mid(start, end - start);
            start = end + 1;
            if (raw.endsWith('\r')) {
                raw.chop(1);
            }
            const QString line = QString::fromUtf8(raw);
            if (line.toUtf8() != raw) {
                throw Failure(QStringLiteral("UTF-8 として読めない文字があります"));
            }
            const QString trimmed = line.trimmed();
            if (pendingBytes >= 0) {
                if (!trimmed.startsWith(u':')) {
                    throw Failure(
                        QStringLiteral("バイト列が %1 バイトに足りません").arg(pendingBytes));
                }
                appendHexLine(trimmed, collected, pendingBytes);
                if (collected.size() == pendingBytes) {
                    control->properties.insert(pendingName, collected);
                    pendingBytes = -1;
                }
                continue;
            }
            if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
                continue;
            }
            switch (state) {
            case State::Header:
                if (trimmed != QStringLiteral("FormFile %1").arg(Version)) {
                    throw Failure(QStringLiteral("「FormFile %1」で始まっていません").arg(Version));
                }
                state = State::FormName;
                break;
            case State::FormName:
                if (!trimmed.startsWith(QStringLiteral("Form ")) || !isValidName(trimmed.mid(5))) {
                    throw Failure(QStringLiteral("「Form 名前」がありません"));
                }
                form.formName = trimmed.mid(5);
                state = State::Controls;
                break;
            case State::Controls: {
                if (trimmed.startsWith(QStringLiteral("Menu "))) {
                    if (form.menus.size() >= FormFileMaxMenus) {
                        throw Failure(QStringLiteral("メニューが多すぎます"));
                    }
                    form.menus.push_back(parseMenu(trimmed.mid(5)));
                    break;
                }
                const QStringList words = trimmed.split(u' ', Qt::SkipEmptyParts);
                if (words.size() != 3 || words[0] != QStringLiteral("Begin") ||
                    !isValidName(words[1]) || !isValidName(words[2])) {
                    throw Failure(QStringLiteral("「Begin クラス名 コントロール名」が必要です"));
                }
                if (controlNames.contains(words[2].toCaseFolded())) {
                    throw Failure(
                        QStringLiteral("コントロール名 %1 が重複しています").arg(words[2]));
                }
                if (form.controls.size() >= FormFileMaxControls) {
                    throw Failure(QStringLiteral("コントロールが多すぎます"));
                }
                controlNames.insert(words[2].toCaseFolded());
                form.controls.push_back({words[2], words[1], {}});
                control = &form.controls.back();
                state = State::Properties;
                break;
            }
            case State::Properties: {
                if (trimmed == QStringLiteral("End")) {
                    control = nullptr;
                    state = State::Controls;
                    break;
                }
                const qsizetype equals = trimmed.indexOf(QStringLiteral(" = "));
                if (equals <= 0) {
                    throw Failure(QStringLiteral("「名前 = 値」か「End」が必要です"));
                }
                const QString name = trimmed.left(equals).trimmed();
                if (!isValidName(name)) {
                    throw Failure(QStringLiteral("プロパティ名が正しくありません"));
                }
                const bool duplicate =
                    std::any_of(control->properties.keyBegin(), control->properties.keyEnd(),
                                [&](const QString& key) {
                                    return key.compare(name, Qt::CaseInsensitive) == 0;
                                });
                if (duplicate) {
                    throw Failure(QStringLiteral("プロパティ %1 が重複しています").arg(name));
                }
                if (++properties > FormFileMaxProperties) {
                    throw Failure(QStringLiteral("プロパティが多すぎます"));
                }
                const QVariant value = parseValue(trimmed.mid(equals + 3), &pendingBytes);
                if (pendingBytes > 0) {
                    pendingName = name;
                    collected.clear();
                    collected.reserve(pendingBytes); // bounded by FormFileMaxByteArray
                } else {
                    pendingBytes = -1;
                    control->properties.insert(name, value);
                }
                break;
            }
            }
        }
        if (pendingBytes >= 0) {
            throw Failure(QStringLiteral("バイト列の途中でファイルが終わっています"));
        }
        if (state == State::Properties) {
            throw Failure(QStringLiteral("「End」の前でファイルが終わっています"));
        }
        if (state != State::Controls) {
            throw Failure(QStringLiteral("フォームの記述がありません"));
        }
    } catch (const Failure& failure) {
        throw fail(failure.reason);
    }
    return form;
}

QByteArray formatFormFile(const FormFile& form) {
    QStringList lines;
    lines.append(QStringLiteral("FormFile %1").arg(Version));
    lines.append(QStringLiteral("Form ") + form.formName);
    for (const MenuControlDescription& menu : form.menus) {
        lines.append(formatMenu(menu));
    }
    for (const ControlDescription& control : form.controls) {
        lines.append(QStringLiteral("Begin %1 %2").arg(control.className, control.name));
        for (auto it = control.properties.begin(); it != control.properties.end(); ++it) {
            appendValue(lines, it.key(), it.value());
        }
        lines.append(QStringLiteral("End"));
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

FormFile readFormFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw RuntimeError(err::FileNotFound,
                           QStringLiteral("フォーム ファイル %1 を開けません。").arg(path));
    }
    if (file.size() > FormFileMaxBytes) {
        throw RuntimeError(FormFileInvalid,
                           QStringLiteral("フォーム ファイル %1 の 0 行目が正しくありません: "
                                          "ファイルが大きすぎます")
                               .arg(path));
    }
    return parseFormFile(file.read(FormFileMaxBytes + 1), path);
}

void writeFormFile(const QString& path, const FormFile& form) {
    text::replaceFileAtomic(path, formatFormFile(form));
}

} // namespace platform::forms
