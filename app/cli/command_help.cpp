#include "app/cli/command_help.h"

#include <algorithm>

#include "convert/cp932.h"

namespace qb {

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = Lower(c);
    return out;
}

bool Contains(std::string_view text, std::string_view lowerWord) {
    return Lowered(text).find(lowerWord) != std::string::npos;
}

// The edit distance of two names (insertions, deletions, substitutions and swaps of neighbours
// each cost one).
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// Columns of UTF-8 text on a terminal: one per character, two for the wide ones (CJK and
// full-width forms, which is what help texts hold).
std::size_t TerminalWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c & 0xC0) == 0x80) continue;
        width += c >= 0xE3 && c <= 0xEF &&
                         !(c == 0xEF && i + 1 < utf8.size() &&
                           static_cast<unsigned char>(utf8[i + 1]) >= 0xBD)
                     ? 2
                     : 1;
    }
    return width;
}

// `text` folded at spaces into lines of at most `width` columns, each after `indent`.
std::string Fold(std::string_view text, std::size_t indent, std::size_t width) {
    std::string out;
    const std::string pad(indent, ' ');
    while (!text.empty()) {
        std::size_t cut = text.size();
        if (TerminalWidth(text) > width - indent) {
            cut = text.rfind(' ', width - indent);
            if (cut == std::string_view::npos || cut == 0) cut = text.find(' ');
            if (cut == std::string_view::npos) cut = text.size();
        }
        out += pad;
        out.append(text.substr(0, cut));
        out += '\n';
        text.remove_prefix(std::min(text.size(), cut + 1));
    }
    return out;
}

// "  NAME USAGE" padded to a column, then the summary, folded.
std::string ListLine(const MacroCommand& command) {
    constexpr std::size_t kColumn = 36;
    std::string left = "  ";
    left += command.name;
    if (!command.usage.empty()) {
        left += ' ';
        left += command.usage;
    }
    if (left.size() < kColumn)
        left.resize(kColumn, ' ');
    else
        left += "\n" + std::string(kColumn, ' ');
    std::string folded = Fold(command.summary, kColumn, 92);
    return left + folded.substr(kColumn);
}

// A macro line as a shell word: quoted when it holds anything the shell would read.
std::string ShellWord(std::string_view line) {
    const bool plain = std::all_of(line.begin(), line.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '.' || c == '/' || c == '_';
    });
    return plain ? std::string(line) : "'" + std::string(line) + "'";
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string ExampleLines(std::string_view label, std::string_view text, bool quoted) {
    std::string out;
    bool first = true;
    for (const std::string_view line : SplitLines(text)) {
        out += first ? "  " + std::string(label) : std::string(2 + label.size(), ' ');
        out += quoted ? "\"" + std::string(line) + "\"\n" : std::string(line) + "\n";
        first = false;
    }
    return out;
}

std::string_view CountingText(Counting counting) {
    switch (counting) {
        case Counting::Columns:
            return "Columns count bytes from 1 (column 1 is the first byte); a full-width "
                   "character takes two columns.";
        case Counting::Widths:
            return "Widths count bytes; a full-width character takes two columns.";
        case Counting::LineNumbers:
            return "Lines count from 1 (the first line is line 1).";
        case Counting::LineIndexes:
            return "Lines count from 0 here (the first line is line 0).";
        default:
            return {};
    }
}

const MacroCommand& MacroOf(const CommandHelp& help) {
    return *FindMacroCommand(help.name);
}

}  // namespace

const CommandHelp* FindCommandHelp(std::string_view name) {
    const std::string lower = Lowered(name);
    for (const CommandHelp& help : CommandHelps())
        if (Lowered(help.name) == lower) return &help;
    return nullptr;
}

const std::vector<HelpTopic>& HelpTopics() {
    static const std::vector<HelpTopic> topics = {
        HelpTopic::Width,   HelpTopic::CaseKana,    HelpTopic::Codes, HelpTopic::Wrapping,
        HelpTopic::Columns, HelpTopic::Whitespace,  HelpTopic::Lines, HelpTopic::Replace,
        HelpTopic::Files,   HelpTopic::TargetLines,
    };
    return topics;
}

std::string_view TopicName(HelpTopic topic) {
    switch (topic) {
        case HelpTopic::Width:
            return "width";
        case HelpTopic::CaseKana:
            return "case and kana";
        case HelpTopic::Codes:
            return "codes";
        case HelpTopic::Wrapping:
            return "wrapping";
        case HelpTopic::Columns:
            return "columns";
        case HelpTopic::Whitespace:
            return "whitespace";
        case HelpTopic::Lines:
            return "lines";
        case HelpTopic::Replace:
            return "replace";
        case HelpTopic::Files:
            return "files";
        case HelpTopic::TargetLines:
            return "target lines";
    }
    return {};
}

std::vector<std::string_view> NearestCommandNames(std::string_view name) {
    const std::string lower = Lowered(name);
    if (lower.empty()) return {};
    // The nearest misspellings; when nothing is near, the names that hold what was typed.
    std::size_t best = std::clamp<std::size_t>(lower.size() / 3, 1, 3);
    std::vector<std::string_view> nearest, holding;
    for (const MacroCommand& command : MacroCommands()) {
        const std::string candidate = Lowered(command.name);
        const std::size_t distance = EditDistance(lower, candidate);
        if (distance < best) nearest.clear();
        if (distance <= best) {
            best = distance;
            nearest.push_back(command.name);
        } else if (lower.size() >= 3 && candidate.find(lower) != std::string::npos) {
            holding.push_back(command.name);
        }
    }
    std::vector<std::string_view>& names = nearest.empty() ? holding : nearest;
    if (names.size() > 3) names.resize(3);
    return names;
}

std::string DidYouMean(std::string_view name) {
    const auto names = NearestCommandNames(name);
    if (names.empty()) return {};
    std::string text = " (did you mean ";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " or " : ", ";
        text += names[i];
    }
    return text + "?)";
}

std::string CommandListText(std::string_view word) {
    const std::string lower = Lowered(word);
    std::string text;
    for (const HelpTopic topic : HelpTopics()) {
        std::string section;
        for (const CommandHelp& help : CommandHelps()) {
            if (help.topic != topic) continue;
            const MacroCommand& command = MacroOf(help);
            if (!lower.empty() && !Contains(command.name, lower) &&
                !Contains(command.summary, lower) && !Contains(TopicName(topic), lower) &&
                !Contains(help.about, lower))
                continue;
            section += ListLine(command);
        }
        if (section.empty()) continue;
        std::string heading(TopicName(topic));
        heading[0] = static_cast<char>(heading[0] - 'a' + 'A');
        text += (text.empty() ? "" : "\n") + heading + ":\n" + section;
    }
    return text;
}

std::string CommandHelpPage(const CommandHelp& help) {
    const MacroCommand& command = MacroOf(help);
    std::string line(command.name);
    if (!command.usage.empty()) line += " " + std::string(command.usage);
    std::string text = "Usage: qbay -e " + ShellWord(line) + " [FILE]...      (" +
                       std::string(TopicName(help.topic)) + ")\n\n";
    text += Fold(help.about, 2, 92);

    if (!help.args.empty()) {
        text += "\nArguments:\n";
        for (const std::string_view line : SplitLines(help.args)) {
            const std::size_t gap = line.find("  ");
            std::string name(line.substr(0, gap));
            name.resize(std::max<std::size_t>(name.size() + 2, 14), ' ');
            const std::string folded = Fold(line.substr(gap + 2), 2 + name.size(), 92);
            text += "  " + name + folded.substr(2 + name.size());
        }
    } else {
        text += "\nArguments: none.\n";
    }
    if (const std::string_view counting = CountingText(help.counting); !counting.empty())
        text += Fold(counting, 0, 92);

    if (!help.settings.empty()) {
        text += "\nSettings it reads (change one for a run with --set SECTION/NAME=VALUE):\n";
        std::string_view keys = help.settings;
        while (!keys.empty()) {
            const std::size_t space = keys.find(' ');
            const std::string_view key = keys.substr(0, space);
            keys.remove_prefix(space == std::string_view::npos ? keys.size() : space + 1);
            for (const SettingHelp& setting : CommandSettings()) {
                if (setting.key != key) continue;
                std::string name(key);
                name.resize(std::max<std::size_t>(name.size() + 2, 20), ' ');
                const std::string line =
                    std::string(setting.meaning) + "; default " + std::string(setting.defaultValue);
                text += "  " + name + Fold(line, 2 + name.size(), 92).substr(2 + name.size());
            }
        }
    }

    text += "\nExample:\n  " + ExampleCommandLine(help) + "\n";
    text += ExampleLines("before  ", help.before, help.checked);
    text += ExampleLines("after   ", help.after, help.checked);
    if (help.before.find('{') != std::string_view::npos ||
        help.after.find('{') != std::string_view::npos)
        text += "  ({1B 24} stands for bytes written in hexadecimal.)\n";
    return text;
}

std::string ExampleCommandLine(const CommandHelp& help) {
    std::string text = "qbay";
    for (const std::string_view line : SplitLines(help.example))
        text += " -e " + ShellWord(line);
    return text + " FILE";
}

std::string ExampleBytes(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        const std::size_t open = text.find('{');
        out += Utf8ToCp932(text.substr(0, open));
        if (open == std::string_view::npos) break;
        const std::size_t close = text.find('}', open);
        std::string_view hex = text.substr(open + 1, close - open - 1);
        while (!hex.empty()) {
            if (hex[0] == ' ') {
                hex.remove_prefix(1);
                continue;
            }
            out += static_cast<char>(std::stoi(std::string(hex.substr(0, 2)), nullptr, 16));
            hex.remove_prefix(std::min<std::size_t>(2, hex.size()));
        }
        text.remove_prefix(close + 1);
    }
    return out;
}

}  // namespace qb
