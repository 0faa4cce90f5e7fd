#pragma once
// A DOM document over libxml2: synchronous load of a file, the root element,
// each element's child elements in document order, qualified names as written
// and text content. Loading is safe by construction: no network, no DTD
// loading, no external entities, and entity expansion bounded so that an
// expansion bomb fails the load.
#include <QByteArray>
#include <QString>
#include <memory>

namespace platform::xml {

class XmlDocument;

// A view of one element; valid while its document lives. A null element (from an
// empty document or past the last child) reports isNull().
class XmlElement {
public:
    XmlElement() = default;

    bool isNull() const { return node_ == nullptr; }
    // The qualified name as written in the document, prefix included ("dc:date").
    QString name() const;
    // True when the qualified name equals the text, without building a QString.
    bool nameIs(const QByteArray& utf8Name) const;
    // All descendant text and CDATA joined, leading and trailing white space removed.
    QString text() const;
    // The name without its prefix, and the namespace the element is in (empty
    // when none), for documents whose prefixes vary (Atom).
    QString localName() const;
    QString namespaceUri() const;
    // The attribute's value by its qualified name as written ("rel",
    // "xml:base"), empty when absent.
    QString attribute(const QByteArray& qualifiedName) const;
    // The address relative references inside the element resolve against: its
    // own and its ancestors' xml:base over the given document address.
    QString baseAddress(const QString& documentAddress) const;
    // The element's content as markup (child elements serialized, text
    // escaped), for content given as XHTML.
    QString innerMarkup() const;

    // Child elements only (text, comments and processing instructions are skipped).
    XmlElement firstChild() const;
    XmlElement nextSibling() const;
    bool hasChildElements() const { return !firstChild().isNull(); }

private:
    friend class XmlDocument;
    explicit XmlElement(void* node) : node_(node) {}
    void* node_ = nullptr; // an xmlNode of the owning document
};

class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Loads the file synchronously, decoding it by its byte-order mark, the
    // charset its server named (empty when none) and its XML declaration, in
    // that order; bytes that do not fit the encoding so named are read in the
    // Japanese encoding they fit (see DocumentEncoding.h). Documents declared Shift_JIS (or an
    // alias such as "shift-jis", "x-sjis", "Windows-31J", "cp932") are decoded as code page 932,
    // and "EUC-JP" with its usual vendor extensions, so the extension characters common in Japanese
    // feeds decode. White space and a byte-order mark before the declaration are skipped. Returns
    // false when the file is missing, not well-formed, undecodable or an expansion bomb; the reason
    // is in parseError().
    bool load(const QString& path, const QByteArray& transportCharset = QByteArray());
    bool loadBytes(const QByteArray& bytes, const QByteArray& transportCharset = QByteArray());
    // When the bytes did not fit the encoding named for them: that name and the
    // encoding they were read in instead; both empty otherwise.
    const QString& namedEncoding() const { return namedEncoding_; }
    const QString& usedEncoding() const { return usedEncoding_; }

    bool isLoaded() const { return doc_ != nullptr; }
    XmlElement documentElement() const; // null when not loaded
    const QString& parseError() const { return error_; }

private:
    // The whole document's bytes, decoded as DocumentEncoding.h decides. When
    // the parser has already read them as they stand and refused them
    // (nativeRefused), that verdict stands for documents left to it.
    bool parseBytes(const QByteArray& bytes, const QByteArray& transportCharset,
                    bool nativeRefused);

    struct Freer {
        void operator()(void* doc) const;
    };
    std::unique_ptr<void, Freer> doc_;
    QString error_;
    QString namedEncoding_;
    QString usedEncoding_;
};

} // namespace platform::xml
