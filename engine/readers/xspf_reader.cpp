#include "engine/readers/xml_kind_readers.h"

#include "engine/readers/entry_values.h"
#include "engine/readers/uri_rules.h"

namespace tunelift {

namespace {

bool IsXspfElement(std::wstring_view localName, std::wstring_view namespaceUri, std::wstring_view name) {
    return localName == name && namespaceUri == kXspfNamespace;
}

// An xml:base may be written as a Windows folder instead of an address.
std::wstring BaseAddressOf(std::wstring_view written, std::wstring_view outer) {
    constexpr std::wstring_view kBlanks = L" \t\r\n";
    const size_t first = written.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return std::wstring(outer);
    written = written.substr(first, written.find_last_not_of(kBlanks) - first + 1);
    if (IsWindowsFullPath(written)) return FileUrlOf(written);
    std::wstring reference(written);
    for (wchar_t& c : reference)
        if (c == L'\\') c = L'/';
    return ResolveUri(outer, reference);
}

}  // namespace

XspfReader::XspfReader(const EntryContext& context) : context_(context) {
    bases_.push_back({0, FolderUrlOf(context.Folder)});
}

void XspfReader::StartElement(std::wstring_view localName, std::wstring_view namespaceUri,
                              std::span<const XmlAttribute> attributes) {
    ++depth_;
    for (const XmlAttribute& attribute : attributes)
        if (attribute.LocalName == L"base" && attribute.NamespaceUri == kXmlNamespace)
            bases_.push_back({depth_, BaseAddressOf(attribute.Value, bases_.back().Address)});
    if (depth_ == 1) {
        isXspf_ = IsXspfElement(localName, namespaceUri, L"playlist");
    } else if (!isXspf_) {
        return;
    } else if (depth_ == 2 && IsXspfElement(localName, namespaceUri, L"trackList")) {
        trackListDepth_ = depth_;
    } else if (trackListDepth_ == 2 && depth_ == 3 && IsXspfElement(localName, namespaceUri, L"track")) {
        trackDepth_ = depth_;
        hasLocation_ = false;
        location_.clear();
        title_.clear();
    } else if (trackDepth_ == 3 && depth_ == 4) {
        if (!hasLocation_ && IsXspfElement(localName, namespaceUri, L"location")) {
            collecting_ = Collecting::Location;
        } else if (title_.empty() && IsXspfElement(localName, namespaceUri, L"title")) {
            collecting_ = Collecting::Title;
        }
    }
}

void XspfReader::Text(std::wstring_view text) {
    if (collecting_ == Collecting::Location) location_ += text;
    if (collecting_ == Collecting::Title) title_ += text;
}

void XspfReader::EndElement() {
    if (depth_ == 0) return;
    if (depth_ == 4 && collecting_ == Collecting::Location) {
        // The location's own xml:base counts too: it is still in scope here.
        hasLocation_ = true;
        locationBase_ = bases_.back().Address;
    }
    if (depth_ == 4) collecting_ = Collecting::Nothing;
    if (depth_ == trackDepth_) {
        trackDepth_ = 0;
        const auto place = static_cast<int64_t>(entries_.size() + 1);
        if (entries_.size() <= kMostEntries)
            entries_.push_back(hasLocation_ ? EntryOfLocation(place, location_, locationBase_, context_)
                                            : EntryWithoutPath(place, title_));
    }
    if (depth_ == trackListDepth_) trackListDepth_ = 0;
    while (bases_.back().Depth == depth_) bases_.pop_back();
    --depth_;
}

}  // namespace tunelift
