#include "engine/readers/xml_kind_readers.h"

#include "engine/readers/entry_values.h"

namespace tunelift {

void WplReader::StartElement(std::wstring_view localName, std::wstring_view,
                             std::span<const XmlAttribute> attributes) {
    if (openIsSeq_.empty()) isWpl_ = localName == L"smil";
    const bool inSeq = isWpl_ && !openIsSeq_.empty() && openIsSeq_.back();
    openIsSeq_.push_back(localName == L"seq");
    if (!inSeq || localName != L"media" || entries_.size() > kMostEntries) return;
    const auto place = static_cast<int64_t>(entries_.size() + 1);
    for (const XmlAttribute& attribute : attributes) {
        if (attribute.LocalName == L"src" && attribute.NamespaceUri.empty()) {
            entries_.push_back(EntryOfPath(place, attribute.Value, context_));
            return;
        }
    }
    entries_.push_back(EntryWithoutPath(place, L""));
}

void WplReader::EndElement() {
    if (!openIsSeq_.empty()) openIsSeq_.pop_back();
}

}  // namespace tunelift
