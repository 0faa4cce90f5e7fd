#pragma once
// What kind of feed a document is by the shape of its tree, whatever kind the
// user chose for it: items two levels below the root (RSS 0.9x and 2.0), items
// right below the root (RSS 1.0), or an Atom feed of entries.
namespace platform::xml {
class XmlElement;
}

namespace quillet {

enum class FeedShape { Unknown, Rss, Rdf, Atom };

FeedShape feedShapeOf(const platform::xml::XmlElement& root);

} // namespace quillet
