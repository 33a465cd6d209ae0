// A document over a test host, filled from a list of lines, every line a target.
#pragma once

#include <string>
#include <vector>

#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"

namespace qb::test {

struct DocFixture {
    TestApp app;
    CQuillbayDoc doc{app.context};

    void SetLines(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines) text += line + "\r\n";
        doc.SetAllText(text);  // each line followed by CR LF gives back exactly these lines
        doc.Target().firstLine = 1;
        doc.Target().lastLine = doc.LineCount();
    }

    std::vector<std::string> LineTexts() const {
        std::vector<std::string> out;
        for (const auto& line : doc.Lines()) out.push_back(line.str());
        return out;
    }
};

}  // namespace qb::test
