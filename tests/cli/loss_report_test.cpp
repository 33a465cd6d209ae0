#include "app/cli/loss_report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace qb {
namespace {

// What a LossReport prints on standard error, through a CliHost that writes to memory.
class Printed {
public:
    Printed() : m_file(open_memstream(&m_text, &m_size)), m_host(m_file) {
        m_host.SetJapanese(false);
    }
    ~Printed() {
        std::fclose(m_file);
        std::free(m_text);
    }
    CliHost& Host() { return m_host; }
    std::string Text() {
        std::fflush(m_file);
        return std::string(m_text, m_size);
    }

private:
    char* m_text = nullptr;
    std::size_t m_size = 0;
    std::FILE* m_file;
    CliHost m_host;
};

// A JIS X 0212 character lost on reading was reported again, with the bytes reading left in its
// place, when writing to a Unicode code lost those bytes too. The trace is let through once per
// character read, and only in the file it was read from.
TEST(LossReport, AJisX0212CharacterLostOnReadingIsNotReportedAgainOnWriting) {
    struct Case {
        const char* read;     // the loss on reading, into Shift-JIS
        const char* written;  // a loss on writing, into UTF-8
        int count;            // the losses counted for the file
    } cases[] = {
        {"bytes 8F AB B1 (JIS X 0212)", "bytes 86 50", 1},  // from EUC-JP
        {"bytes 22 31 (JIS X 0212)", "bytes 81 AF", 1},     // from JIS
        {"bytes 8F AB B1 (JIS X 0212)", "bytes EB 81", 2},  // another character
        {"😀 (U+1F600)", "bytes 86 50", 2},                  // no JIS X 0212 read
    };
    for (const Case& c : cases) {
        Printed printed;
        LossReport losses(printed.Host());
        losses.Add("in.euc", 2, 2, c.read, "Shift-JIS");
        losses.Add("in.euc", 2, 2, c.written, "UTF-8");
        EXPECT_EQ(losses.Count("in.euc"), c.count) << c.read << " / " << c.written;
        // The trace stands for one character: a second one is reported.
        losses.Add("in.euc", 3, 1, c.written, "UTF-8");
        EXPECT_EQ(losses.Count("in.euc"), c.count + 1) << c.read << " / " << c.written;
        // In another file the same bytes are a loss of their own.
        losses.Add("other.txt", 1, 1, c.written, "UTF-8");
        EXPECT_EQ(losses.Count("other.txt"), 1);
        EXPECT_NE(printed.Text().find("in.euc:2:2: lost: " + std::string(c.read)),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace qb
