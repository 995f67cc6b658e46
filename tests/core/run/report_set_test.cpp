// The sixteen report files as one set: a scan killed at any moment leaves the whole previous set or
// the whole new one, the next scan clears what it left, and no scan removes a running scan's files.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "core/records/name_record.h"
#include "core/run/run_calculation.h"
#include "scan_fixture.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

// John Smith's chart for another diurnal date: the same report names, other content in every file
// (the header names the diurnal date).
Calculation JohnSmithOn(const char* diurnalRecord) {
    Calculation calc = testing::JohnSmithCalculation(testing::ShippedOrbs());
    LoadNameRecord(*NameRecordFromLine(diurnalRecord), 0, InputSection::Diurnal, calc.diurnal);
    return calc;
}
const char* const DiurnalA = ",07 Dec 2026,12.00,P,5,074.00,40.43";
const char* const DiurnalB = ",08 Dec 2026,12.00,P,5,074.00,40.43";

ScanOutcome Scan(const char* diurnal, const fs::path& folder, int days) {
    Calculation calc = JohnSmithOn(diurnal);
    CalculationRequest request;
    const std::string answer = std::to_string(days);
    request.askDays = [&] { return std::optional<std::string>(answer); };
    request.reportsFolder = folder;
    request.scan.threads = 1;
    ScanObserver quiet;
    CollectingReporter reporter;
    return RunCalculation(calc, request, quiet, reporter).scan;
}

using FileSet = std::map<std::string, std::string>;  // name -> content
FileSet ReadSet(const fs::path& folder) {
    FileSet set;
    for (const std::string& name : testing::ReportFolderNames(folder)) {
        set[name] = testing::ReadWholeFile(folder / name);
    }
    return set;
}

// The hidden entries of the folder: the set's current link and generation folders, and any
// leftover.
int HiddenEntries(const fs::path& folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) n += e.path().filename().string().starts_with(".");
    return n;
}

TEST(ReportSet, AKillAtAnyMomentLeavesTheWholeOldOrTheWholeNewSetAndTheNextScanClearsTheRest) {
    constexpr int Days = 10;
    constexpr int Rounds = 120;
    const fs::path dirA = testing::MakeTempDir(), dirB = testing::MakeTempDir();
    ASSERT_EQ(Scan(DiurnalA, dirA, Days), ScanOutcome::Completed);
    ASSERT_EQ(Scan(DiurnalB, dirB, Days), ScanOutcome::Completed);
    const FileSet setA = ReadSet(dirA), setB = ReadSet(dirB);
    ASSERT_EQ(setA.size(), 16u);
    for (const auto& [name, content] : setA) ASSERT_NE(content, setB.at(name)) << name;

    // The folder starts with set B as the files themselves, as scans wrote them before sets had
    // generations; scans turn them into links without changing what any name reads.
    const fs::path folder = testing::MakeTempDir() / "reports";
    fs::create_directories(folder);
    for (const auto& [name, content] : setB) testing::WriteWholeFile(folder / name, content);

    // The kills land anywhere in about two scans.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Scan(DiurnalA, testing::MakeTempDir(), Days), ScanOutcome::Completed);
    const auto scanMicroseconds =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    std::mt19937 random(20261207);
    std::uniform_int_distribution<long> delay(0, 2 * scanMicroseconds + 2000);

    int wholeA = 0, wholeB = 0, mixed = 0, roundsWithLeftovers = 0, leftovers = 0;
    for (int round = 0; round < Rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = round;; ++i) Scan(i % 2 == 0 ? DiurnalA : DiurnalB, folder, Days);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        // What a reader of the report names sees; a killed scan's hidden leftovers (a link or a
        // temporary file being made) are counted below.
        FileSet now = ReadSet(folder);
        std::erase_if(now, [](const auto& entry) { return entry.first.starts_with("."); });
        if (now == setA) {
            ++wholeA;
        } else if (now == setB) {
            ++wholeB;
        } else {
            ++mixed;
            int fromA = 0, fromB = 0;
            for (const auto& [name, content] : now) {
                fromA += setA.count(name) && content == setA.at(name);
                fromB += setB.count(name) && content == setB.at(name);
            }
            ADD_FAILURE() << "round " << round << ": " << now.size() << " entries, " << fromA
                          << " files of A, " << fromB << " of B";
        }
        // The set's link and its generation; anything more is what the kill left.
        const int left = HiddenEntries(folder) - 2;
        roundsWithLeftovers += left > 0;
        leftovers += left;
    }
    std::printf("[ kills    ] %d kills: %d left the whole set A, %d the whole set B, %d a mix; %d left "
                "hidden leftovers (%d in all)\n",
                Rounds, wholeA, wholeB, mixed, roundsWithLeftovers, leftovers);
    EXPECT_EQ(mixed, 0);
    EXPECT_GT(wholeA, 0);
    EXPECT_GT(wholeB, 0);

    // The next scan clears what the killed ones left.
    ASSERT_EQ(Scan(DiurnalA, folder, Days), ScanOutcome::Completed);
    EXPECT_TRUE(ReadSet(folder) == setA);
    EXPECT_EQ(HiddenEntries(folder), 2);
    for (const auto& [name, content] : setA) EXPECT_TRUE(fs::is_symlink(folder / name)) << name;
}

// A long scan stopped part-way with files an hour old keeps them while another scan of the same
// folder runs, clears a killed scan's leftovers and publishes; resumed, it publishes its whole set.
TEST(ReportSet, AScanNeverRemovesARunningScansFilesHoweverLongItPauses) {
    const fs::path folder = testing::MakeTempDir() / "reports";
    fs::create_directories(folder);
    const fs::path dirA = testing::MakeTempDir();
    constexpr int LongDays = 2000;
    ASSERT_EQ(Scan(DiurnalB, dirA, LongDays), ScanOutcome::Completed);
    const FileSet longSet = ReadSet(dirA);

    // A long scan, stopped as soon as its files exist, its files made to look an hour old.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(Scan(DiurnalB, folder, LongDays) == ScanOutcome::Completed ? 0 : 1);
    auto generationFolders = [&] {
        std::vector<fs::path> found;
        for (const auto& e : fs::directory_iterator(folder)) {
            const std::string name = e.path().filename().string();
            if (name.starts_with(".") && name.ends_with(".set") && e.is_directory() && !e.is_symlink()) {
                found.push_back(e.path());
            }
        }
        return found;
    };
    // The scan creates its 16 files one after another: wait for all of them (a loaded machine may
    // take a while), then stop it.
    auto filesIn = [](const fs::path& dir) {
        int n = 0;
        std::error_code error;
        for (fs::directory_iterator e(dir, error), end; !error && e != end; e.increment(error)) ++n;
        return n;
    };
    for (int wait = 0; wait < 20000; ++wait) {
        const std::vector<fs::path> found = generationFolders();
        if (found.size() == 1 && filesIn(found[0]) == 16) break;
        ::usleep(1000);
    }
    ::kill(child, SIGSTOP);
    const std::vector<fs::path> paused = generationFolders();
    ASSERT_EQ(paused.size(), 1u);
    const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(paused[0], anHourAgo);
    int pausedFiles = 0;
    for (const auto& e : fs::directory_iterator(paused[0])) {
        fs::last_write_time(e.path(), anHourAgo);
        ++pausedFiles;
    }
    EXPECT_EQ(pausedFiles, 16);

    // What a killed scan left: its generation folder, and a temporary file of an older copy.
    const pid_t killed = ::fork();
    ASSERT_GE(killed, 0);
    if (killed == 0) {
        for (;;) Scan(DiurnalA, folder, LongDays);
    }
    for (int wait = 0; wait < 5000 && generationFolders().size() < 2; ++wait) ::usleep(1000);
    ::kill(killed, SIGKILL);
    ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
    ASSERT_EQ(generationFolders().size(), 2u);
    const fs::path oldTemp = folder / ".John_tn.doc~0123456789abcdef.tmp";
    testing::WriteWholeFile(oldTemp, "half a file");
    fs::last_write_time(oldTemp, anHourAgo);

    // Another scan of the same folder meanwhile.
    ASSERT_EQ(Scan(DiurnalA, folder, 3), ScanOutcome::Completed);
    EXPECT_EQ(generationFolders().size(), 2u) << "the paused scan's and the new set's";
    EXPECT_TRUE(fs::exists(paused[0]));
    EXPECT_FALSE(fs::exists(oldTemp));
    EXPECT_EQ(testing::ReportFolderNames(folder).size(), 16u);

    // The paused scan goes on and publishes its whole set.
    ::kill(child, SIGCONT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the paused scan failed";
    EXPECT_TRUE(ReadSet(folder) == longSet);
    EXPECT_EQ(HiddenEntries(folder), 2);
}


// The user's Cancel, asked after some blocks of days on one thread or two: the scan stops before
// any report is written, the last scan's set is what every name reads, nothing of the stopped
// scan is left in the folder, and the calculation holds its charts without a scan.
TEST(ReportSet, ACancelledScanChangesNoFileAndLeavesNoRun) {
    class StopAfter final : public ScanObserver {
    public:
        explicit StopAfter(int blocks) : blocks_(blocks) {}
        void ShowProgress(int, int) override { ++shown_; }
        bool StopAsked() override { return shown_ >= blocks_; }
        bool ended = false;
        void EndScan() override { ended = true; }

    private:
        int blocks_;
        int shown_ = 0;
    };
    const fs::path folder = testing::MakeTempDir() / "reports";
    fs::create_directories(folder);
    ASSERT_EQ(Scan(DiurnalA, folder, 40), ScanOutcome::Completed);
    const FileSet before = ReadSet(folder);
    ASSERT_EQ(before.size(), 16u);

    // What the calculation holds when no day count is given: the charts and their summary.
    Calculation chartsOnly = JohnSmithOn(DiurnalB);
    {
        ScanObserver quiet;
        CollectingReporter reporter;
        ASSERT_TRUE(RunCalculation(chartsOnly, CalculationRequest{}, quiet, reporter).charted);
    }

    for (const int threads : {1, 2}) {
        for (const int blocks : {1, 5}) {
            SCOPED_TRACE(std::to_string(threads) + " threads, stopped after " + std::to_string(blocks) + " blocks");
            Calculation calc = JohnSmithOn(DiurnalB);
            CalculationRequest request;
            request.askDays = [] { return std::optional<std::string>("400"); };
            request.reportsFolder = folder;
            request.scan.threads = threads;
            StopAfter observer(blocks);
            CollectingReporter reporter;
            const CalculationOutcome outcome = RunCalculation(calc, request, observer, reporter);
            EXPECT_TRUE(outcome.charted);
            EXPECT_EQ(outcome.scan, ScanOutcome::Cancelled);
            EXPECT_TRUE(observer.ended);
            EXPECT_TRUE(ReadSet(folder) == before);
            EXPECT_EQ(HiddenEntries(folder), 2) << "the set's link and its generation only";
            EXPECT_TRUE(calc.scan.runs.empty());
            EXPECT_EQ(calc.scan.ScanDays, 0);
            EXPECT_EQ(calc.chart.WorkCusp, chartsOnly.chart.WorkCusp);
            EXPECT_EQ(calc.chart.HouseLine, chartsOnly.chart.HouseLine);
            const auto same = [](const LineList& a, const LineList& b) {
                return std::equal(a.begin(), a.end(), b.begin(), b.end());
            };
            EXPECT_TRUE(same(calc.out.DataLines, chartsOnly.out.DataLines));
            EXPECT_TRUE(same(calc.out.OutputLines, chartsOnly.out.OutputLines));
            EXPECT_TRUE(reporter.messages.empty());
        }
    }
}

}  // namespace
}  // namespace orrerion
