// What qbay says about the characters a run lost in code conversions: the first few of each
// file with their place ("notes.txt:3:5: lost: 😀 (U+1F600) (no form in Shift-JIS)"), then how
// many more. Each file's count decides whether -i may write it back (only with --lossy).
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "app/cli/cli_host.h"

namespace qb {

class LossReport {
public:
    explicit LossReport(CliHost& host) : m_host(host) {}

    // A character of `file` (a file name, "standard output", "-e 'LINE'") that had no form in
    // the code `into`; `line` and `column` from 1, 0 when the place is not known.
    void Add(const std::string& file, long line, std::size_t column, std::string_view what,
             std::string_view into);
    // Says how many more characters of `file` were lost than were shown, and starts it over.
    void Finish(const std::string& file);
    // How many characters of `file` were lost.
    int Count(const std::string& file) const;

    static constexpr int kShownPerFile = 3;

private:
    CliHost& m_host;
    std::map<std::string, int> m_counts;
};

}  // namespace qb
