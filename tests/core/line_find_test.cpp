// Finding the next line for the window's Find: the tolerances, patterns, the wrap round the end
// and what must never be reported as a match.
#include "core/line_find.h"

#include <gtest/gtest.h>

#include "convert/fold.h"
#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

namespace qb {
namespace {

using test::Sjis;
using test::TestApp;

const char* const kLines[] = {"first", "Needle one", "middle", "ｎｅｅｄｌｅ two", "last"};

class LineFindTest : public ::testing::Test {
protected:
    LineFindTest() {
        std::string text;
        for (const char* line : kLines)
            text += Sjis(line) + "\r\n";
        doc.SetAllText(text);
    }
    TestApp app;
    CQuillbayDoc doc{app.context};
};

TEST_F(LineFindTest, NextLineWithTheTolerancesAndTheWrap) {
    struct Case {
        const char* what;
        const char* text;
        unsigned flags;
        bool pattern;
        int from;
        bool forward;
        std::optional<int> index;
        bool wrapped;
    };
    const Case cases[] = {
        {"exact case misses", "needle", 0, false, -1, true, std::nullopt, false},
        {"case tolerance", "needle", FoldCase, false, -1, true, 1, false},
        {"width and case", "needle", FoldCase | FoldWidth, false, 1, true, 3, false},
        {"wraps past the end", "needle", FoldCase | FoldWidth, false, 3, true, 1, true},
        {"back from the start wraps", "needle", FoldCase | FoldWidth, false, 1, false, 3, true},
        {"back without wrap", "needle", FoldCase | FoldWidth, false, 3, false, 1, false},
        {"the only match is the line itself, last", "middle", 0, false, 2, true, 2, true},
        {"pattern", "^N.*e$", 0, true, -1, true, 1, false},
        {"pattern ignoring case", "^n", FoldCase, true, 1, true, 1, true},
        {"empty text finds nothing", "", 0, false, -1, true, std::nullopt, false},
    };
    for (const Case& c : cases) {
        LineFinder finder({Sjis(c.text), c.flags, c.pattern});
        const std::optional<FoundLine> found = finder.Next(doc, c.from, c.forward);
        ASSERT_EQ(found.has_value(), c.index.has_value()) << c.what;
        if (found) {
            EXPECT_EQ(found->index, *c.index) << c.what;
            EXPECT_EQ(found->wrapped, c.wrapped) << c.what;
        }
        EXPECT_EQ(finder.Error(), "") << c.what;
    }
}

TEST_F(LineFindTest, AMalformedPatternIsAnErrorNotAMiss) {
    LineFinder finder({Sjis("(unclosed"), 0, true});
    EXPECT_FALSE(finder.Next(doc, -1, true));
    EXPECT_NE(finder.Error(), "");
}

TEST(LineFindEmptyTest, AnEmptyDocumentFindsNothing) {
    TestApp app;
    CQuillbayDoc doc(app.context);
    LineFinder finder({"a", 0, false});
    EXPECT_FALSE(finder.Next(doc, -1, true));
}

}  // namespace
}  // namespace qb
