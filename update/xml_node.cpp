#include "update/xml_node.h"

#include <utility>

#include "update/xml_element.h"

namespace qb {

CVXMLElement* CVXMLNodeList::FirstChildElement(std::string_view name) const {
    for (CVXMLNode* node : m_nodes)
        if (node->NodeType() == XmlNodeType::Element && node->NodeName() == name)
            return static_cast<CVXMLElement*>(node);
    return nullptr;
}

CVXMLElement* CVXMLNodeList::ItemWithChildText(std::string_view childName,
                                               std::string_view text) const {
    for (CVXMLNode* node : m_nodes) {
        if (node->NodeType() != XmlNodeType::Element) continue;
        auto* element = static_cast<CVXMLElement*>(node);
        const CVXMLElement* child = element->FirstChildElement(childName);
        if (child && child->Text() == text) return element;
    }
    return nullptr;
}

CVXMLNode::~CVXMLNode() = default;

std::string CVXMLNode::Text() const {
    std::string text;
    AppendText(text);
    return text;
}

std::string CVXMLNode::ToText() const {
    std::string text;
    AppendMarkup(text);
    return text;
}

CVXMLNodeList CVXMLNode::ChildNodes() const {
    CVXMLNodeList list;
    for (const auto& child : m_children)
        list.Append(child.get());
    return list;
}

CVXMLNode* CVXMLNode::AppendChild(std::unique_ptr<CVXMLNode> child) {
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

CVXMLNodeList CVXMLNode::GetElementsByTagName(std::string_view name) const {
    // Depth first with an explicit stack of (node, next child), so no tree can exhaust the
    // call stack here.
    CVXMLNodeList found;
    std::vector<std::pair<const CVXMLNode*, std::size_t>> stack{{this, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next == node->m_children.size()) {
            stack.pop_back();
            continue;
        }
        CVXMLNode* child = node->m_children[next++].get();
        if (child->NodeType() == XmlNodeType::Element && child->m_name == name) found.Append(child);
        stack.emplace_back(child, 0);
    }
    return found;
}

void CVXMLNode::CloneChildrenInto(CVXMLNode& copy) const {
    for (const auto& child : m_children)
        copy.AppendChild(child->Clone());
}

void CVXMLNode::AppendChildrenText(std::string& out) const {
    for (const auto& child : m_children)
        child->AppendText(out);
}

void CVXMLNode::AppendChildrenMarkup(std::string& out) const {
    for (const auto& child : m_children)
        child->AppendMarkup(out);
}

}  // namespace qb
