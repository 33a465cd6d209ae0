// An XML document read with a lenient scanner: the node tree of one root element.
//
// Loading never fails on malformed markup: what cannot be read as markup stays text, an
// unterminated comment or CDATA section ends the content around it, and an element whose end
// tag is missing has no content. Only a file that cannot be read makes a load fail. Nesting
// deeper than kMaxXmlDepth elements is not taken apart: the content of an element at that depth
// is kept as one text node holding its markup as written. Input may be untrusted: any bytes load
// in time linear in their size (times the depth bound at most) without recursing further.
#pragma once

#include <string>
#include <string_view>

#include "update/xml_node.h"

namespace qb {

// How many elements deep the scanner builds the tree.
inline constexpr int kMaxXmlDepth = 256;

class CVXMLDocument : public CVXMLNode {
public:
    CVXMLDocument() : CVXMLNode({}, {}) {}
    XmlNodeType NodeType() const override { return XmlNodeType::Document; }
    std::unique_ptr<CVXMLNode> Clone() const override;

    // The root element, or null when the text held none.
    CVXMLElement* DocumentElement() const;

    // Reads the file at `path` (UTF-8) and builds the tree from its bytes. False when the file
    // cannot be read; `error` then says why, followed by the path, and the tree is unchanged.
    bool Load(const std::string& path, std::string* error = nullptr);
    // Builds the tree from the bytes of a whole file, replacing any tree held before: the XML
    // declaration is dropped; UTF-8 text (a byte-order mark skipped) becomes Shift-JIS; any
    // other text is taken as Shift-JIS unchanged.
    void LoadText(std::string_view bytes);

protected:
    void AppendText(std::string& out) const override { AppendChildrenText(out); }
    // The XML declaration followed by the root element's markup, with no line breaks added.
    void AppendMarkup(std::string& out) const override;
};

// The text the root element is built from: `bytes` without the byte-order mark, the XML
// declaration and surrounding white space, converted to Shift-JIS when it is UTF-8.
[[nodiscard]] std::string PrepareXmlText(std::string_view bytes);

}  // namespace qb
