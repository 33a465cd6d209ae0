// Elements and their attributes in the XML document model.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "update/xml_node.h"

namespace qb {

// name="value"; the value is stored without its quotes.
class CVXMLAttribute : public CVXMLNode {
public:
    CVXMLAttribute(std::string_view name, std::string_view value) : CVXMLNode(name, value) {}
    XmlNodeType NodeType() const override { return XmlNodeType::Attribute; }
    std::unique_ptr<CVXMLNode> Clone() const override;

protected:
    // name="value", in single quotes when the value holds a double quote.
    void AppendMarkup(std::string& out) const override;
};

class CVXMLElement : public CVXMLNode {
public:
    explicit CVXMLElement(std::string_view name) : CVXMLNode(name, {}) {}
    XmlNodeType NodeType() const override { return XmlNodeType::Element; }
    void SetNodeValue(std::string_view) override {}  // an element has no value of its own
    std::unique_ptr<CVXMLNode> Clone() const override;

    const std::vector<std::unique_ptr<CVXMLAttribute>>& Attributes() const { return m_attributes; }
    void AddAttribute(std::string_view name, std::string_view value);
    // The value of the first attribute named `name`, or null.
    const std::string* Attribute(std::string_view name) const;

    // The first child that is an element named `name`, or null.
    CVXMLElement* FirstChildElement(std::string_view name) const;

    // Written '<name/>'.
    bool IsEmptyElement() const { return m_empty; }
    void SetEmptyElement(bool empty) { m_empty = empty; }
    // A '<% ... %>' block: its name is the text inside.
    bool IsScriptBlock() const { return m_script; }
    void SetScriptBlock(bool script) { m_script = script; }

protected:
    void AppendText(std::string& out) const override { AppendChildrenText(out); }
    // The start tag with its attributes ('<name/>' when empty), the children, and the end tag
    // when there are children. A script block is written '<%name%>'.
    void AppendMarkup(std::string& out) const override;

private:
    std::vector<std::unique_ptr<CVXMLAttribute>> m_attributes;
    bool m_empty = false;
    bool m_script = false;
};

}  // namespace qb
