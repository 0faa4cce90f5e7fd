#include "platform/xml/XmlDocument.h"

#include "platform/xml/DocumentEncoding.h"

#include <QFile>
#include <QStringList>
#include <QUrl>

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>
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

// How much of a file is read before deciding how to parse it, and the size of
// the pieces the rest is read in.
constexpr qsizetype kBlockBytes = 64 * 1024;
// The head must hold a whole XML declaration to tell the encoding it names.
constexpr qsizetype kDeclarationBytes = 512;

// Hands the parser the document a piece at a time, as it reads a file: first
// the bytes given, then the rest of the file, when one is given, through a
// buffer of its own. Handed a whole buffer at once, the parser would copy it
// first, and a large feed would be held twice.
class PieceReader {
public:
    PieceReader(const char* data, qsizetype size, QFile* rest = nullptr)
        : data_(data), left_(size), rest_(rest) {}
    PieceReader(const PieceReader&) = delete;
    PieceReader& operator=(const PieceReader&) = delete;

    // True when reading the rest of the file failed.
    bool failed() const { return failed_; }

    static int read(void* reader, char* buffer, int length) {
        return static_cast<PieceReader*>(reader)->next(buffer, length);
    }
    static int close(void*) { return 0; }

private:
    int next(char* buffer, int length) {
        if (left_ == 0 && rest_ != nullptr)
            refill();
        if (failed_)
            return -1;
        const qsizetype n = std::min<qsizetype>(left_, std::max(length, 0));
        std::memcpy(buffer, data_, static_cast<std::size_t>(n));
        data_ += n;
        left_ -= n;
        return static_cast<int>(n);
    }

    void refill() {
        block_.resize(kBlockBytes);
        const qint64 n = rest_->read(block_.data(), kBlockBytes);
        if (n <= 0) {
            failed_ = n < 0;
            rest_ = nullptr;
            return;
        }
        data_ = block_.constData();
        left_ = static_cast<qsizetype>(n);
    }

    const char* data_;
    qsizetype left_;
    QFile* rest_;
    QByteArray block_;
    bool failed_ = false;
};

// The document the reader hands over, parsed with the given encoding and
// options; null when it is not well-formed, with the reason in `error`.
xmlDoc* parseDocument(PieceReader& reader, const char* encoding, int options, QString* error) {
    initialiseLibraryOnce();
    const std::unique_ptr<xmlParserCtxt, ContextFreer> context(xmlNewParserCtxt());
    if (!context || context->sax == nullptr) {
        *error = QStringLiteral("out of memory");
        return nullptr;
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
        doc = xmlCtxtReadIO(context.get(), PieceReader::read, PieceReader::close, &reader, nullptr,
                            encoding, options);
    }
    if (doc == nullptr || !context->wellFormed) {
        xmlFreeDoc(doc);
        *error = !state.firstFatal.isEmpty()   ? state.firstFatal
                 : !state.firstError.isEmpty() ? state.firstError
                                               : QStringLiteral("the document is not well-formed");
        return nullptr;
    }
    if (xmlDocGetRootElement(doc) == nullptr) {
        xmlFreeDoc(doc);
        *error = QStringLiteral("the document has no root element");
        return nullptr;
    }
    return doc;
}

bool hasUtf8Mark(const char* data, qsizetype start) {
    return QByteArray::fromRawData(data, start).contains("\xEF\xBB\xBF");
}

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

QString XmlElement::localName() const {
    const xmlNode* node = asNode(node_);
    return node == nullptr ? QString() : QString::fromUtf8(chars(node->name));
}

QString XmlElement::namespaceUri() const {
    const xmlNode* node = asNode(node_);
    if (node == nullptr || node->ns == nullptr || node->ns->href == nullptr)
        return {};
    return QString::fromUtf8(chars(node->ns->href));
}

QString XmlElement::attribute(const QByteArray& qualifiedName) const {
    const xmlNode* node = asNode(node_);
    if (node == nullptr)
        return {};
    for (const xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
        QByteArray name;
        if (attr->ns != nullptr && attr->ns->prefix != nullptr)
            name = QByteArray(chars(attr->ns->prefix)) + ':';
        name += chars(attr->name);
        if (name != qualifiedName)
            continue;
        QByteArray value;
        for (const xmlNode* text = attr->children; text != nullptr; text = text->next) {
            if (text->content != nullptr)
                value += chars(text->content);
        }
        return QString::fromUtf8(value);
    }
    return {};
}

QString XmlElement::baseAddress(const QString& documentAddress) const {
    // The bases from the root down, each resolved against the one above it.
    QStringList bases;
    for (XmlElement element = *this; !element.isNull();) {
        const QString base = element.attribute(QByteArrayLiteral("xml:base"));
        if (!base.isEmpty())
            bases.prepend(base);
        const xmlNode* parent = asNode(element.node_)->parent;
        element = parent != nullptr && parent->type == XML_ELEMENT_NODE
                      ? XmlElement(const_cast<xmlNode*>(parent))
                      : XmlElement();
    }
    QUrl address(documentAddress);
    for (const QString& base : bases)
        address = address.resolved(QUrl(base));
    return address.toString();
}

QString XmlElement::innerMarkup() const {
    xmlNode* const element = asNode(node_);
    if (element == nullptr)
        return {};
    const std::unique_ptr<xmlBuffer, void (*)(xmlBufferPtr)> buffer(xmlBufferCreate(),
                                                                    xmlBufferFree);
    if (!buffer)
        return {};
    for (xmlNode* child = element->children; child != nullptr; child = child->next)
        xmlNodeDump(buffer.get(), element->doc, child, 0, 0);
    return QString::fromUtf8(chars(xmlBufferContent(buffer.get()))).trimmed();
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

bool XmlDocument::load(const QString& path, const QByteArray& transportCharset) {
    doc_.reset();
    error_.clear();
    namedEncoding_.clear();
    usedEncoding_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error_ = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > INT_MAX) {
        error_ = QStringLiteral("%1 is too large to parse").arg(path);
        return false;
    }
    const auto readFailed = [&] {
        error_ = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    };
    // The head tells whether the parser may read the file as it stands, piece
    // by piece; a file no longer than the head is read whole.
    QByteArray head(kBlockBytes, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < head.size()) {
        const qint64 n = file.read(head.data() + got, head.size() - got);
        if (n < 0)
            return readFailed();
        if (n == 0)
            break;
        got += static_cast<qsizetype>(n);
    }
    if (got < head.size()) {
        head.truncate(got);
        return parseBytes(head, transportCharset, false);
    }
    const qsizetype start = documentStart(head.constData(), head.size());
    bool nativeRefused = false;
    if (head.size() - start >= kDeclarationBytes &&
        parserReadsAsUtf8(head.constData() + start, head.size() - start,
                          hasUtf8Mark(head.constData(), start), transportCharset)) {
        PieceReader reader(head.constData() + start, head.size() - start, &file);
        if (xmlDoc* doc = parseDocument(reader, nullptr, parseOptions, &error_)) {
            doc_.reset(doc);
            return true;
        }
        if (reader.failed())
            return readFailed();
        nativeRefused = true;
    }
    // Bytes the parser cannot read as they stand are decoded whole first.
    if (!file.seek(0))
        return readFailed();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return readFailed();
    return parseBytes(bytes, transportCharset, nativeRefused);
}

bool XmlDocument::loadBytes(const QByteArray& bytes, const QByteArray& transportCharset) {
    doc_.reset();
    error_.clear();
    namedEncoding_.clear();
    usedEncoding_.clear();
    return parseBytes(bytes, transportCharset, false);
}

bool XmlDocument::parseBytes(const QByteArray& bytes, const QByteArray& transportCharset,
                             bool nativeRefused) {
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
    const bool hadUtf8Mark = hasUtf8Mark(bytes.constData(), start);
    // Most feeds are UTF-8 and well-formed: the parser's own reading decides
    // for them without a check of every byte beforehand.
    if (!nativeRefused && parserReadsAsUtf8(data, size, hadUtf8Mark, transportCharset)) {
        PieceReader reader(data, size);
        if (xmlDoc* doc = parseDocument(reader, nullptr, parseOptions, &error_)) {
            doc_.reset(doc);
            return true;
        }
        nativeRefused = true;
    }

    // Documents whose encoding we decide are converted to UTF-8 here and given
    // to libxml2 with their declared encoding overridden.
    const EncodingChoice choice = chooseEncoding(data, size, hadUtf8Mark, transportCharset);
    // Bytes left to the parser that it has already refused stay refused, for
    // the reason it gave.
    if (choice.encoding == Encoding::Native && nativeRefused)
        return false;
    error_.clear();
    QByteArray converted;
    const char* encoding = nullptr;
    int options = parseOptions;
    if (choice.encoding != Encoding::Native) {
        if (!convertToUtf8(choice.encoding, data, size, &converted, &error_))
            return false;
        if (converted.size() > INT_MAX) {
            error_ = QStringLiteral("the document is too large to parse");
            return false;
        }
        data = converted.constData();
        size = converted.size();
        encoding = "UTF-8";
        options |= XML_PARSE_IGNORE_ENC;
        if (!choice.overriddenLabel.isEmpty()) {
            namedEncoding_ = QString::fromLatin1(choice.overriddenLabel);
            usedEncoding_ = encodingName(choice.encoding);
        }
    }
    PieceReader reader(data, size);
    xmlDoc* doc = parseDocument(reader, encoding, options, &error_);
    if (doc == nullptr)
        return false;
    doc_.reset(doc);
    return true;
}

} // namespace platform::xml
