// Character data nodes of the XML document model: text, CDATA sections and comments. Their
// string is the node value.
#pragma once

#include "update/xml_node.h"

namespace qb {

class CVXMLCharacterData : public CVXMLNode {
protected:
    CVXMLCharacterData(std::string_view name, std::string_view data) : CVXMLNode(name, data) {}
};

// Text between tags.
class CVXMLTextNode : public CVXMLCharacterData {
public:
    explicit CVXMLTextNode(std::string_view data) : CVXMLCharacterData("#text", data) {}
    XmlNodeType NodeType() const override { return XmlNodeType::Text; }
    std::unique_ptr<CVXMLNode> Clone() const override;

protected:
    void AppendMarkup(std::string& out) const override { out += m_value; }
    CVXMLTextNode(std::string_view name, std::string_view data) : CVXMLCharacterData(name, data) {}
};

// The text between "<![CDATA[" and "]]>".
class CVXMLCDATASection : public CVXMLTextNode {
public:
    explicit CVXMLCDATASection(std::string_view data) : CVXMLTextNode("#cdata-section", data) {}
    XmlNodeType NodeType() const override { return XmlNodeType::CDataSection; }
    std::unique_ptr<CVXMLNode> Clone() const override;

protected:
    void AppendMarkup(std::string& out) const override { out += "<![CDATA[" + m_value + "]]>"; }
};

// The text between "<!--" and "-->"; it adds nothing to the text of an element.
class CVXMLComment : public CVXMLCharacterData {
public:
    explicit CVXMLComment(std::string_view data) : CVXMLCharacterData("#comment", data) {}
    XmlNodeType NodeType() const override { return XmlNodeType::Comment; }
    std::unique_ptr<CVXMLNode> Clone() const override;

protected:
    void AppendText(std::string&) const override {}
    void AppendMarkup(std::string& out) const override { out += "<!--" + m_value + "-->"; }
};

}  // namespace qb
