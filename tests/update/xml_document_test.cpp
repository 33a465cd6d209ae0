#include "update/xml_document.h"

#include <gtest/gtest.h>

#include "tests/support/sjis_literal.h"
#include "tests/support/temp_dir.h"
#include "update/xml_character_data.h"
#include "update/xml_element.h"

namespace qb {
namespace {

using test::Show;
using test::Sjis;

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>";

struct Loaded {
    CVXMLDocument doc;
    explicit Loaded(std::string_view bytes) { doc.LoadText(bytes); }
    CVXMLElement& Root() const {
        CVXMLElement* root = doc.DocumentElement();
        if (!root) throw std::runtime_error("no root element");
        return *root;
    }
    // The names of the root's children, '#text' etc. for the others, joined with ','.
    std::string RootChildren() const {
        std::string names;
        for (CVXMLNode* child : Root().ChildNodes())
            names += (names.empty() ? "" : ",") + child->NodeName();
        return names;
    }
};

TEST(CVXMLNode, TypesAndNamesFollowTheDom) {
    Loaded x("<r a='1'>t<![CDATA[c]]><!--m--><e/></r>");
    CVXMLElement& root = x.Root();
    const CVXMLNode* nodes[] = {root.Attributes()[0].get(), &x.doc, &root};
    EXPECT_EQ(static_cast<int>(nodes[0]->NodeType()), 2);
    EXPECT_EQ(static_cast<int>(nodes[1]->NodeType()), 9);
    EXPECT_EQ(static_cast<int>(nodes[2]->NodeType()), 1);
    const struct {
        int type;
        const char* name;
        const char* value;
    } children[] = {
        {3, "#text", "t"}, {4, "#cdata-section", "c"}, {8, "#comment", "m"}, {1, "e", ""}};
    ASSERT_EQ(root.ChildNodes().Length(), std::size(children));
    for (std::size_t i = 0; i < std::size(children); ++i) {
        const CVXMLNode* node = root.ChildNodes().Item(i);
        EXPECT_EQ(static_cast<int>(node->NodeType()), children[i].type) << i;
        EXPECT_EQ(node->NodeName(), children[i].name) << i;
        EXPECT_EQ(node->NodeValue(), children[i].value) << i;
        EXPECT_EQ(node->ParentNode(), &root);
    }
    EXPECT_EQ(root.Text(), "tc");  // a comment adds nothing
}

// Nothing is decoded: what the feed writes is what the program sees.
TEST(CVXMLDocument, KeepsReferencesAsWritten) {
    Loaded x("<r a=\"&lt;b&gt;&amp;\">&lt;p&gt; &#x41;&#66;&quot;</r>");
    EXPECT_EQ(*x.Root().Attribute("a"), "&lt;b&gt;&amp;");
    EXPECT_EQ(x.Root().Text(), "&lt;p&gt; &#x41;&#66;&quot;");
}

TEST(CVXMLDocument, UnicodeTextBecomesShiftJisAndShiftJisStays) {
    const std::string sjis = Sjis("<r>新着情報</r>");
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<r>新着情報</r>\r\n", Sjis("新着情報")},
        {"\xEF\xBB\xBF<r>新着情報</r>", Sjis("新着情報")},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?><r>新着情報</r>", Sjis("新着情報")},
        {"<r>絵😀</r>", Sjis("絵?")},  // a character Shift-JIS lacks
        {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + sjis, Sjis("新着情報")},
        {sjis, Sjis("新着情報")},
    };
    for (const auto& c : cases) {
        Loaded x(c.bytes);
        EXPECT_EQ(x.Root().Text(), c.text) << Show(c.bytes);
    }
}

TEST(CVXMLDocument, DropsOnlyAnXmlDeclarationBeforeTheRoot) {
    const struct {
        const char* bytes;
        const char* root;
        const char* text;
    } cases[] = {
        {"<?xml version=\"1.0\"?>\n<feed><a>1</a></feed>\n", "feed", "1"},
        {"  <feed><a>1</a></feed>", "feed", "1"},             // no declaration: the root stays
        {"<feed><a>1</a></feed><!-- after -->", "feed", ""},  // the root's end tag is not last
    };
    for (const auto& c : cases) {
        Loaded x(c.bytes);
        EXPECT_EQ(x.Root().NodeName(), c.root) << c.bytes;
        EXPECT_EQ(x.Root().Text(), c.text) << c.bytes;
    }
    for (const char* nothing : {"", "<?xml version=\"1.0\"?>", "plain text", "\xEF\xBB\xBF  \r\n"})
        EXPECT_EQ(Loaded(nothing).doc.DocumentElement(), nullptr) << nothing;
}

// Each end tag closes the latest open tag of its own name, and only of that name.
TEST(CVXMLDocument, PairsEndTagsWithTheirOwnStartTags) {
    const struct {
        const char* markup;
        const char* children;  // of the root
        const char* text;      // of the root
    } cases[] = {
        {"<r><item><item>a</item>b</item>c</r>", "item,#text", "abc"},
        {"<r><item><itemx>a</itemx>b</item></r>", "item", "ab"},
        {"<r><item><item/>a</item>b</r>", "item,#text", "ab"},
        {"<r><item x='1' />a<item>b</item></r>", "item,#text,item", "ab"},
        {"<r><a>x<b>y</b></r>", "a,#text,b", "xy"},  // no end tag: an element without content
        {"<r><a>x</b></r>", "a,#text,/b", "x"},      // a stray end tag stays as an element
        {"<r>1 < 2 > 0</r>", "#text,,#text", "1  0"},
        {"<r>1 < 2</r>", "#text,", "1 "},  // with no '>' after it, the tag runs to the end
    };
    for (const auto& c : cases) {
        Loaded x(c.markup);
        EXPECT_EQ(x.RootChildren(), c.children) << c.markup;
        EXPECT_EQ(x.Root().Text(), c.text) << c.markup;
    }
    Loaded nested("<r><item><item>a</item>b</item></r>");
    const CVXMLElement* outer = nested.Root().FirstChildElement("item");
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->FirstChildElement("item")->Text(), "a");
}

TEST(CVXMLDocument, EmptyElementsAndScriptBlocks) {
    Loaded x("<r><link/><img src='a.png'/><% = Now() %></r>");
    const CVXMLElement* link = x.Root().FirstChildElement("link");
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->IsEmptyElement());
    EXPECT_FALSE(link->HasChildNodes());
    EXPECT_EQ(link->Text(), "");
    EXPECT_EQ(link->ToText(), "<link/>");
    EXPECT_EQ(*x.Root().FirstChildElement("img")->Attribute("src"), "a.png");
    const CVXMLElement* script = x.Root().FirstChildElement("= Now()");
    ASSERT_NE(script, nullptr);
    EXPECT_TRUE(script->IsScriptBlock());
}

TEST(CVXMLDocument, ReadsAttributesInEveryForm) {
    Loaded x("<e a=\"1 2\" b='x\"y'\tc d=4 e='' f=\"unclosed>");
    const struct {
        const char* name;
        const char* value;
    } cases[] = {{"a", "1 2"}, {"b", "x\"y"}, {"c", ""}, {"d", "4"}, {"e", ""}, {"f", "unclosed"}};
    ASSERT_EQ(x.Root().Attributes().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(x.Root().Attributes()[i]->NodeName(), cases[i].name);
        EXPECT_EQ(x.Root().Attributes()[i]->NodeValue(), cases[i].value);
    }
    EXPECT_EQ(x.Root().ToText(), "<e a=\"1 2\" b='x\"y' c=\"\" d=\"4\" e=\"\" f=\"unclosed\">");
}

// What follows an unterminated comment or CDATA section inside an element is dropped, the rest
// of the document is read, and no error is raised.
TEST(CVXMLDocument, AnUnterminatedCommentOrCDataEndsItsContent) {
    for (const char* open : {"<!-- no end", "<![CDATA[ no end"}) {
        Loaded x(std::string("<r><a>1<b>2</b>") + open + "<c>3</c></a><d>4</d></r>");
        const CVXMLElement* a = x.Root().FirstChildElement("a");
        ASSERT_NE(a, nullptr) << open;
        EXPECT_EQ(a->ChildNodes().Length(), 2u) << open;
        EXPECT_EQ(x.Root().Text(), "124") << open;
    }
    // Too short to be either: read as an element.
    EXPECT_EQ(Loaded("<r><!--></r>").RootChildren(), "!--");
}

TEST(CVXMLDocument, QueriesFindElementsInDocumentOrder) {
    Loaded x(
        "<rss><item><name>A</name><item><name>B</name></item></item>"
        "<x><item><name>C</name><name>D</name></item></x></rss>");
    const CVXMLNodeList items = x.doc.GetElementsByTagName("item");
    ASSERT_EQ(items.Length(), 3u);
    std::string order;
    for (CVXMLNode* item : items)
        order += static_cast<CVXMLElement*>(item)->FirstChildElement("name")->Text();
    EXPECT_EQ(order, "ABC");  // a parent before its children
    EXPECT_EQ(items.ItemWithChildText("name", "B"), items.Item(1));
    EXPECT_EQ(items.ItemWithChildText("name", "D"), nullptr);  // only the first "name" counts
    EXPECT_EQ(items.FirstChildElement("item"), items.Item(0));
    EXPECT_EQ(x.Root().GetElementsByTagName("Item").Length(), 0u);  // names match exactly
}

TEST(CVXMLDocument, WritesBackWhatItRead) {
    const std::string feed =
        "<rss version=\"2.0\"><!-- updates --><channel>\r\n"
        "  <item><name>Quillbay</name><link>https://h/q.exe?a=1&amp;b=2</link>"
        "<description><![CDATA[<b>bold</b>]]></description><enclosure url=\"x\"/></item>\r\n"
        "</channel></rss>";
    Loaded x("<?xml version=\"1.0\"?>\n" + feed + "\n");
    EXPECT_EQ(x.doc.ToText(), std::string(kDeclaration) + feed);
    const auto copy = x.doc.Clone();
    x.Root().FirstChildElement("channel")->SetNodeValue("ignored");
    x.Root().AddAttribute("changed", "1");
    EXPECT_EQ(copy->ToText(), std::string(kDeclaration) + feed);
}

// Markup nested deeper than the bound stays as written inside the deepest element; unclosed
// tags by the hundred thousand load without taking time quadratic in their number.
TEST(CVXMLDocument, LoadsHostileNestingWithinItsBound) {
    constexpr int kDepth = 100000;
    std::string deep;
    for (int i = 0; i < kDepth; ++i)
        deep += "<a>";
    deep += "x";
    for (int i = 0; i < kDepth; ++i)
        deep += "</a>";
    Loaded x(deep);
    int depth = 1;
    const CVXMLElement* e = &x.Root();
    while (const CVXMLElement* child = e->FirstChildElement("a")) {
        e = child;
        ++depth;
    }
    EXPECT_EQ(depth, kMaxXmlDepth);
    EXPECT_EQ(x.doc.ToText(), std::string(kDeclaration) + deep);

    std::string unclosed = "<r>";
    for (int i = 0; i < 100000; ++i)
        unclosed += "<a><b c='<a'>";
    Loaded flat(unclosed);
    EXPECT_EQ(flat.Root().ChildNodes().Length(), 0u);  // the root's end tag is missing
    Loaded flatClosed(unclosed + "</r>");
    EXPECT_EQ(flatClosed.Root().ChildNodes().Length(), 200000u);
}

TEST(CVXMLDocument, LoadsAFileAndSaysWhyAFileCannotBeRead) {
    test::TempDir dir;
    CVXMLDocument doc;
    std::string error;
    EXPECT_TRUE(doc.Load(dir.Write("feed.xml", "<r>1</r>"), &error));
    EXPECT_EQ(doc.Text(), "1");
    for (const std::string& path : {dir.File("missing.xml"), dir.Path()}) {
        EXPECT_FALSE(doc.Load(path, &error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_EQ(doc.Text(), "1");  // the tree read before stays
    }
}

}  // namespace
}  // namespace qb
