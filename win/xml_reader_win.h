// XML documents read through XmlLite, the parser that is part of Windows, as the node
// stream the portable playlist rules take.
#pragma once
#include <string_view>

#include "engine/readers/xml_nodes.h"

namespace tunelift::win {

// Elements nested deeper than this make the document unreadable: no playlist needs
// more than a handful, and each level costs memory.
inline constexpr unsigned kDeepestXml = 64;

// Feeds the document in `bytes` (any encoding XmlLite finds from its mark or
// declaration) to the sink. False when it is no well-formed XML, holds a document type
// declaration (no entity of it is expanded), nests deeper than kDeepestXml, or XmlLite
// cannot be loaded.
bool ParseXml(std::string_view bytes, XmlSink& sink);

}  // namespace tunelift::win
