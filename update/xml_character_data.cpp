#include "update/xml_character_data.h"

namespace qb {

std::unique_ptr<CVXMLNode> CVXMLTextNode::Clone() const {
    return std::make_unique<CVXMLTextNode>(m_value);
}

std::unique_ptr<CVXMLNode> CVXMLCDATASection::Clone() const {
    return std::make_unique<CVXMLCDATASection>(m_value);
}

std::unique_ptr<CVXMLNode> CVXMLComment::Clone() const {
    return std::make_unique<CVXMLComment>(m_value);
}

}  // namespace qb
