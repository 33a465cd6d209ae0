// Documents for tests: one over a test host, filled from a list of lines with every line a
// target, and a runner that checks what every command owes the user besides its result.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "convert/cp932.h"
#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

namespace qb::test {

using Lines = std::vector<std::string>;
using DocCommand = std::function<void(CQuillbayDoc&)>;

// Replaces the text of `doc` by `lines` (bytes as they are, without CR LF; they may hold lone CR
// or LF bytes), every line a target, no undo step.
inline void FillDocument(CQuillbayDoc& doc, const Lines& lines) {
    std::string text;
    for (const auto& line : lines)
        text.append(line).append("\r\n");
    doc.SetAllText(text);  // each line followed by CR LF gives back exactly these lines
    doc.Target().firstLine = 1;
    doc.Target().lastLine = doc.LineCount();
}

inline Lines Strings(const CQuillbayDoc& doc) {
    Lines out;
    for (const auto& line : doc.Lines())
        out.push_back(line.str());
    return out;
}

// A document over a test host. SetLines takes Shift-JIS bytes; Utf8Doc below takes UTF-8.
struct DocFixture {
    TestApp app;
    CQuillbayDoc doc{app.context};

    void SetLines(const Lines& lines) { FillDocument(doc, lines); }
    Lines LineTexts() const { return Strings(doc); }
};

// A document written and read in UTF-8, for tests whose lines are Japanese text.
struct Utf8Doc {
    TestApp app;
    std::unique_ptr<CQuillbayDoc> doc = std::make_unique<CQuillbayDoc>(app.context);

    explicit Utf8Doc(std::initializer_list<std::string_view> lines) {
        std::vector<std::string> sjis;
        for (auto line : lines)
            sjis.push_back(Sjis(line));
        FillDocument(*doc, sjis);
    }

    CQuillbayDoc* operator->() { return doc.get(); }

    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        for (const Line& line : doc->Lines())
            out.push_back(SjisToUtf8(line.view()));
        return out;
    }
};

inline Lines Utf8Lines(std::initializer_list<std::string_view> lines) {
    return Lines(lines.begin(), lines.end());
}

// Runs commands and checks their undo step: one step that brings back the lines and the target
// range, the modified flag, and redo that returns to the result.
class DocCommandTest : public ::testing::Test {
protected:
    void SetLines(const Lines& lines) {
        m_doc = std::make_unique<CQuillbayDoc>(app.context);
        FillDocument(*m_doc, lines);
        ASSERT_EQ(Strings(*m_doc), lines);
    }

    CQuillbayDoc& Doc() { return *m_doc; }

    // Runs `command` on the document and checks its undo step; returns the lines it left.
    Lines Run(const DocCommand& command) {
        CQuillbayDoc& doc = *m_doc;
        const Lines before = Strings(doc);
        const int first = doc.Target().firstLine, last = doc.Target().lastLine;
        command(doc);
        const Lines after = Strings(doc);
        const int afterFirst = doc.Target().firstLine, afterLast = doc.Target().lastLine;
        EXPECT_TRUE(doc.IsModified());
        EXPECT_TRUE(doc.Undo());
        EXPECT_EQ(Strings(doc), before) << "undo gives back the lines";
        EXPECT_EQ(doc.Target().firstLine, first);
        EXPECT_EQ(doc.Target().lastLine, last);
        EXPECT_FALSE(doc.CanUndo()) << "the command is one undo step";
        EXPECT_TRUE(doc.Redo());
        EXPECT_EQ(Strings(doc), after);
        EXPECT_EQ(doc.Target().firstLine, afterFirst);
        EXPECT_EQ(doc.Target().lastLine, afterLast);
        return after;
    }

    // Sets the lines, runs the command, checks its undo step and returns the result.
    Lines Run(const Lines& lines, const DocCommand& command) {
        SetLines(lines);
        return Run(command);
    }

    TestApp app;

private:
    std::unique_ptr<CQuillbayDoc> m_doc;
};

}  // namespace qb::test
