#include "app/cli/bash_completion.h"

#include "app/cli/command_help.h"
#include "app/cli/option_table.h"

namespace qb {

namespace {

// The options whose value is of `kind`, as a case pattern ("-e|--exec").
std::string OptionsTaking(OptionValue kind) {
    std::string pattern;
    for (const OptionHelp& option : CliOptionTable()) {
        if (option.value != kind) continue;
        for (const std::string_view name : {option.shortName, option.longName}) {
            if (name.empty()) continue;
            if (!pattern.empty()) pattern += '|';
            pattern += name;
        }
    }
    return pattern;
}

}  // namespace

std::string BashCompletionText() {
    std::string options, commands, settings;
    for (const OptionHelp& option : CliOptionTable()) {
        for (const std::string_view name : {option.shortName, option.longName})
            if (!name.empty())
                options += std::string(options.empty() ? "" : " ") + std::string(name);
    }
    for (const MacroCommand& command : MacroCommands())
        commands += std::string(commands.empty() ? "" : " ") + std::string(command.name);
    for (const SettingHelp& setting : CommandSettings())
        settings += std::string(settings.empty() ? "" : " ") + std::string(setting.key) + "=";

    std::string script =
        "# bash completion for qbay; generated from its option and command tables.\n"
        "_qbay() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=\n"
        "    [ \"$COMP_CWORD\" -gt 0 ] && prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    local options='" +
        options +
        "'\n"
        "    local commands='" +
        commands +
        "'\n"
        "    case $prev in\n";
    const auto branch = [&](OptionValue kind, const std::string& action) {
        const std::string pattern = OptionsTaking(kind);
        if (!pattern.empty())
            script +=
                "        " + pattern + ")\n            " + action + "\n            return ;;\n";
    };
    // Command names are read in any case, so "zenh" completes to ZenToHan when nothing matches
    // as typed.
    branch(OptionValue::Command,
           "COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n"
           "            if [ ${#COMPREPLY[@]} -eq 0 ]; then\n"
           "                local word\n"
           "                for word in $commands; do\n"
           "                    [[ ${word,,} == \"${cur,,}\"* ]] && COMPREPLY+=(\"$word\")\n"
           "                done\n"
           "            fi");
    branch(OptionValue::MacroFile,
           "COMPREPLY=($(compgen -f -X '!*.[qQ][mM][cC]' -- \"$cur\") $(compgen -d -- \"$cur\"))");
    branch(OptionValue::File, "COMPREPLY=($(compgen -f -- \"$cur\"))");
    branch(OptionValue::Setting, "COMPREPLY=($(compgen -W '" + settings +
                                     "' -- \"$cur\")); compopt -o nospace 2>/dev/null");
    branch(OptionValue::Text, "COMPREPLY=()");
    branch(OptionValue::Word, "COMPREPLY=()");
    for (const OptionValue kind :
         {OptionValue::Code, OptionValue::OutputCode, OptionValue::LineEnd})
        if (const std::string_view words = OptionValueWords(kind); !words.empty())
            branch(kind, "COMPREPLY=($(compgen -W '" + std::string(words) + "' -- \"$cur\"))");
    script +=
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
        "    else\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "    fi\n"
        "}\n"
        "complete -o filenames -o bashdefault -F _qbay qbay\n";
    return script;
}

}  // namespace qb
