#include "macro/macro_args.h"

#include "convert/cp932.h"
#include "macro/escape.h"

namespace qb {

MacroArgs ReadMacroArgs(const MacroLineTokens& tokens, std::string_view forms) {
    MacroArgs args;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        const char form = forms[i];
        if (form == 'p') {
            // The rest of the line is there only when an argument token is.
            if (tokens.argCount > 0)
                args.Add(MacroValue::Text(SjisToUtf8(tokens.rest)));
            else
                args.Add({});
            continue;
        }
        if (!tokens.HasArg(i)) {
            args.Add({});
            continue;
        }
        const std::string_view token = tokens.Arg(i);
        switch (form) {
            case 'n':
            case 'N':
                args.Add(MacroValue::Int(ParseMacroInt(token)));
                break;
            case 's':
            case 'x':
                args.Add(MacroValue::Text(UnescapeMacroArg(token)));
                break;
            case 'f':
                args.Add(MacroValue::Text(SjisToUtf8(UnescapeMacroArg(token))));
                break;
            default:  // 'r'
                args.Add(MacroValue::Text(std::string(token)));
                break;
        }
    }
    return args;
}

bool HasRequiredArgs(const MacroArgs& args, std::string_view forms) {
    for (std::size_t i = 0; i < forms.size(); ++i)
        if (forms[i] == 'N' && !args.Has(i)) return false;
    return true;
}

std::string WriteMacroArg(const MacroValue& value, char form) {
    switch (form) {
        case 'n':
        case 'N':
            return std::to_string(value.number);
        case 's':
            return EscapeTypedMacroArg(value.text);
        case 'x':
            return EscapeMacroArgExact(value.text);
        case 'f':
            return EscapeMacroArgExact(Utf8ToCp932(value.text));
        case 'p':
            return Utf8ToCp932(value.text);
        default:  // 'r'
            return value.text;
    }
}

MacroValue OperationValue(const MacroValue& dialogValue, char form) {
    if (form != 's') return dialogValue;
    MacroValue value = dialogValue;
    value.text = UnescapeMacroArg(dialogValue.text);
    return value;
}

std::string FormatMacroLine(std::string_view name, const std::vector<MacroValue>& values,
                            std::string_view forms) {
    std::string line(name);
    for (std::size_t i = 0; i < forms.size() && i < values.size(); ++i) {
        line += ' ';
        line += WriteMacroArg(values[i], forms[i]);
    }
    return line;
}

}  // namespace qb
