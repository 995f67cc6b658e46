// Where orrerion-cli's output options write: a file is replaced, - is standard output, a device or
// FIFO is written through, a link stays a link and its file gets the output, a link to nothing is
// refused; for every output option of every command.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> Chart = {"--natal", "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43",
                                        "--diurnal", ",07 Dec 2026,12.00,P,5,074.00,40.43"};

// The calendar's DTSTAMP lines hold the moment of writing: left out of comparisons.
std::string WithoutStamps(const std::string& text) {
    std::string kept;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(at, 8, "DTSTAMP:") != 0) kept.append(text, at, end - at);
        at = end;
    }
    return kept;
}

TEST(OutputOptions, ReplaceFilesWriteThroughDevicesFifosAndStandardOutputAndKeepLinks) {
    struct Option {
        const char* command;
        const char* option;
    };
    const Option options[] = {{"scan", "--ics"},     {"scan", "--csv"},      {"scan", "--json"},
                              {"wheel", "--svg"},    {"wheel", "--json"},    {"timeline", "--svg"},
                              {"timeline", "--json"}};
    enum class Target { Dash, DevStdout, DevNull, Fifo, Link, Dangling };
    for (const Option& o : options) {
        SCOPED_TRACE(std::string(o.command) + " " + o.option);
        const fs::path dir = testing::MakeTempDir();
        auto run = [&](const std::string& target) {
            std::vector<std::string> args = {o.command};
            args.insert(args.end(), Chart.begin(), Chart.end());
            if (std::string(o.command) != "wheel") args.insert(args.end(), {"--days", "5", "--reports", (dir / "reports").string()});
            args.insert(args.end(), {o.option, target});
            return testing::RunCli(args);
        };
        const auto plain = run((dir / "out").string());
        ASSERT_EQ(plain.status, 0) << plain.err;
        const std::string expected = WithoutStamps(testing::ReadWholeFile(dir / "out"));
        ASSERT_FALSE(expected.empty());

        for (const Target target : {Target::Dash, Target::DevStdout, Target::DevNull, Target::Fifo, Target::Link,
                                    Target::Dangling}) {
            SCOPED_TRACE(static_cast<int>(target));
            const fs::path file = dir / "file", link = dir / "link", fifo = dir / "fifo";
            fs::remove(file);
            fs::remove(link);
            fs::remove(fifo);
            testing::WriteWholeFile(file, "old");
            std::string fromFifo;
            std::thread reader;
            std::string path;
            switch (target) {
                case Target::Dash: path = "-"; break;
                case Target::DevStdout: path = "/dev/stdout"; break;
                case Target::DevNull: path = "/dev/null"; break;
                case Target::Fifo:
                    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
                    reader = std::thread([&] { fromFifo = testing::ReadWholeFile(fifo); });
                    path = fifo.string();
                    break;
                case Target::Link:
                    fs::create_symlink(file, link);
                    path = link.string();
                    break;
                case Target::Dangling:
                    fs::create_symlink(dir / "missing", link);
                    path = link.string();
                    break;
            }
            const auto r = run(path);
            if (reader.joinable()) reader.join();
            if (target == Target::Dangling) {
                EXPECT_EQ(r.status, 1);
                EXPECT_NE(r.err.find("symbolic link to a file that does not exist"), std::string::npos) << r.err;
                EXPECT_FALSE(fs::exists(dir / "missing"));
                EXPECT_TRUE(fs::is_symlink(link));
                continue;
            }
            ASSERT_EQ(r.status, 0) << r.err;
            if (target == Target::Dash) {
                EXPECT_EQ(WithoutStamps(r.out), expected) << "the export alone on standard output";
            }
            if (target == Target::DevStdout) {
                EXPECT_EQ(WithoutStamps(r.out).substr(0, expected.size()), expected);
            }
            if (target == Target::Fifo) {
                EXPECT_EQ(WithoutStamps(fromFifo), expected);
                EXPECT_TRUE(fs::is_fifo(fifo));
            }
            if (target == Target::Link) {
                EXPECT_TRUE(fs::is_symlink(link));
                EXPECT_EQ(fs::read_symlink(link), file);
                EXPECT_EQ(WithoutStamps(testing::ReadWholeFile(file)), expected);
            } else {
                EXPECT_EQ(testing::ReadWholeFile(file), "old");
            }
            EXPECT_TRUE(fs::is_character_file("/dev/null"));
        }
    }
}

// --quiet leaves standard output empty and changes no file: the scan's exports and the timeline's
// pictures are the same bytes with it as without it.
TEST(OutputOptions, QuietPrintsNothingAndChangesNoFile) {
    struct Run {
        const char* command;
        std::vector<std::string> outputs;  // options that take a file
    };
    const Run runs[] = {{"scan", {"--csv", "--json", "--ics"}}, {"timeline", {"--svg", "--json"}}};
    for (const Run& r : runs) {
        SCOPED_TRACE(r.command);
        const fs::path dir = testing::MakeTempDir();
        auto run = [&](const std::string& name, bool quiet) {
            std::vector<std::string> args = {r.command};
            args.insert(args.end(), Chart.begin(), Chart.end());
            args.insert(args.end(), {"--days", "40"});
            if (std::string(r.command) == "timeline") args.insert(args.end(), {"--reports", (dir / "reports").string()});
            for (const std::string& option : r.outputs) args.insert(args.end(), {option, (dir / (name + option)).string()});
            if (quiet) args.push_back("--quiet");
            return testing::RunCli(args);
        };
        const auto loud = run("loud", false);
        const auto quiet = run("quiet", true);
        ASSERT_EQ(loud.status, 0) << loud.err;
        ASSERT_EQ(quiet.status, 0) << quiet.err;
        EXPECT_EQ(quiet.out, "");
        if (std::string(r.command) == "scan") {
            EXPECT_NE(loud.out.find("sorted by planet"), std::string::npos);
        }
        for (const std::string& option : r.outputs) {
            const std::string a = WithoutStamps(testing::ReadWholeFile(dir / ("loud" + option)));
            EXPECT_FALSE(a.empty()) << option;
            EXPECT_TRUE(a == WithoutStamps(testing::ReadWholeFile(dir / ("quiet" + option)))) << option;
        }
    }
}

}  // namespace
}  // namespace orrerion
