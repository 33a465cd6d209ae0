#include "update/xml_element.h"

namespace qb {

std::unique_ptr<CVXMLNode> CVXMLAttribute::Clone() const {
    return std::make_unique<CVXMLAttribute>(m_name, m_value);
}

void CVXMLAttribute::AppendMarkup(std::string& out) const {
    const char quote = m_value.find('"') == std::string::npos ? '"' : '\'';
    out += m_name + "=" + quote + m_value + quote;
}

std::unique_ptr<CVXMLNode> CVXMLElement::Clone() const {
    auto copy = std::make_unique<CVXMLElement>(m_name);
    for (const auto& attribute : m_attributes)
        copy->AddAttribute(attribute->NodeName(), attribute->NodeValue());
    copy->m_empty = m_empty;
    copy->m_script = m_script;
    CloneChildrenInto(*copy);
    return copy;
}

void CVXMLElement::AppendMarkup(std::string& out) const {
    out += '<';
    if (m_script) {
        out += "%" + m_name + "%";
    } else {
        out += m_name;
        for (const auto& attribute : m_attributes)
            out += " " + attribute->ToText();
        if (m_empty) out += '/';
    }
    out += '>';
    if (!HasChildNodes()) return;
    AppendChildrenMarkup(out);
    out += "</" + m_name + ">";
}

void CVXMLElement::AddAttribute(std::string_view name, std::string_view value) {
    auto attribute = std::make_unique<CVXMLAttribute>(name, value);
    m_attributes.push_back(std::move(attribute));
}

const std::string* CVXMLElement::Attribute(std::string_view name) const {
    for (const auto& attribute : m_attributes)
        if (attribute->NodeName() == name) return &attribute->NodeValue();
    return nullptr;
}

CVXMLElement* CVXMLElement::FirstChildElement(std::string_view name) const {
    return ChildNodes().FirstChildElement(name);
}

}  // namespace qb
