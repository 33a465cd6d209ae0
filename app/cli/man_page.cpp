#include "app/cli/man_page.h"

#include "app/cli/command_help.h"
#include "app/cli/option_table.h"

namespace qb {

namespace {

std::string Bold(std::string_view text) {
    return "\\fB" + RoffEscape(text) + "\\fR";
}

std::string Italic(std::string_view text) {
    return "\\fI" + RoffEscape(text) + "\\fR";
}

std::string OptionEntry(const OptionHelp& option) {
    std::string head = ".TP\n";
    if (!option.shortName.empty()) head += Bold(option.shortName) + ", ";
    head += Bold(option.longName);
    if (!option.valueName.empty()) head += " " + Italic(option.valueName);
    return head + "\n" + RoffEscape(option.text) + "\n";
}

// One macro command: its usage, summary, description, arguments, settings and example.
std::string CommandEntry(const CommandHelp& help) {
    const MacroCommand& command = *FindMacroCommand(help.name);
    std::string text = ".TP\n" + Bold(command.name);
    if (!command.usage.empty()) text += " " + Italic(command.usage);
    text += "\n" + RoffEscape(help.about) + "\n";
    std::string_view args = help.args;
    while (!args.empty()) {
        const std::size_t end = args.find('\n');
        const std::string_view line = args.substr(0, end);
        const std::size_t gap = line.find("  ");
        text +=
            ".br\n" + Italic(line.substr(0, gap)) + ": " + RoffEscape(line.substr(gap + 2)) + "\n";
        args.remove_prefix(end == std::string_view::npos ? args.size() : end + 1);
    }
    if (!help.settings.empty()) text += ".br\nSettings: " + RoffEscape(help.settings) + "\n";
    return text + ".br\nExample: " + RoffEscape(ExampleCommandLine(help)) + "\n";
}

}  // namespace

std::string RoffEscape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else if ((c == '.' || c == '\'') && (out.empty() || out.back() == '\n'))
            out += "\\&" + std::string(1, c);
        else
            out += c;
    }
    return out;
}

std::string ManPageText(std::string_view version) {
    std::string page = ".\\\" Generated from qbay's option and command tables; do not edit.\n";
    page += ".TH QBAY 1 \"\" \"Quillbay " + std::string(version) + "\" \"User Commands\"\n";
    page += ".SH NAME\nqbay \\- convert and reshape Japanese text from the command line\n";
    page += ".SH SYNOPSIS\n.B qbay\n[\\fIOPTION\\fR]... [\\fIFILE\\fR]...\n";
    page += ".SH DESCRIPTION\n" + RoffEscape(CliIntroText()) + "\n";
    page += ".SH OPTIONS\n";
    std::string_view group;
    for (const OptionHelp& option : CliOptionTable()) {
        if (option.group != group) {
            group = option.group;
            page += ".SS " + RoffEscape(group) + "\n";
        }
        page += OptionEntry(option);
    }
    page += ".SH MACRO LINES\n" + RoffEscape(MacroLineNotes()) + "\n";
    page += ".SH MACRO COMMANDS\n";
    for (const HelpTopic topic : HelpTopics()) {
        std::string heading(TopicName(topic));
        heading[0] = static_cast<char>(heading[0] - 'a' + 'A');
        page += ".SS " + heading + "\n";
        for (const CommandHelp& help : CommandHelps())
            if (help.topic == topic) page += CommandEntry(help);
    }
    page +=
        ".SH SETTINGS\nThe settings the macro commands read, with their defaults; "
        "\\fB\\-\\-set\\fR changes one for a run.\n";
    for (const SettingHelp& setting : CommandSettings())
        page += ".TP\n" + Bold(setting.key) + "\n" + RoffEscape(setting.meaning) + " (default " +
                RoffEscape(setting.defaultValue) + ")\n";
    page += ".SH EXIT STATUS\n" + RoffEscape(ExitStatusNotes()) + "\n";
    page +=
        ".SH ENVIRONMENT\n.TP\n.B QUILLBAY_SETTINGS\nthe settings file to read instead of "
        "the per-user one\n.TP\n.B XDG_CONFIG_HOME\nwhere the per-user settings live "
        "(~/.config when unset)\n.TP\n.BR LC_ALL \", \" LC_MESSAGES \", \" LANG\nthe language "
        "of the messages: Japanese when the first of them that is set begins with ja\n";
    page +=
        ".SH FILES\n.TP\n.I ~/.config/VelmoLabs/Quillbay/settings.ini\nthe settings, shared "
        "with the desktop program quillbay (qbay only reads them)\n";
    page += ".SH EXAMPLES\n.nf\n" + RoffEscape(CliExamplesText()) + ".fi\n";
    page += ".SH SEE ALSO\n.BR nkf (1),\n.BR iconv (1),\n.BR fold (1),\n.BR sed (1)\n";
    return page;
}

}  // namespace qb
