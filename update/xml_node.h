// The node tree of the XML document model: the base node and the list of nodes.
//
// A node owns its children; destroying a node destroys its subtree. Node types carry the W3C DOM
// numbers. Texts are bytes as the document holds them (Shift-JIS after loading): references such
// as "&lt;" are never decoded.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

enum class XmlNodeType {
    Element = 1,
    Attribute = 2,
    Text = 3,
    CDataSection = 4,
    Comment = 8,
    Document = 9,
};

class CVXMLNode;
class CVXMLElement;

// An ordered list of nodes it does not own: a node's children, or the answer of a query.
class CVXMLNodeList {
public:
    std::size_t Length() const { return m_nodes.size(); }
    CVXMLNode* Item(std::size_t index) const {
        return index < m_nodes.size() ? m_nodes[index] : nullptr;
    }
    void Append(CVXMLNode* node) { m_nodes.push_back(node); }
    auto begin() const { return m_nodes.begin(); }
    auto end() const { return m_nodes.end(); }

    // The first node of the list that is an element named `name` (exactly), or null.
    CVXMLElement* FirstChildElement(std::string_view name) const;
    // The first element of the list with a child element named `childName` whose text equals
    // `text`, or null.
    CVXMLElement* ItemWithChildText(std::string_view childName, std::string_view text) const;

private:
    std::vector<CVXMLNode*> m_nodes;
};

class CVXMLNode {
public:
    virtual ~CVXMLNode();
    CVXMLNode(const CVXMLNode&) = delete;
    CVXMLNode& operator=(const CVXMLNode&) = delete;

    virtual XmlNodeType NodeType() const = 0;
    const std::string& NodeName() const { return m_name; }
    const std::string& NodeValue() const { return m_value; }
    virtual bool HasChildNodes() const { return !m_children.empty(); }
    virtual void SetNodeValue(std::string_view value) { m_value = value; }
    // The text the node holds; an element gives the text of all its children, in order.
    std::string Text() const;
    // A deep copy (children and attributes) without a parent.
    virtual std::unique_ptr<CVXMLNode> Clone() const = 0;
    // The node written back as markup.
    std::string ToText() const;

    CVXMLNode* ParentNode() const { return m_parent; }
    CVXMLNodeList ChildNodes() const;
    // Appends `child` as the last child and returns it; the node takes ownership.
    CVXMLNode* AppendChild(std::unique_ptr<CVXMLNode> child);

    // Every element below this node named `name` (exactly), in document order: depth first, a
    // parent before its children.
    CVXMLNodeList GetElementsByTagName(std::string_view name) const;

protected:
    CVXMLNode(std::string_view name, std::string_view value) : m_name(name), m_value(value) {}
    // Text() and ToText() append to one string, so a deep tree is not copied once per level.
    virtual void AppendText(std::string& out) const { out += m_value; }
    virtual void AppendMarkup(std::string& out) const = 0;
    void AppendChildrenText(std::string& out) const;
    void AppendChildrenMarkup(std::string& out) const;
    void CloneChildrenInto(CVXMLNode& copy) const;
    void RemoveChildren() { m_children.clear(); }

    std::string m_name;
    std::string m_value;

private:
    CVXMLNode* m_parent = nullptr;
    std::vector<std::unique_ptr<CVXMLNode>> m_children;
};

}  // namespace qb
