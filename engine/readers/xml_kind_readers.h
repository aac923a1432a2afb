// The kinds of playlist written as XML: each is a sink for the document's nodes that
// keeps the entries in playlist order. Both can watch one parse; each knows its root.
#pragma once
#include <string>
#include <vector>

#include "engine/readers/read_entry.h"
#include "engine/readers/xml_nodes.h"

namespace tunelift {

inline constexpr std::wstring_view kXspfNamespace = L"http://xspf.org/ns/0/";

// XSPF: each <track>'s first <location> under <playlist><trackList>, an address
// resolved against the xml:base in scope, which itself resolves against the one above
// it and at the top against the playlist's folder. A track without location names
// no file and is shown by its <title>.
class XspfReader : public XmlSink {
public:
    explicit XspfReader(const EntryContext& context);

    bool IsXspf() const { return isXspf_; }
    std::vector<ReadEntry> TakeEntries() { return std::move(entries_); }

    void StartElement(std::wstring_view localName, std::wstring_view namespaceUri,
                      std::span<const XmlAttribute> attributes) override;
    void Text(std::wstring_view text) override;
    void EndElement() override;

private:
    struct Base {
        size_t Depth;
        std::wstring Address;
    };
    enum class Collecting { Nothing, Location, Title };

    EntryContext context_;
    bool isXspf_ = false;
    size_t depth_ = 0;  // of the element open now; 0 outside the root
    size_t trackListDepth_ = 0, trackDepth_ = 0;
    std::vector<Base> bases_;
    Collecting collecting_ = Collecting::Nothing;
    bool hasLocation_ = false;
    std::wstring location_, locationBase_, title_;
    std::vector<ReadEntry> entries_;
};

// WPL and ZPL: each <media> directly inside a <seq>, under a <smil> root, by its src
// path; a <media> without src names no file.
class WplReader : public XmlSink {
public:
    explicit WplReader(const EntryContext& context) : context_(context) {}

    bool IsWpl() const { return isWpl_; }
    std::vector<ReadEntry> TakeEntries() { return std::move(entries_); }

    void StartElement(std::wstring_view localName, std::wstring_view namespaceUri,
                      std::span<const XmlAttribute> attributes) override;
    void Text(std::wstring_view) override {}
    void EndElement() override;

private:
    EntryContext context_;
    bool isWpl_ = false;
    std::vector<bool> openIsSeq_;  // one per open element, innermost last
    std::vector<ReadEntry> entries_;
};

}  // namespace tunelift
