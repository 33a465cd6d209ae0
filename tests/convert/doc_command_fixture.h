// A document to run conversion commands on, and a runner that checks what every command owes the
// user besides its result: one undo step that brings back the lines and the target range, the
// modified flag, and redo that returns to the result.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/quillbay_doc.h"
#include "tests/support/fake_host.h"
#include "tests/support/sjis_literal.h"

namespace qb::test {

using Lines = std::vector<std::string>;
using DocCommand = std::function<void(CQuillbayDoc&)>;

inline Lines Strings(const CQuillbayDoc& doc) {
    Lines out;
    for (const auto& line : doc.Lines())
        out.push_back(line.str());
    return out;
}

class DocCommandTest : public ::testing::Test {
protected:
    // Replaces the document by `lines` (bytes as they are, without CR LF), every line a target,
    // no history.
    void SetLines(const Lines& lines) {
        m_doc = std::make_unique<CQuillbayDoc>(app.context);
        std::string text;
        for (const auto& line : lines)
            text.append(line).append("\r\n");
        m_doc->SetAllText(text);
        ASSERT_EQ(Strings(*m_doc), lines);
        m_doc->Target().firstLine = 1;
        m_doc->Target().lastLine = static_cast<int>(lines.size());
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
