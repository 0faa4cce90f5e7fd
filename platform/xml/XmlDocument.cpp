#include "platform/xml/XmlDocument.h"

#include "platform/text/Codepage.h"

#include <QFile>

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <iconv.h>
#include <string_view>

namespace platform::xml {

namespace {

xmlNode* asNode(void* node) {
    return static_cast<xmlNode*>(node);
}

const char* chars(const xmlChar* text) {
    return reinterpret_cast<const char*>(text);
}

xmlNode* firstElementFrom(xmlNode* node) {
    while (node != nullptr && node->type != XML_ELEMENT_NODE)
        node = node->next;
    return node;
}

// Takes the NUL-terminated `name` off the front of the `size` bytes at `data`;
// false when they do not begin with it. Names are short, so a plain loop beats
// measuring them first.
bool consume(const char* name, const char*& data, qsizetype& size) {
    qsizetype i = 0;
    for (; name[i] != '\0'; ++i) {
        if (i >= size || data[i] != name[i])
            return false;
    }
    data += i;
    size -= i;
    return true;
}

bool isTextNode(const xmlNode* node) {
    return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

// ---------------------------------------------------------------------------
// What decodes the document: libxml2 by itself, or we, for the Japanese
// encodings whose vendor characters libxml2's converters refuse.

enum class Decoding { Native, CodePage932, EucJp };

bool isSpaceByte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

Decoding decodingForLabel(std::string_view label) {
    static constexpr std::string_view codePage932Labels[] = {
        "shift_jis",  "shift-jis",   "sjis",  "x-sjis", "ms_kanji",
        "csshiftjis", "windows-31j", "cp932", "ms932"};
    static constexpr std::string_view eucJpLabels[] = {"euc-jp", "eucjp", "x-euc-jp",
                                                       "cseucpkdfmtjapanese"};
    for (std::string_view known : codePage932Labels) {
        if (equalsIgnoringAsciiCase(label, known))
            return Decoding::CodePage932;
    }
    for (std::string_view known : eucJpLabels) {
        if (equalsIgnoringAsciiCase(label, known))
            return Decoding::EucJp;
    }
    return Decoding::Native;
}

// The encoding label of the XML declaration at the start of `text`, or empty when
// there is no declaration or it names no encoding. A declaration this cannot read
// is left for libxml2 to report.
std::string_view declaredEncoding(std::string_view text) {
    constexpr std::string_view opening = "<?xml";
    if (text.substr(0, opening.size()) != opening || text.size() <= opening.size() ||
        !isSpaceByte(text[opening.size()]))
        return {};
    // A declaration is short; a few hundred bytes hold any sensible one.
    const std::string_view head = text.substr(0, 512);
    std::size_t at = opening.size();
    auto skipSpace = [&] {
        while (at < head.size() && isSpaceByte(head[at]))
            ++at;
    };
    for (;;) {
        skipSpace();
        const std::size_t nameStart = at;
        while (at < head.size() &&
               ((head[at] >= 'a' && head[at] <= 'z') || (head[at] >= 'A' && head[at] <= 'Z')))
            ++at;
        const std::string_view name = head.substr(nameStart, at - nameStart);
        if (name.empty())
            return {};
        skipSpace();
        if (at >= head.size() || head[at] != '=')
            return {};
        ++at;
        skipSpace();
        if (at >= head.size() || (head[at] != '"' && head[at] != '\''))
            return {};
        const char quote = head[at++];
        const std::size_t valueEnd = head.find(quote, at);
        if (valueEnd == std::string_view::npos)
            return {};
        const std::string_view value = head.substr(at, valueEnd - at);
        at = valueEnd + 1;
        if (name == "encoding")
            return value;
    }
}

// Where the document really starts: past white space and UTF-8 byte-order marks
// that some servers put before the declaration. A UTF-16 document keeps its mark,
// since libxml2 needs it to know the byte order.
qsizetype documentStart(const char* data, qsizetype size) {
    if (size >= 2 &&
        ((data[0] == '\xFF' && data[1] == '\xFE') || (data[0] == '\xFE' && data[1] == '\xFF')))
        return 0;
    qsizetype at = 0;
    for (;;) {
        if (at < size && isSpaceByte(data[at])) {
            ++at;
        } else if (size - at >= 3 && data[at] == '\xEF' && data[at + 1] == '\xBB' &&
                   data[at + 2] == '\xBF') {
            at += 3;
        } else {
            return at;
        }
    }
}

struct IconvCloser {
    iconv_t descriptor;
    ~IconvCloser() { iconv_close(descriptor); }
};

// EUC-JP with the vendor rows (circled numbers, Roman numerals) that plain EUC-JP
// lacks. A byte that forms no character becomes U+FFFD, as in code page 932, so
// one stray byte does not cost the reader a whole feed.
bool eucJpToUtf8(const char* data, qsizetype size, QByteArray* out, QString* error) {
    const iconv_t descriptor = iconv_open("UTF-8", "EUC-JP-MS");
    if (descriptor == reinterpret_cast<iconv_t>(-1)) {
        *error = QStringLiteral("EUC-JP is not supported by this system");
        return false;
    }
    const IconvCloser closer{descriptor};
    static constexpr char replacement[] = "\xEF\xBF\xBD";

    // Every EUC-JP sequence grows by at most half in UTF-8; the loop below still
    // copes with anything longer.
    out->resize(size + size / 2 + 16);
    char* input = const_cast<char*>(data);
    std::size_t inputLeft = static_cast<std::size_t>(size);
    qsizetype written = 0;
    while (inputLeft > 0) {
        char* output = out->data() + written;
        std::size_t outputLeft = static_cast<std::size_t>(out->size() - written);
        const std::size_t result = iconv(descriptor, &input, &inputLeft, &output, &outputLeft);
        written = output - out->data();
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            out->resize(out->size() * 2);
            continue;
        }
        // EILSEQ (a bad sequence) or EINVAL (cut off at the end): replace one byte.
        if (out->size() - written < 3)
            out->resize(out->size() * 2);
        std::memcpy(out->data() + written, replacement, 3);
        written += 3;
        ++input;
        --inputLeft;
    }
    out->truncate(written);
    return true;
}

// ---------------------------------------------------------------------------
// Parsing with libxml2.

struct ParseState {
    QString firstFatal;
    QString firstError;
};

QString describe(const xmlError* error) {
    QString message = QString::fromUtf8(error->message).trimmed();
    if (error->line > 0)
        message = QStringLiteral("line %1: %2").arg(error->line).arg(message);
    return message;
}

void record(ParseState* state, const xmlError* error) {
    if (state == nullptr || error == nullptr || error->message == nullptr)
        return;
    if (error->level == XML_ERR_FATAL && state->firstFatal.isEmpty())
        state->firstFatal = describe(error);
    else if (error->level == XML_ERR_ERROR && state->firstError.isEmpty())
        state->firstError = describe(error);
}

// The parser reports through this per-context hook. Its user data is the parser
// context (the tree builder needs that), and entity sub-parsers inherit _private,
// so the state rides there.
void collectParserError(void* userData, xmlErrorPtr error) {
    const auto* context = static_cast<const xmlParserCtxt*>(userData);
    record(context != nullptr ? static_cast<ParseState*>(context->_private) : nullptr, error);
}

void collectUnattachedError(void* state, xmlErrorPtr error) {
    record(static_cast<ParseState*>(state), error);
}

// Character converters report their failures without a parser context, so
// those reports would reach libxml2's default handler, which prints to stderr.
// While one document parses, this thread's structured handler collects them
// instead and the previous one is put back afterwards. libxml2 keeps that
// handler per thread, so nothing else in the process is affected.
class UnattachedErrorScope {
public:
    explicit UnattachedErrorScope(ParseState* state)
        : savedHandler_(xmlStructuredError), savedContext_(xmlStructuredErrorContext) {
        xmlSetStructuredErrorFunc(state, collectUnattachedError);
    }
    ~UnattachedErrorScope() { xmlSetStructuredErrorFunc(savedContext_, savedHandler_); }
    UnattachedErrorScope(const UnattachedErrorScope&) = delete;
    UnattachedErrorScope& operator=(const UnattachedErrorScope&) = delete;

private:
    xmlStructuredErrorFunc savedHandler_;
    void* savedContext_;
};

// External entities are declared as empty internal ones, so that nothing outside
// the document is ever opened. libxml2 2.9 has no per-context loader, and the
// hooks it does offer per context (resolveEntity) are not consulted for
// entities, only for the external DTD subset; rewriting the declaration is the
// one per-context point that every later reference goes through.
void declareEntity(void* context, const xmlChar* name, int type, const xmlChar* publicId,
                   const xmlChar* systemId, xmlChar* content) {
    static xmlChar nothing[] = "";
    switch (type) {
    case XML_EXTERNAL_GENERAL_PARSED_ENTITY:
        xmlSAX2EntityDecl(context, name, XML_INTERNAL_GENERAL_ENTITY, nullptr, nullptr, nothing);
        return;
    case XML_EXTERNAL_PARAMETER_ENTITY:
        xmlSAX2EntityDecl(context, name, XML_INTERNAL_PARAMETER_ENTITY, nullptr, nullptr, nothing);
        return;
    default:
        xmlSAX2EntityDecl(context, name, type, publicId, systemId, content);
    }
}

xmlParserInputPtr refuseExternalResource(void*, const xmlChar*, const xmlChar*) {
    return nullptr;
}

void ignoreExternalSubset(void*, const xmlChar*, const xmlChar*, const xmlChar*) {}

struct ContextFreer {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};

void initialiseLibraryOnce() {
    // libxml2 wants its global tables built once before the first parse.
    static const bool initialised = [] {
        xmlInitParser();
        return true;
    }();
    (void)initialised;
}

// No network, no DTD loading or defaults, entities substituted so that the tree
// holds no references left to expand (libxml2 measures the substitution and
// stops an expansion bomb; XML_PARSE_HUGE would lift that limit, so it is never
// given). Compact text nodes save an allocation per short text.
constexpr int parseOptions = XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_COMPACT;

} // namespace

// ---------------------------------------------------------------------------

QString XmlElement::name() const {
    const xmlNode* node = asNode(node_);
    if (node == nullptr)
        return {};
    if (node->ns == nullptr || node->ns->prefix == nullptr)
        return QString::fromUtf8(chars(node->name));
    QByteArray qualified(chars(node->ns->prefix));
    qualified += ':';
    qualified += chars(node->name);
    return QString::fromUtf8(qualified);
}

bool XmlElement::nameIs(const QByteArray& utf8Name) const {
    const xmlNode* node = asNode(node_);
    if (node == nullptr)
        return false;
    const char* wanted = utf8Name.constData();
    qsizetype left = utf8Name.size();
    // "prefix:local" is compared in its pieces, so that nothing is built.
    if (node->ns != nullptr && node->ns->prefix != nullptr) {
        if (!consume(chars(node->ns->prefix), wanted, left) || !consume(":", wanted, left))
            return false;
    }
    return consume(chars(node->name), wanted, left) && left == 0;
}

QString XmlElement::text() const {
    xmlNode* const element = asNode(node_);
    if (element == nullptr || element->children == nullptr)
        return {};
    xmlNode* child = element->children;
    // Most elements of a feed hold one text or CDATA node: convert it directly.
    if (child->next == nullptr && isTextNode(child))
        return QString::fromUtf8(chars(child->content)).trimmed();

    // Walk the descendants in document order, gathering text and CDATA. Entity
    // references are not followed: entities were substituted while parsing, so
    // the only references left name undeclared entities, which have no text.
    QByteArray joined;
    xmlNode* node = child;
    while (node != nullptr) {
        if (isTextNode(node) && node->content != nullptr)
            joined += chars(node->content);
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != element && node->next == nullptr)
            node = node->parent;
        node = node == element ? nullptr : node->next;
    }
    return QString::fromUtf8(joined).trimmed();
}

XmlElement XmlElement::firstChild() const {
    const xmlNode* node = asNode(node_);
    return node == nullptr ? XmlElement() : XmlElement(firstElementFrom(node->children));
}

XmlElement XmlElement::nextSibling() const {
    const xmlNode* node = asNode(node_);
    return node == nullptr ? XmlElement() : XmlElement(firstElementFrom(node->next));
}

// ---------------------------------------------------------------------------

void XmlDocument::Freer::operator()(void* doc) const {
    xmlFreeDoc(static_cast<xmlDoc*>(doc));
}

XmlDocument::XmlDocument() = default;
XmlDocument::~XmlDocument() = default;

XmlElement XmlDocument::documentElement() const {
    if (!doc_)
        return {};
    return XmlElement(xmlDocGetRootElement(static_cast<xmlDoc*>(doc_.get())));
}

bool XmlDocument::load(const QString& path) {
    doc_.reset();
    error_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > INT_MAX) {
        error_ = QStringLiteral("%1 is too large to parse").arg(path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error_ = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return loadBytes(bytes);
}

bool XmlDocument::loadBytes(const QByteArray& bytes) {
    doc_.reset();
    error_.clear();

    const qsizetype start = documentStart(bytes.constData(), bytes.size());
    const char* data = bytes.constData() + start;
    qsizetype size = bytes.size() - start;
    if (size == 0) {
        error_ = QStringLiteral("the document is empty");
        return false;
    }
    // libxml2 counts the buffer in int.
    if (size > INT_MAX) {
        error_ = QStringLiteral("the document is too large to parse");
        return false;
    }

    // Japanese documents are converted to UTF-8 here and given to libxml2 with
    // their declared encoding overridden.
    QByteArray converted;
    const char* encoding = nullptr;
    int options = parseOptions;
    const Decoding decoding =
        decodingForLabel(declaredEncoding(std::string_view(data, static_cast<std::size_t>(size))));
    if (decoding != Decoding::Native) {
        if (decoding == Decoding::CodePage932) {
            converted = text::decodeCp932(QByteArray::fromRawData(data, size)).toUtf8();
        } else if (!eucJpToUtf8(data, size, &converted, &error_)) {
            return false;
        }
        if (converted.size() > INT_MAX) {
            error_ = QStringLiteral("the document is too large to parse");
            return false;
        }
        data = converted.constData();
        size = converted.size();
        encoding = "UTF-8";
        options |= XML_PARSE_IGNORE_ENC;
    }

    initialiseLibraryOnce();
    const std::unique_ptr<xmlParserCtxt, ContextFreer> context(xmlNewParserCtxt());
    if (!context || context->sax == nullptr) {
        error_ = QStringLiteral("out of memory");
        return false;
    }
    ParseState state;
    context->_private = &state;
    xmlSAXHandler* sax = context->sax; // owned by this context alone
    sax->serror = collectParserError;
    sax->entityDecl = declareEntity;
    sax->resolveEntity = refuseExternalResource;
    sax->externalSubset = ignoreExternalSubset;

    xmlDoc* doc = nullptr;
    {
        const UnattachedErrorScope scope(&state);
        doc = xmlCtxtReadMemory(context.get(), data, static_cast<int>(size), nullptr, encoding,
                                options);
    }
    if (doc == nullptr || !context->wellFormed) {
        xmlFreeDoc(doc);
        error_ = !state.firstFatal.isEmpty()   ? state.firstFatal
                 : !state.firstError.isEmpty() ? state.firstError
                                               : QStringLiteral("the document is not well-formed");
        return false;
    }
    if (xmlDocGetRootElement(doc) == nullptr) {
        xmlFreeDoc(doc);
        error_ = QStringLiteral("the document has no root element");
        return false;
    }
    doc_.reset(doc);
    return true;
}

} // namespace platform::xml
