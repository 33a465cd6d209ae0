// A document with given lines, every line a target, for the shaping operations' tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "convert/cp932.h"
#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

namespace qb::test {

struct ShapeDoc {
    TestApp app;
    std::unique_ptr<CQuillbayDoc> doc;

    // `lines` are UTF-8; they may hold lone CR or LF bytes.
    explicit ShapeDoc(std::initializer_list<std::string_view> lines) {
        doc = std::make_unique<CQuillbayDoc>(app.context);
        std::string text;
        for (auto line : lines)
            text += Sjis(line) + "\r\n";
        doc->SetAllText(text);
        doc->Target().firstLine = 1;
        doc->Target().lastLine = doc->LineCount();
    }

    CQuillbayDoc* operator->() { return doc.get(); }

    // The lines as UTF-8.
    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        for (const Line& line : doc->Lines())
            out.push_back(SjisToUtf8(line.view()));
        return out;
    }
};

inline std::vector<std::string> Utf8Lines(std::initializer_list<std::string_view> lines) {
    return std::vector<std::string>(lines.begin(), lines.end());
}

}  // namespace qb::test
