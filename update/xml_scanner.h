// The lenient scanner that turns markup text into elements of the XML document model.
#pragma once

#include <memory>
#include <string_view>

#include "update/xml_element.h"

namespace qb {

// The element built from `source`, which begins at its first '<': the start tag up to the next
// '>', and, when `source` ends with the matching end tag, the content between them parsed into
// children. Null when `source` holds no '<'.
[[nodiscard]] std::unique_ptr<CVXMLElement> ScanXmlElement(std::string_view source);

}  // namespace qb
