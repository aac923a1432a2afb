#include "tiny_xml.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/playlist_text.h"

namespace tunelift::testing {

namespace {

struct Element {
    std::wstring Name, Namespace;
};

// Starts the element "name a=\"v\" ..."; false when it is malformed.
bool Start(std::wstring_view tag, std::vector<Element>& open, XmlSink& sink) {
    const size_t nameEnd = std::min(tag.find(L' '), tag.size());
    Element element{std::wstring(tag.substr(0, nameEnd)), open.empty() ? L"" : open.back().Namespace};
    std::vector<XmlAttribute> attributes;
    for (size_t at = nameEnd; (at = tag.find_first_not_of(L' ', at)) != std::wstring_view::npos;) {
        const size_t equals = tag.find(L"=\"", at);
        const size_t close = equals == std::wstring_view::npos ? equals : tag.find(L'"', equals + 2);
        if (close == std::wstring_view::npos) return false;
        const std::wstring_view name = tag.substr(at, equals - at), value = tag.substr(equals + 2, close - equals - 2);
        if (name == L"xmlns") element.Namespace = value;
        else if (name == L"xml:base") attributes.push_back({L"base", kXmlNamespace, value});
        else attributes.push_back({name, L"", value});
        at = close + 1;
    }
    if (element.Name.empty()) return false;
    sink.StartElement(element.Name, element.Namespace, attributes);
    open.push_back(std::move(element));
    return true;
}

}  // namespace

bool FeedTinyXml(std::wstring_view text, XmlSink& sink) {
    std::vector<Element> open;
    for (size_t at = 0; at < text.size();) {
        const size_t next = std::min(text.find(L'<', at), text.size());
        if (next > at && !open.empty()) sink.Text(text.substr(at, next - at));
        const size_t end = text.find(L'>', next);
        if (next == text.size() || end == std::wstring_view::npos) return next == text.size() && open.empty();
        std::wstring_view tag = text.substr(next + 1, end - next - 1);
        at = end + 1;
        if (tag.starts_with(L'?')) continue;
        if (tag.starts_with(L'/')) {
            if (open.empty() || open.back().Name != tag.substr(1)) return false;
            open.pop_back();
            sink.EndElement();
            continue;
        }
        const bool empty = tag.ends_with(L'/');
        if (!Start(empty ? tag.substr(0, tag.size() - 1) : tag, open, sink)) return false;
        if (empty) {
            open.pop_back();
            sink.EndElement();
        }
    }
    return open.empty();
}

ReaderServices TinyReaderServices() {
    return {[](std::string_view bytes) {
                std::wstring text;
                for (const unsigned char byte : bytes) text.push_back(byte);  // never sign-extended
                return text;
            },
            [](std::string_view bytes, XmlSink& sink) { return FeedTinyXml(DecodeUtf8(bytes), sink); }};
}

}  // namespace tunelift::testing
