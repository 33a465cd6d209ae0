// What qbay says about the characters a run lost in code conversions: the first few of each
// file with their place ("notes.txt:3:5: lost: 😀 (U+1F600) (no form in Shift-JIS)"), then how
// many more. Each file's count decides whether -i may write it back (only with --lossy).
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "app/cli/cli_host.h"

namespace qb {

class LossReport {
public:
    explicit LossReport(CliHost& host) : m_host(host) {}

    // A character of `file` (a file name, "standard output", "-e 'LINE'") that had no form in
    // the code `into`; `line` and `column` from 1, 0 when the place is not known. What a JIS X
    // 0212 character lost on reading left in the text (reading takes it by the JIS X 0208
    // arithmetic, often to a code that is no character) is not reported again when writing
    // `file` loses it: the character was reported once, where it was read.
    void Add(const std::string& file, long line, std::size_t column, std::string_view what,
             std::string_view into);
    // The file being read (a FILE, "standard input"; "" between files). What writing its
    // document elsewhere loses is named after it (DocumentOutput::LossName), not after the file
    // written, which may be /dev/null.
    void SetSource(std::string name) { m_source = std::move(name); }
    const std::string& Source() const { return m_source; }
    // Says how many more characters of `file` were lost than were shown, and starts it over.
    void Finish(const std::string& file);
    // How many characters of `file` were lost.
    int Count(const std::string& file) const;

    static constexpr int kShownPerFile = 3;

private:
    CliHost& m_host;
    std::map<std::string, int> m_counts;
    // Per file, what lost JIS X 0212 characters left in the text ("bytes 86 50"), one entry
    // per character.
    std::map<std::string, std::multiset<std::string>> m_traces;
    std::string m_source;
};

}  // namespace qb
