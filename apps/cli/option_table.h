#pragma once
// The commands of orrerion-cli and their options, each option declared once in a table that both
// reads the command line and writes the help (the manual page is written from the help) and the
// bash completion.
//
// To add an option: add a row to the command's own table in command_table.cpp (or to a group that
// several commands share), with its name, its value's word (empty for a flag, in brackets when the
// value may be left out, words joined by | when it takes one of them) and its help; then read it
// by name where the command reads its other options.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orrerion::cli {

using Args = std::vector<std::string>;

// Whether an option appears in its command's usage line.
enum class InUsage {
    No,        // only in the command's list of options
    Plain,     // "--jd JD": the command needs it (or one of its alternatives)
    Bracketed  // "[--days TEXT]"
};

struct OptionRow {
    std::string_view name;   // "--days"
    std::string_view value;  // "N", "FILE", "builtin|precise"; "" for a flag; "[FILE]" when optional
    std::string_view help;   // one or more sentences; the help wraps them
    InUsage usage = InUsage::No;

    bool TakesValue() const { return !value.empty(); }
    bool ValueOptional() const { return value.starts_with('['); }
    // The value's word without the brackets of an optional value: "FILE".
    std::string_view ValueWord() const;
};

// Options under one heading of a command's help: the command's own (no title) or a group that
// several commands share ("Chart options").
struct OptionGroup {
    std::string_view title;
    std::span<const OptionRow> options;
    bool inUsage = true;  // false: none of them appears in the usage line (wheel's return options)
};

struct CommandRow {
    std::string_view name;         // "scan"
    std::string_view operands;     // the words after the options in the usage line: "FILE RECORD"; "" for none
    std::string_view summary;      // one line for the list of commands
    std::string_view description;  // paragraphs, lines joined by '\n'
    std::span<const OptionGroup> groups;
    std::span<const std::string_view> examples;  // whole command lines, run by the tests
    std::size_t maxOperands = 0;
};

// Text composed at compile time from one of the program's tables (the house systems' codes, the
// aspect families' words), kept in an array so that a row's string_view can point into it:
// `inline constexpr auto Words = FrozenText<ComposeWords>();` then `TextOf(Words)`. A composer
// appends to a TextBuilder, which first counts the characters and then writes them (std::string
// cannot be used in constant expressions by every compiler the program is built with).
class TextBuilder {
public:
    constexpr explicit TextBuilder(char* out = nullptr) : out_(out) {}
    constexpr TextBuilder& operator+=(std::string_view text) {
        for (const char c : text) *this += c;
        return *this;
    }
    constexpr TextBuilder& operator+=(char c) {
        if (out_) out_[size_] = c;
        ++size_;
        return *this;
    }
    constexpr bool empty() const { return size_ == 0; }
    constexpr std::size_t size() const { return size_; }

private:
    char* out_;
    std::size_t size_ = 0;
};
template <void (*Compose)(TextBuilder&)>
constexpr std::size_t ComposedSize() {
    TextBuilder counter;
    Compose(counter);
    return counter.size();
}
template <void (*Compose)(TextBuilder&)>
constexpr auto FrozenText() {
    std::array<char, ComposedSize<Compose>()> chars{};
    TextBuilder writer(chars.data());
    Compose(writer);
    return chars;
}
template <std::size_t N>
constexpr std::string_view TextOf(const std::array<char, N>& chars) {
    return {chars.data(), N};
}

// Every command, in the order the overview lists them.
std::span<const CommandRow> Commands();
const CommandRow* FindCommand(std::string_view name);

// One option as read from the command line.
struct GivenOption {
    const OptionRow* row = nullptr;
    std::string value;       // "" for a flag or an optional value left out
    bool hasValue = false;
    std::string_view Name() const { return row->name; }
};

struct CommandLine {
    std::vector<GivenOption> options;  // in their order on the command line
    std::vector<std::string> operands;
};

// Reads `args` (the words after the command's name) by the command's table. "--name=value" and
// "--name value" are one; a value may begin with '-' ("--lon -74.0"); an optional value is taken
// from "=value" or from a next word that is not an option ("-" counts as a value). After "--"
// every word is an operand. Returns the problem for an unknown option, a missing value, a value
// given to a flag or an operand too many.
std::variant<CommandLine, std::string> ReadCommandLine(const CommandRow& command, const Args& args);

// Whether the words before any "--" ask for help (--help or -h).
bool AsksForHelp(const Args& args);

// The help of one command: usage, description, its options by group and its examples.
std::string CommandHelp(const CommandRow& command);
// The help of the program: usage, the commands with their usage lines, how options are written,
// output files, files, environment and exit status.
std::string OverviewHelp();
// The bash completion script: command names, each command's options and the words or files
// their values take.
std::string BashCompletion();

}  // namespace orrerion::cli
