// How orrerion-cli reads its command line from the one table of options, and what the table writes:
// each command's help with examples that run, the chart command's --json FILE beside its older
// flag, the bash completion and the manual page's sections.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "option_table.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using cli::CommandLine;
using testing::RunCli;

const std::string John = "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43";
const std::string Diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";

// "--name=value" for each option read, operands as they are, or the problem.
std::string Reading(const std::string& command, const cli::Args& args) {
    const cli::CommandRow* row = cli::FindCommand(command);
    if (!row) return "no command " + command;
    const std::variant<CommandLine, std::string> read = cli::ReadCommandLine(*row, args);
    if (const std::string* problem = std::get_if<std::string>(&read)) return "error: " + *problem;
    std::string text;
    for (const cli::GivenOption& o : std::get<CommandLine>(read).options) {
        text += (text.empty() ? "" : " ") + std::string(o.Name()) + (o.hasValue ? "=" + o.value : "");
    }
    for (const std::string& operand : std::get<CommandLine>(read).operands) {
        text += (text.empty() ? "[" : " [") + operand + "]";
    }
    return text;
}

struct ReadingCase {
    std::string command;
    cli::Args args;
    std::string expected;
};

TEST(CommandLine, ReadsEachOptionByTheTable) {
    const std::vector<ReadingCase> cases = {
        // --name=value and --name value are one; a value may begin with a minus.
        {"chart", {"--houses=K", "--lon", "-74.0", "--lat=-31.55"}, "--houses=K --lon=-74.0 --lat=-31.55"},
        {"scan", {"--days", "-5", "--reports", "--json"}, "--days=-5 --reports=--json"},
        {"chart", {"--name=a=b"}, "--name=a=b"},
        // chart --json takes a file, or stands alone (the earlier flag) at the end or before an option.
        {"chart", {"--json"}, "--json"},
        {"chart", {"--json", "--houses", "P"}, "--json --houses=P"},
        {"chart", {"--json", "out.json", "--houses", "P"}, "--json=out.json --houses=P"},
        {"chart", {"--json", "-"}, "--json=-"},
        {"chart", {"--json=-x"}, "--json=-x"},
        // Other commands' --json always takes its file.
        {"wheel", {"--json", "--svg"}, "--json=--svg"},
        // After -- every word is an operand.
        {"names", {"add", "--", "-N.FIL", "--replace"}, "[add] [-N.FIL] [--replace]"},
        {"names", {"--replace", "add", "F", "R"}, "--replace [add] [F] [R]"},
        {"atlas", {"New", "York", "--date=1950-01-01"}, "--date=1950-01-01 [New] [York]"},
        // Refusals name the option.
        {"scan", {"--days"}, "error: option --days needs a value"},
        {"scan", {"--progress=yes"}, "error: option --progress takes no value"},
        {"chart", {"--bogus"}, "error: unknown option \"--bogus\" (try --help)"},
        {"chart", {"--bogus=1"}, "error: unknown option \"--bogus\" (try --help)"},
        {"chart", {"-x"}, "error: unknown option \"-x\" (try --help)"},
        {"chart", {"stray"}, "error: unexpected argument \"stray\" (try --help)"},
        {"ephemeris", {"--kinds", "station"}, "error: unknown option \"--kinds\" (try --help)"},
        {"events", {"--body", "sun"}, "error: unknown option \"--body\" (try --help)"},
        {"names", {"add", "F", "R", "extra"}, "error: unexpected argument \"extra\" (try --help)"},
    };
    for (const ReadingCase& c : cases) {
        std::string shown = c.command;
        for (const std::string& a : c.args) shown += " " + a;
        EXPECT_EQ(Reading(c.command, c.args), c.expected) << shown;
    }
    EXPECT_TRUE(cli::AsksForHelp({"--natal", "x", "-h"}));
    EXPECT_FALSE(cli::AsksForHelp({"add", "--", "--help"}));
}

// Each option is declared once per command, as a long option, and every help line fits 79 columns
// but the examples, which are printed whole to be copied.
TEST(CommandLine, TheTableDeclaresEachOptionOnceAndTheHelpFits) {
    for (const cli::CommandRow& command : cli::Commands()) {
        std::set<std::string_view> names;
        for (const cli::OptionGroup& group : command.groups) {
            for (const cli::OptionRow& option : group.options) {
                EXPECT_TRUE(option.name.starts_with("--")) << command.name << " " << option.name;
                EXPECT_TRUE(names.insert(option.name).second) << command.name << " declares " << option.name << " twice";
                EXPECT_FALSE(option.help.empty()) << command.name << " " << option.name;
            }
        }
        EXPECT_GE(command.examples.size(), 1u) << command.name;
        EXPECT_LE(command.examples.size(), 2u) << command.name;
        const std::string help = cli::CommandHelp(command);
        std::size_t start = 0;
        while (start < help.size()) {
            const std::size_t end = std::min(help.find('\n', start), help.size());
            const std::string line = help.substr(start, end - start);
            if (!line.starts_with("  orrerion-cli ")) {
                EXPECT_LE(line.size(), 79u) << command.name << ": " << line;
            }
            start = end + 1;
        }
    }
}

// The words of an example as a shell reads them: blanks part them, double quotes keep them.
cli::Args ShellWords(const std::string& line) {
    cli::Args words;
    std::string word;
    bool quoted = false, any = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

std::vector<std::string> Examples(const std::string& help) {
    std::vector<std::string> examples;
    const std::size_t block = help.find("\nExamples:\n");
    if (block == std::string::npos) return examples;
    std::size_t start = block + 11;
    while (help.compare(start, 15, "  orrerion-cli ") == 0) {
        const std::size_t end = help.find('\n', start);
        examples.push_back(help.substr(start + 2, end - start - 2));
        start = end + 1;
    }
    return examples;
}

// Every command's help is its own, with one or two examples, and each example runs as printed,
// in an empty folder, the files it names written there.
TEST(CommandLine, EachCommandsHelpIsItsOwnAndItsExamplesRun) {
    const fs::path home = fs::current_path();
    std::set<std::string> helps;
    for (const cli::CommandRow& command : cli::Commands()) {
        const std::string name(command.name);
        const auto help = RunCli({name, "--help"});
        ASSERT_EQ(help.status, 0) << name;
        EXPECT_EQ(help.out.rfind("Usage: orrerion-cli " + name, 0), 0u) << help.out.substr(0, 80);
        EXPECT_TRUE(helps.insert(help.out).second) << name << "'s help is another command's";
        const std::vector<std::string> examples = Examples(help.out);
        EXPECT_EQ(examples.size(), command.examples.size()) << name;
        const fs::path dir = testing::MakeTempDir() / name;
        fs::create_directories(dir);
        fs::current_path(dir);
        for (const std::string& example : examples) {
            cli::Args args = ShellWords(example);
            ASSERT_EQ(args.front(), "orrerion-cli");
            args.erase(args.begin());
            const auto run = RunCli(args);
            if (name == "atlas" && run.status == 1 && run.err.find("cannot find") != std::string::npos) {
                std::printf("[ skipped  ] %s: the atlas program is not built\n", example.c_str());
                continue;
            }
            EXPECT_EQ(run.status, 0) << example << "\n" << run.err;
            EXPECT_TRUE(!run.out.empty() || std::distance(fs::directory_iterator(dir), fs::directory_iterator()) > 0)
                << example << ": printed and wrote nothing";
            for (const std::string& word : args) {
                if (word.find('.') != std::string::npos && (word.ends_with(".json") || word.ends_with(".svg") ||
                                                            word.ends_with(".ics"))) {
                    EXPECT_GT(fs::file_size(dir / word), 0u) << example;
                }
            }
        }
        fs::current_path(home);
    }
    const auto overview = RunCli({"--help"});
    for (const cli::CommandRow& command : cli::Commands()) {
        EXPECT_NE(overview.out.find("\n  " + std::string(command.name) + " "), std::string::npos) << command.name;
    }
}

// chart --json FILE writes what the earlier flag prints; the flag still prints it at the end of
// the line or before another option, and "-" is standard output.
TEST(ChartCommand, JsonTakesAFileAndKeepsItsFlagForm) {
    const cli::Args chart = {"chart", "--natal", John, "--diurnal", Diurnal};
    auto with = [&](cli::Args extra) {
        cli::Args args = chart;
        args.insert(args.end(), extra.begin(), extra.end());
        return RunCli(args);
    };
    const auto flagLast = with({"--houses", "K", "--json"});
    ASSERT_EQ(flagLast.status, 0) << flagLast.err;
    ASSERT_EQ(flagLast.out.rfind("{\"NatalLong\": [", 0), 0u) << flagLast.out.substr(0, 80);
    EXPECT_EQ(with({"--json", "--houses", "K"}).out, flagLast.out);
    EXPECT_EQ(with({"--json", "-", "--houses=K"}).out, flagLast.out);
    const fs::path file = testing::MakeTempDir() / "chart.json";
    const auto toFile = with({"--json", file.string(), "--houses", "K"});
    EXPECT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(testing::ReadWholeFile(file), flagLast.out);
    const auto unwritable = with({"--json=" + (file.parent_path() / "missing" / "c.json").string()});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("missing"), std::string::npos) << unwritable.err;
    // Without --json, the summary as before; --houses=K reads as --houses K.
    EXPECT_EQ(with({"--houses=K"}).out, with({"--houses", "K"}).out);
}

// The completion offers each command, each command's options and the words an option's value
// takes, read from the same table.
TEST(Completion, OffersCommandsOptionsAndValueWords) {
    const auto script = RunCli({"completion", "bash"});
    ASSERT_EQ(script.status, 0) << script.err;
    const fs::path file = testing::MakeTempDir() / "orrerion-cli";
    testing::WriteWholeFile(file, script.out);
    struct Case { std::string words; int cword; std::string offered; };
    const std::vector<Case> cases = {
        {"orrerion-cli sc", 1, "scan"},
        {"orrerion-cli chart --hou", 2, "--houses"},
        {"orrerion-cli chart --houses ''", 3, "P K R O M"},
        {"orrerion-cli scan --ephemeris p", 3, "precise"},
        {"orrerion-cli scan --run", 2, "--run-events"},
        {"orrerion-cli wheel --orientation = a", 4, "ascendant aries"},
        {"orrerion-cli events --kinds ''", 3, ""},
        {"orrerion-cli ephemeris --th", 2, ""},
    };
    for (const Case& c : cases) {
        const std::string program = "source '" + file.string() + "'; COMP_WORDS=(" + c.words +
                                    "); COMP_CWORD=" + std::to_string(c.cword) +
                                    "; _orrerion_cli; echo \"${COMPREPLY[*]}\"";
        const auto r = testing::RunProgram("/bin/bash", {"-c", program});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.offered + "\n") << c.words;
    }
}

// The manual page is written from the help: an OPTIONS section with each command's help and the
// help's files, environment and exit status as their own sections.
TEST(ManualPage, HasTheSectionsOfTheHelp) {
    const std::string page = testing::ReadWholeFile(ORRERION_CLI_MAN_PAGE);
    std::size_t at = 0;
    for (const char* section : {".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS", ".SH EXIT STATUS",
                                ".SH ENVIRONMENT", ".SH FILES", ".SH SEE ALSO"}) {
        const std::size_t found = page.find(std::string("\n") + section + "\n", at);
        EXPECT_NE(found, std::string::npos) << section << " (in this order)";
        if (found != std::string::npos) at = found;
    }
    for (const cli::CommandRow& command : cli::Commands()) {
        EXPECT_NE(page.find("\n.SS " + std::string(command.name) + "\n"), std::string::npos) << command.name;
    }
    const std::size_t files = page.find("\n.SH FILES\n");
    EXPECT_NE(page.find("SETTINGS.TXT", files), std::string::npos);
    EXPECT_NE(page.find("ORRERION_SWE_PATH", page.find("\n.SH ENVIRONMENT\n")), std::string::npos);
}

}  // namespace
}  // namespace orrerion
