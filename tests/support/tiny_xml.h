// Just enough XML for native tests, fuzz targets and benchmarks to feed the playlist
// rules a document written as text: elements, attributes in double quotes, text, a
// default xmlns and xml:base; "<?...?>" is skipped. Windows reads real files with XmlLite.
#pragma once
#include <string_view>

#include "engine/readers/any_kind_reader.h"
#include "engine/readers/xml_nodes.h"

namespace tunelift::testing {

// False for text it cannot take (an unclosed or mismatched element, a stray "<"), after
// feeding the nodes before it.
bool FeedTinyXml(std::wstring_view text, XmlSink& sink);

// The readers' services over this parser (documents in UTF-8) and a code page of the
// first 256 characters.
ReaderServices TinyReaderServices();

}  // namespace tunelift::testing
