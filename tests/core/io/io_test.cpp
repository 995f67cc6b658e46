// Reading lines, record fields and numbers from text, and writing whole files atomically.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/io/csv_record.h"
#include "core/io/file_replace.h"
#include "core/io/line_reader.h"
#include "core/io/number_text.h"
#include "core/io/text_sink.h"
#include "test_paths.h"

namespace orrerion {
namespace {

TEST(SplitTextLines, AcceptsCrLfAndLfWithoutAnExtraLastLine) {
    EXPECT_EQ(SplitTextLines("a\r\nb\r\n").lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitTextLines("a\nb").lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(SplitTextLines("a\nb").endedWithNewline);
    EXPECT_TRUE(SplitTextLines("a\r\n").endedWithNewline);
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\r\n").lines, (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitTextLines("").lines.empty());
    // A lone carriage return ends a line too (old Macintosh files), so that an options file
    // written that way is forty lines, not one; CR LF stays one line end.
    struct Case { const char* text; std::vector<std::string> lines; };
    const Case cases[] = {
        {"a\rb\rc\r", {"a", "b", "c"}},  {"a\rb\n", {"a", "b"}},   {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},   {"\r", {""}},              {"a\r\n\r\n", {"a", ""}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitTextLines(c.text).lines, c.lines) << "case " << (&c - cases);
}

TEST(ReadTextLines, ReportsAMissingFileWithTheSystemsReason) {
    std::string error;
    const auto lines = ReadTextLines(testing::MakeTempDir() / "absent.txt", &error);
    EXPECT_FALSE(lines.has_value());
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

// Only a regular file is read, and only up to a limit no data file comes near: a FIFO is refused
// at once instead of waiting for a writer, /dev/zero instead of filling memory.
TEST(ReadFileBytes, RefusesWhatIsNoRegularFileOrTooLarge) {
    const auto dir = testing::MakeTempDir();
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    {
        std::ofstream(dir / "large") << "x";
        std::filesystem::resize_file(dir / "large", MaxDataFileBytes + 1);  // sparse
        std::ofstream(dir / "limit") << "x";
        std::filesystem::resize_file(dir / "limit", MaxDataFileBytes);
    }
    struct Case { std::filesystem::path path; const char* reason; };
    const Case refused[] = {
        {dir / "fifo", "not a regular file"},  {"/dev/zero", "not a regular file"},
        {dir, "Is a directory"},               {dir / "large", "larger than 64 MiB"},
    };
    for (const Case& c : refused) {
        std::string error;
        EXPECT_FALSE(ReadFileBytes(c.path, &error).has_value()) << c.path;
        EXPECT_EQ(error, c.reason) << c.path;
    }
    const std::optional<std::string> atLimit = ReadFileBytes(dir / "limit");
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_EQ(atLimit->size(), MaxDataFileBytes);
}

TEST(ReadTextLines, ReadsWhatWasWritten) {
    const auto dir = testing::MakeTempDir();
    testing::WriteWholeFile(dir / "f.txt", "one\r\ntwo\r\n");
    const auto lines = ReadTextLines(dir / "f.txt");
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(lines->lines, (std::vector<std::string>{"one", "two"}));
}

TEST(SplitRecordFields, UsualCommaSeparatedRules) {
    EXPECT_EQ(SplitRecordFields("John Smith,05 Jan 1950,10.05,A,5,071.05,42.21"),
              (std::vector<std::string>{"John Smith", "05 Jan 1950", "10.05", "A", "5", "071.05", "42.21"}));
    EXPECT_EQ(SplitRecordFields("  a  ,  b c ,"), (std::vector<std::string>{"a", "b c", ""}));
    EXPECT_EQ(SplitRecordFields("\"Smith, John\",x"), (std::vector<std::string>{"Smith, John", "x"}));
    EXPECT_EQ(SplitRecordFields(",07 Dec 2026"), (std::vector<std::string>{"", "07 Dec 2026"}));
    EXPECT_EQ(SplitRecordFields(""), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitRecordFields("\"unclosed,still one"), (std::vector<std::string>{"unclosed,still one"}));
    // Inside quotes two double quotes stand for one, as the names file writes a field holding one.
    EXPECT_EQ(SplitRecordFields("\"\"\"Bob\",x"), (std::vector<std::string>{"\"Bob", "x"}));
    EXPECT_EQ(SplitRecordFields("\"say \"\"hi\"\"\",\"\"\"\""), (std::vector<std::string>{"say \"hi\"", "\""}));
    bool unclosed = false;
    SplitRecordFields("\"Bob,13 Jan 1950", &unclosed);
    EXPECT_TRUE(unclosed);
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {" 90", 90},        {"2.5     conjunction", 2.5}, {"12a", 12},  {"abc", 0}, {"", 0},
        {"-5", -5},         {"-.5", -0.5},               {".25", 0.25}, {"+7", 7},  {"3.", 3},
        {"1234567", 1234567}, {"-", 0},                  {"- 5", 0},    {"\t8", 8},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

// A number a double cannot carry is never read as 0: as a leading number it is an infinity that
// every range check refuses, as whole text it is no number; "inf" and "nan" are no numbers.
TEST(ParseNumber, NumbersBeyondADoubleAreNoNumbers) {
    const std::string nines(400, '9');
    for (const std::string& text : {nines, "-" + nines, nines + ".5", std::string("inf"),
                                    std::string("nan"), std::string("-inf"), std::string("1e5")}) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << text.substr(0, 12);
    }
    EXPECT_EQ(LeadingNumber(nines), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-" + nines + " days"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("inf"), 0.0);
    // Too small to be told from 0: it is 0.
    const std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(ParseNumber(tiny), 0.0);
    EXPECT_EQ(ParseNumber("1" + std::string(300, '0')), 1e300);
}

TEST(ParseNumber, AcceptsOnlyWholeNumberText) {
    EXPECT_EQ(ParseNumber("12"), 12.0);
    EXPECT_EQ(ParseNumber(" -5.5 "), -5.5);
    EXPECT_FALSE(ParseNumber("12a").has_value());
    EXPECT_FALSE(ParseNumber("").has_value());
    EXPECT_FALSE(ParseNumber("1 2").has_value());
    EXPECT_FALSE(ParseNumber(".").has_value());
    EXPECT_TRUE(IsWholeNumberText("074.00"));
    EXPECT_FALSE(IsWholeNumberText("74,00"));
}

int FileCount(const std::filesystem::path& dir) {
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++files;
    return files;
}

// Only a missing name or a file is replaced by rename; a device, a FIFO and standard output are
// written through; a link is never replaced: the file it leads to is, in its own folder.
TEST(FileReplacement, ReplacesOnlyFilesWritesThroughDevicesAndNeverReplacesALink) {
    namespace fs = std::filesystem;
    enum class Expect { Replaced, IntoOutside, ThroughDevice, ThroughFifo, IntoStdout, Fails };
    struct Case {
        const char* what;
        const char* target;   // relative to the case's folder, or absolute
        Expect expect;
        long long sizeLimit;  // bytes, or -1
        const char* reason;   // in the message of a failure
    };
    const std::string content(100, 'n');
    const Case cases[] = {
        {"an existing file", "report.txt", Expect::Replaced, -1, nullptr},
        {"a new file", "new.txt", Expect::Replaced, -1, nullptr},
        {"a link to a file: the file is replaced, the link stays", "link.txt", Expect::IntoOutside, -1, nullptr},
        {"a link to a link to a file", "link2.txt", Expect::IntoOutside, -1, nullptr},
        {"a character device", "/dev/null", Expect::ThroughDevice, -1, nullptr},
        {"a link to a character device", "null-link", Expect::ThroughDevice, -1, nullptr},
        {"a FIFO", "fifo", Expect::ThroughFifo, -1, nullptr},
        {"- is standard output", "-", Expect::IntoStdout, -1, nullptr},
        {"/dev/stdout on a file: at standard output's offset", "/dev/stdout", Expect::IntoStdout, -1, nullptr},
        {"a link to nothing", "dangling.txt", Expect::Fails, -1, "symbolic link to a file that does not exist"},
        {"a link to a folder", "folder-link", Expect::Fails, -1, "Is a directory"},
        {"a missing folder", "no such folder/r.txt", Expect::Fails, -1, "No such file"},
        {"a folder in the way of the rename", "a folder", Expect::Fails, -1, "Is a directory"},
        {"a write that fails part-way", "report.txt", Expect::Fails, 40, "File too large"},
        {"a write through a link that fails part-way", "link.txt", Expect::Fails, 40, "File too large"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto dir = testing::MakeTempDir();
        const auto outsideDir = testing::MakeTempDir();
        const auto outside = outsideDir / "outside.txt";
        testing::WriteWholeFile(dir / "report.txt", "original");
        testing::WriteWholeFile(outside, "outside");
        fs::create_symlink(outside, dir / "link.txt");
        fs::create_symlink(dir / "link.txt", dir / "link2.txt");
        fs::create_symlink(dir / "gone.txt", dir / "dangling.txt");
        fs::create_symlink("/dev/null", dir / "null-link");
        fs::create_directory(dir / "a folder");
        fs::create_directory_symlink(dir / "a folder", dir / "folder-link");
        ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
        const int filesBefore = FileCount(dir);
        const fs::path target = fs::path(c.target).is_absolute() || c.expect == Expect::IntoStdout
                                    ? fs::path(c.target) : dir / c.target;

        // A FIFO's reader; standard output moved to a file that already holds a line.
        std::string fromFifo;
        std::thread reader;
        if (c.expect == Expect::ThroughFifo) {
            reader = std::thread([&] { fromFifo = testing::ReadWholeFile(dir / "fifo"); });
        }
        const fs::path stdoutFile = dir / "stdout.txt";
        int savedStdout = -1;
        if (c.expect == Expect::IntoStdout) {
            std::fflush(stdout);
            savedStdout = ::dup(1);
            const int fd = ::open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 1);
            ::close(fd);
            ASSERT_EQ(::write(1, "printed first\n", 14), 14);
        }
        const WriteResult r = testing::WithFileSizeLimit(c.sizeLimit, [&] { return ReplaceFile(target, content); });
        if (savedStdout >= 0) {
            ::dup2(savedStdout, 1);
            ::close(savedStdout);
        }
        if (reader.joinable()) reader.join();

        const bool ok = c.expect != Expect::Fails;
        ASSERT_EQ(r.ok, ok) << r.message;
        if (!ok) {
            EXPECT_NE(r.message.find(target.string()), std::string::npos) << r.message;
            EXPECT_NE(r.message.find(c.reason), std::string::npos) << r.message;
        }
        EXPECT_EQ(testing::ReadWholeFile(dir / "report.txt"),
                  c.expect == Expect::Replaced && fs::path(c.target) == "report.txt" ? content : "original");
        EXPECT_EQ(testing::ReadWholeFile(outside), c.expect == Expect::IntoOutside ? content : "outside");
        EXPECT_EQ(FileCount(outsideDir), 1) << "no temporary file is left beside the link's file";
        if (c.expect == Expect::Replaced) {
            EXPECT_EQ(testing::ReadWholeFile(target), content);
        }
        if (c.expect == Expect::ThroughFifo) {
            EXPECT_EQ(fromFifo, content);
        }
        if (c.expect == Expect::IntoStdout) {
            EXPECT_EQ(testing::ReadWholeFile(stdoutFile), "printed first\n" + content);
        }
        // Every link is still the same link, the devices and FIFOs are what they were, and nothing
        // but a new file or standard output's file was added.
        EXPECT_EQ(fs::read_symlink(dir / "link.txt"), outside);
        EXPECT_EQ(fs::read_symlink(dir / "dangling.txt"), dir / "gone.txt");
        EXPECT_EQ(fs::read_symlink(dir / "null-link"), "/dev/null");
        EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
        EXPECT_TRUE(fs::is_directory(dir / "a folder"));
        EXPECT_EQ(FileCount(dir), filesBefore + (fs::path(c.target) == "new.txt") + (c.expect == Expect::IntoStdout));
    }
}

// A replaced file keeps its mode (and owner, where the process may give it away); a new file gets
// the mode the umask gives.
TEST(FileReplacement, KeepsTheModeAndOwnerOfTheFileItReplaces) {
    namespace fs = std::filesystem;
    struct Case {
        mode_t before;  // 0 for no file
        mode_t umask;
        mode_t after;
    };
    const Case cases[] = {
        {0600, 022, 0600}, {0640, 022, 0640}, {0444, 022, 0444},
        {0755, 077, 0755}, {02750, 022, 02750}, {0, 022, 0644}, {0, 027, 0640}, {0, 077, 0600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.before) + " under umask " + std::to_string(c.umask));
        const auto dir = testing::MakeTempDir();
        const fs::path path = dir / "NAMES.FIL";
        if (c.before != 0) {
            testing::WriteWholeFile(path, "old");
            ASSERT_EQ(::chmod(path.c_str(), c.before), 0);
        }
        const mode_t umaskBefore = ::umask(c.umask);
        const WriteResult r = ReplaceFile(path, "new");
        ::umask(umaskBefore);
        ASSERT_TRUE(r.ok) << r.message;
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after);
        EXPECT_EQ(testing::ReadWholeFile(path), "new");
    }
    // A file of another user, replaced by a process that may give files away (root), stays theirs.
    if (::geteuid() == 0) {
        const fs::path path = testing::MakeTempDir() / "theirs.txt";
        testing::WriteWholeFile(path, "old");
        ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
        ASSERT_TRUE(ReplaceFile(path, "new").ok);
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 4321u);
        EXPECT_EQ(st.st_gid, 8765u);
        EXPECT_EQ(st.st_mode & 07777, 0604u);
    }
}

// What a killed writer left goes; a live writer's temporary file stays however long it pauses.
TEST(FileReplacement, OnlyLeftoversThatNoRunningWriterHoldsAreRemoved) {
    namespace fs = std::filesystem;
    const auto dir = testing::MakeTempDir();
    const auto outside = testing::MakeTempDir() / "outside.txt";
    testing::WriteWholeFile(outside, "outside");
    auto tempFiles = [&] {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string name = e.path().filename().string();
            if (name.ends_with(".tmp")) names.insert(name);
        }
        return names;
    };
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);

    // A writer killed part-way.
    const pid_t child = ::fork();
    if (child == 0) {
        FileReplacement killed(dir / "John_tn.doc");
        killed.Write(std::string(100 << 10, 'k'));
        ::kill(::getpid(), SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    const std::set<std::string> killedFiles = tempFiles();
    ASSERT_EQ(killedFiles.size(), 1u);

    // A live writer that has paused an hour.
    FileReplacement live(dir / "John_tn.txt");
    live.Write(std::string(100 << 10, 'l'));
    std::set<std::string> liveFiles = tempFiles();
    for (const std::string& name : killedFiles) liveFiles.erase(name);
    ASSERT_EQ(liveFiles.size(), 1u);
    for (const std::string& name : tempFiles()) fs::last_write_time(dir / name, longAgo);

    const fs::path recent = dir / ".John_sn.doc~fedcba9876543210.tmp";  // just made: may not be held yet
    const fs::path linkLike = dir / ".John_ex.txt~00000000aaaaaaaa.tmp";
    const fs::path otherName = dir / ".John_tn.doc~notrandom.tmp";
    testing::WriteWholeFile(recent, "partial");
    testing::WriteWholeFile(otherName, "partial");
    fs::last_write_time(otherName, longAgo);
    fs::create_symlink(outside, linkLike);

    EXPECT_EQ(RemoveStaleTemporaryFiles(dir), 1);
    EXPECT_FALSE(fs::exists(dir / *killedFiles.begin())) << "the killed writer's file";
    EXPECT_TRUE(fs::exists(dir / *liveFiles.begin())) << "the live writer's file";
    EXPECT_TRUE(fs::exists(recent));
    EXPECT_TRUE(fs::exists(otherName)) << "not a replacement's name";
    EXPECT_TRUE(fs::is_symlink(linkLike)) << "links are never touched";
    EXPECT_EQ(testing::ReadWholeFile(outside), "outside");
    ASSERT_TRUE(live.Commit().ok);
    EXPECT_EQ(testing::ReadWholeFile(dir / "John_tn.txt"), std::string(100 << 10, 'l'));
}

// A second holder of a data file's lock waits its time, then fails with a message naming the file;
// the lock file goes when the lock is let go.
TEST(DataFileLock, ASecondWriterWaitsThenFailsWithAMessage) {
    namespace fs = std::filesystem;
    const auto dir = testing::MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    {
        const DataFileLock first(file);
        ASSERT_TRUE(first.ok());
        EXPECT_TRUE(fs::exists(dir / ".NAMES.FIL.lock"));
        const auto start = std::chrono::steady_clock::now();
        const DataFileLock second(file, std::chrono::milliseconds(300));
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_FALSE(second.ok());
        EXPECT_GE(waited, std::chrono::milliseconds(300));
        EXPECT_LT(waited, std::chrono::seconds(3));
        EXPECT_NE(second.message().find("Cannot save " + file.string()), std::string::npos) << second.message();
        EXPECT_NE(second.message().find("another copy of the program"), std::string::npos) << second.message();
    }
    EXPECT_FALSE(fs::exists(dir / ".NAMES.FIL.lock"));
    const DataFileLock third(file, std::chrono::milliseconds(0));
    EXPECT_TRUE(third.ok()) << third.message();
}

TEST(NumberChars, WriteAsPrintfWritesInTheCLocale) {
    const double values[] = {0.0, -0.0, 1.0, -1.5, 0.125, 2.5, 3.5, 0.000049999, 123.456789, 359.99995,
                             2461382.0000347222, 1234567890123.34375, -1234567890123.40625, -1e-7, 1e21, 6.02214076e23, 1.7976931348623157e308,
                             5e-324, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    char expected[400];
    for (const double v : values) {
        for (const int decimals : {0, 2, 4, 17}) {
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            EXPECT_EQ(FixedChars(v, decimals).view(), expected) << v << " %." << decimals << "f";
        }
        for (const int digits : {6, 17}) {
            std::snprintf(expected, sizeof expected, "%.*g", digits, v);
            EXPECT_EQ(GeneralChars(v, digits).view(), expected) << v << " %." << digits << "g";
        }
    }
    // Longitudes, orbs and days as the exports write them, and the halves that round to even (a
    // quarter of 0.0005 is exactly 0.000125): many values of every size the short path takes.
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 200000; ++i) {
        const double scale = std::pow(10.0, i % 12 - 3);
        const double v = i % 5 == 0 ? std::ldexp(std::round(unit(random) * 1e6), -(i % 24)) : unit(random) * scale;
        const int decimals = i % 8;
        std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
        ASSERT_EQ(FixedChars(v, decimals).view(), expected) << v << " %." << decimals << "f";
        // Julian dates and longitudes to 17 digits, as the JSON exports write them, and other sizes.
        const double w = i % 3 == 0 ? 2461382.0 + unit(random) * 40000 : v;
        const int digits = i % 4 == 0 ? 17 : 1 + i % 17;
        std::snprintf(expected, sizeof expected, "%.*g", digits, w);
        ASSERT_EQ(GeneralChars(w, digits).view(), expected) << w << " %." << digits << "g";
    }
    const long long integers[] = {0, 7, -7, 42, 2026, -44, 12026, -32768, std::numeric_limits<long long>::min(),
                                  std::numeric_limits<long long>::max()};
    for (const long long n : integers) {
        for (const int width : {0, 2, 4, 20}) {
            std::snprintf(expected, sizeof expected, "%0*lld", width, n);
            EXPECT_EQ(IntegerChars(n, width).view(), expected) << n << " width " << width;
        }
    }
}

// Whatever the sizes of the pieces put into it, a sink hands a file the same bytes a string gets.
TEST(TextSink, HandsAFileTheBytesOfItsPiecesInBlocks) {
    constexpr std::size_t Block = TextSink::BlockBytes;
    const std::vector<std::vector<std::size_t>> pieceSizes = {
        {}, {0}, {1}, {Block - 1, 1}, {Block}, {Block + 1}, {3, Block - 2, 5, 2 * Block + 7, 0, 1},
        {100000, 7, 65535, 65537, 1 << 20}};
    const std::filesystem::path dir = testing::MakeTempDir();
    for (std::size_t c = 0; c < pieceSizes.size(); ++c) {
        SCOPED_TRACE("case " + std::to_string(c));
        std::string expected, viaString;
        std::vector<std::string> pieces;
        for (std::size_t k = 0; k < pieceSizes[c].size(); ++k) {
            std::string piece(pieceSizes[c][k], ' ');
            for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = static_cast<char>('a' + (i * 7 + k) % 26);
            expected += piece;
            pieces.push_back(std::move(piece));
        }
        const std::filesystem::path path = dir / ("out" + std::to_string(c));
        FileReplacement file(path);
        {
            TextSink toFile(file);
            TextSink toString(viaString);
            for (const std::string& piece : pieces) {
                toFile.Put(piece);
                toString.Put(piece);
            }
            toFile.Put('!');
            toString.Put('!');
        }
        ASSERT_TRUE(file.Commit().ok);
        expected += '!';
        EXPECT_EQ(viaString, expected);
        EXPECT_TRUE(testing::ReadWholeFile(path) == expected);
    }
}

}  // namespace
}  // namespace orrerion
