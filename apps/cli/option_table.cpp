#include "option_table.h"

#include <algorithm>

namespace orrerion::cli {
namespace {

constexpr std::string_view Program = "orrerion-cli";
constexpr std::size_t HelpWidth = 79;
// Where an option's help starts in its list: "  --at-place-index N   the ...".
constexpr std::size_t HelpColumn = 24;

const OptionRow* FindOption(const CommandRow& command, std::string_view name) {
    for (const OptionGroup& group : command.groups) {
        for (const OptionRow& option : group.options) {
            if (option.name == name) return &option;
        }
    }
    return nullptr;
}

bool LooksLikeOption(std::string_view word) { return word.size() > 1 && word.front() == '-'; }

std::string OptionWithValue(const OptionRow& option) {
    std::string text(option.name);
    if (option.TakesValue()) text += " " + std::string(option.value);
    return text;
}

// Appends `words` to `out`, whose last line they continue, as lines no wider than HelpWidth, each
// after the first indented by `indent` spaces.
void AppendWrapped(std::string& out, const std::vector<std::string>& words, std::size_t indent) {
    const std::size_t lineStart = out.rfind('\n');
    std::size_t column = out.size() - (lineStart == std::string::npos ? 0 : lineStart + 1);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0 && column + 1 + words[i].size() > HelpWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (i > 0) {
            out += ' ';
            ++column;
        }
        out += words[i];
        column += words[i].size();
    }
}

// The pieces of a usage line after the program's name: the command, its operands, the options
// it shows and [OPTIONS] for the rest.
std::vector<std::string> UsageWords(const CommandRow& command) {
    std::vector<std::string> words{std::string(command.name)};
    if (!command.operands.empty()) words.emplace_back(command.operands);
    bool more = false;
    for (const InUsage shown : {InUsage::Plain, InUsage::Bracketed}) {
        for (const OptionGroup& group : command.groups) {
            for (const OptionRow& option : group.options) {
                if (!group.inUsage || option.usage == InUsage::No) {
                    more = true;
                } else if (option.usage == shown) {
                    words.push_back(shown == InUsage::Plain ? OptionWithValue(option)
                                                            : "[" + OptionWithValue(option) + "]");
                }
            }
        }
    }
    if (more) words.emplace_back("[OPTIONS]");
    return words;
}

// The words of a text, split at blanks and line ends outside double quotes.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \n", at);
        if (start == std::string_view::npos) break;
        // A quoted text ("Name,dd mmm yyyy,...") stays on one line.
        const std::size_t close = text[start] == '"' ? text.find('"', start + 1) : start;
        const std::size_t end =
            std::min(text.find_first_of(" \n", close == std::string_view::npos ? start : close), text.size());
        words.emplace_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

// "  --days TEXT           the answer ...", the help wrapped below itself.
void AppendOption(std::string& out, const OptionRow& option) {
    std::string head = "  " + OptionWithValue(option);
    if (head.size() + 2 > HelpColumn) {
        out += head + "\n";
        head.clear();
    }
    head.resize(HelpColumn, ' ');
    out += head;
    AppendWrapped(out, Words(option.help), HelpColumn);
    out += '\n';
}

// The words of a value a completion offers: "builtin|precise" gives both; other values none.
std::vector<std::string_view> ValueChoices(std::string_view value) {
    std::vector<std::string_view> choices;
    if (value.find('|') == std::string_view::npos) return choices;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t bar = std::min(value.find('|', start), value.size());
        choices.push_back(value.substr(start, bar - start));
        start = bar + 1;
    }
    return choices;
}

}  // namespace

std::string_view OptionRow::ValueWord() const {
    if (ValueOptional() && value.size() >= 2) return value.substr(1, value.size() - 2);
    return value;
}

const CommandRow* FindCommand(std::string_view name) {
    for (const CommandRow& command : Commands()) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

std::variant<CommandLine, std::string> ReadCommandLine(const CommandRow& command, const Args& args) {
    CommandLine line;
    bool operandsOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (operandsOnly || !LooksLikeOption(word)) {
            if (line.operands.size() >= command.maxOperands) {
                return "unexpected argument \"" + word + "\" (try --help)";
            }
            line.operands.push_back(word);
            continue;
        }
        if (word == "--") {
            operandsOnly = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const OptionRow* row = word.starts_with("--") ? FindOption(command, name) : nullptr;
        if (!row) return "unknown option \"" + name + "\" (try --help)";
        GivenOption given{row, {}, false};
        if (equals != std::string::npos) {
            if (!row->TakesValue()) return "option " + name + " takes no value";
            given.value = word.substr(equals + 1);
            given.hasValue = true;
        } else if (row->ValueOptional()) {
            if (i + 1 < args.size() && (!LooksLikeOption(args[i + 1]) || args[i + 1] == "-")) {
                given.value = args[++i];
                given.hasValue = true;
            }
        } else if (row->TakesValue()) {
            if (i + 1 >= args.size()) return "option " + name + " needs a value";
            given.value = args[++i];
            given.hasValue = true;
        }
        line.options.push_back(std::move(given));
    }
    return line;
}

bool AsksForHelp(const Args& args) {
    for (const std::string& a : args) {
        if (a == "--") return false;
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

std::string CommandHelp(const CommandRow& command) {
    std::string out = "Usage: " + std::string(Program) + " ";
    AppendWrapped(out, UsageWords(command), out.size() + command.name.size() + 1);
    out += "\n\n";
    AppendWrapped(out, Words(command.description), 0);
    out += "\n";
    for (const OptionGroup& group : command.groups) {
        out += "\n" + std::string(group.title.empty() ? "Options" : group.title) + ":\n";
        for (const OptionRow& option : group.options) AppendOption(out, option);
    }
    out += "  --help                the help of this command\n";
    if (!command.examples.empty()) {
        out += "\nExamples:\n";
        for (std::string_view example : command.examples) out += "  " + std::string(example) + "\n";
    }
    out += "\nOutput files, the data folder and the exit status: " + std::string(Program) + " --help.\n";
    return out;
}

std::string OverviewHelp() {
    std::string out =
        "Usage: orrerion-cli COMMAND [OPTIONS] [--] [OPERANDS]\n"
        "       orrerion-cli COMMAND --help\n"
        "       orrerion-cli --version | --help\n"
        "\n"
        "The calculations of the Orrerion desktop program from the command line: the charts, the\n"
        "aspect scan with its report files and exports, the wheel and timeline pictures, returns,\n"
        "the sky's events, the names file and the atlas.\n"
        "\n"
        "Commands:\n";
    for (const CommandRow& command : Commands()) {
        out += "  ";
        AppendWrapped(out, UsageWords(command), command.name.size() + 3);
        out += "\n      " + std::string(command.summary) + "\n";
    }
    out +=
        "\n"
        "Each command's options, with examples: orrerion-cli COMMAND --help.\n"
        "\n"
        "Options are written --name VALUE or --name=VALUE, in any order; a value may begin with\n"
        "a minus (--lon -74.0). After -- every word is an operand. chart --json with no FILE, or\n"
        "followed by another option, prints the JSON on standard output as in earlier versions;\n"
        "that form will go in a later release: write --json - instead.\n"
        "\n"
        "An output FILE may be - for standard output (scan then prints no data lines), a\n"
        "character device or FIFO (written through, as /dev/null or /dev/stdout), or a\n"
        "symbolic link (the file it leads to is replaced; the link stays). A replaced file\n"
        "keeps its mode and, where the program may keep it, its owner.\n"
        "\n"
        "Files:\n"
        "  The data folder is orrerion-cli's own folder or its data/ folder when that holds\n"
        "  OPTIONS.OPT (a build, or a copy kept in one folder), else the user's data folder\n"
        "  $XDG_DATA_HOME/Orrerion/Orrerion or ~/.local/share/Orrerion/Orrerion, which is created\n"
        "  and filled from the shipped files on first use without overwriting a file. In it:\n"
        "  OPTIONS.OPT   the options the calculating commands read (--options FILE instead)\n"
        "  SETTINGS.TXT  the choices OPTIONS.OPT has no line for: the ephemeris (builtin or\n"
        "                precise) used without --ephemeris, the wheel's rings and orientation,\n"
        "                the timeline's families; one \"key = value\" a line\n"
        "  NAMES.FIL     the names file --natal-name and --diurnal-name read (--names FILE)\n"
        "  reports/      the 16 report files of scan and timeline (--reports DIR instead)\n"
        "  The JSON each command writes with --json is described by a schema in\n"
        "  share/doc/orrerion/json/COMMAND.schema.json under the installation prefix: keys are\n"
        "  snake_case; the camelCase keys of the timeline and wheel stay for this release beside\n"
        "  their snake_case names, marked deprecated.\n"
        "  The shipped data files are in share/orrerion/data/ and the atlas program the atlas\n"
        "  command and --place run is libexec/orrerion/ATLAS.EXE, under the installation prefix\n"
        "  (/usr for the Debian package); in a build, ATLAS.EXE is beside orrerion-cli.\n"
        "\n"
        "Environment:\n"
        "  ORRERION_SWE_PATH  the folder of the Swiss Ephemeris data files that precise\n"
        "                     positions read; unset, the library's own search path (on Debian\n"
        "                     /usr/share/libswe/ephe, after SE_EPHE_PATH when that is set)\n"
        "  XDG_DATA_HOME, HOME  where the user's data folder is\n"
        "\n"
        "Exit status:\n"
        "  0  success\n"
        "  1  a report file, data file or standard output could not be written or read, or the\n"
        "     atlas program could not be run\n"
        "  2  refused input (an unknown option, a missing or malformed value, input the checks\n"
        "     refuse) or a failed check\n";
    return out;
}

std::string BashCompletion() {
    std::string commands;
    for (const CommandRow& command : Commands()) commands += std::string(command.name) + " ";
    std::string out =
        "# bash completion for orrerion-cli, written by `orrerion-cli completion bash` from the\n"
        "# program's own table of options.\n"
        "_orrerion_cli() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} opts=\"\"\n"
        "    # --name=value: bash splits at the equals sign.\n"
        "    if [[ $cur == = ]]; then cur=\"\"; fi\n"
        "    if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then prev=${COMP_WORDS[COMP_CWORD-2]}; fi\n"
        "    if [[ $COMP_CWORD -eq 1 ]]; then\n"
        "        COMPREPLY=($(compgen -W \"" + commands + "--help --version\" -- \"$cur\"))\n"
        "        return\n"
        "    fi\n"
        "    case ${COMP_WORDS[1]} in\n";
    for (const CommandRow& command : Commands()) {
        out += "    " + std::string(command.name) + ")\n        case $prev in\n";
        std::vector<std::string> files, folders, free;
        std::string options;
        for (const OptionGroup& group : command.groups) {
            for (const OptionRow& option : group.options) {
                options += std::string(option.name) + " ";
                if (!option.TakesValue()) continue;
                const std::string_view word = option.ValueWord();
                const std::vector<std::string_view> choices = ValueChoices(word);
                if (!choices.empty()) {
                    std::string list;
                    for (std::string_view c : choices) list += (list.empty() ? "" : " ") + std::string(c);
                    out += "        " + std::string(option.name) + ") COMPREPLY=($(compgen -W \"" + list +
                           "\" -- \"$cur\")); return ;;\n";
                } else if (word.ends_with("FILE")) {
                    files.emplace_back(option.name);
                } else if (word == "DIR") {
                    folders.emplace_back(option.name);
                } else {
                    free.emplace_back(option.name);
                }
            }
        }
        const auto arm = [&](const std::vector<std::string>& names, const char* action) {
            if (names.empty()) return;
            std::string joined;
            for (const std::string& n : names) joined += (joined.empty() ? "" : "|") + n;
            out += "        " + joined + ") " + action + " return ;;\n";
        };
        arm(files, "COMPREPLY=($(compgen -f -- \"$cur\"));");
        arm(folders, "COMPREPLY=($(compgen -d -- \"$cur\"));");
        arm(free, "COMPREPLY=();");
        out += "        esac\n        opts=\"" + options + "--help\" ;;\n";
    }
    out +=
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$opts\" -- \"$cur\"))\n"
        "    else\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "    fi\n"
        "}\n"
        "complete -o filenames -F _orrerion_cli orrerion-cli\n";
    return out;
}

}  // namespace orrerion::cli
