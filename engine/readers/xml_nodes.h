// An XML document as the playlist rules see it: a stream of element starts (local name,
// namespace and attributes), text and element ends. The Windows layer makes it with
// XmlLite; tests and fuzz targets make it by hand, so the rules need no parser.
#pragma once
#include <functional>
#include <span>
#include <string_view>

namespace tunelift {

inline constexpr std::wstring_view kXmlNamespace = L"http://www.w3.org/XML/1998/namespace";

struct XmlAttribute {
    std::wstring_view LocalName;
    std::wstring_view NamespaceUri;
    std::wstring_view Value;  // entities and character references already replaced
};

// Receives a document's nodes in order. Every start is followed by its end, also for an
// empty element ("<a/>"). The views live until the call returns.
class XmlSink {
public:
    virtual ~XmlSink() = default;
    virtual void StartElement(std::wstring_view localName, std::wstring_view namespaceUri,
                              std::span<const XmlAttribute> attributes) = 0;
    virtual void Text(std::wstring_view text) = 0;  // character data and CDATA alike
    virtual void EndElement() = 0;
};

// Feeds the document in `bytes` to the sink; false when the bytes are no well-formed XML
// (or hold a document type declaration), in which case the sink may have seen part of it.
using XmlParser = std::function<bool(std::string_view bytes, XmlSink& sink)>;

}  // namespace tunelift
