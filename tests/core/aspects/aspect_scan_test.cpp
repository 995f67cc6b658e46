// The aspect scan's reading of the day count, its aspect test and the filters of the families.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "aspects/aspect_scan.h"
#include "test_paths.h"

namespace orrerion {
namespace {

TEST(ScanDayCount, ReadsTheLeadingNumberAndRoundsHalvesToEven) {
    struct Case {
        const char* answer;
        double expected;
    };
    const std::vector<Case> cases = {
        {" 90", 90},   {"90", 90},   {"2.5", 2},    {"3.5", 4},        {"0.5", 0},
        {"1.5", 2},    {"2.4999", 2}, {"2.5001", 3}, {"-2.5", -2},     {"0", 0},
        {"abc", 0},    {"", 0},      {"12 days", 12}, {"7abc", 7},     {"-5", -5},
        {"32767", 32767}, {"32767.5", 32768}, {"0.49999999999999994", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundedDayCount(c.answer), c.expected) << "answer '" << c.answer << "'";
    }
}

// Counts what the scan asks the windows to do.
struct CountingObserver : ScanObserver {
    int calls = 0;
    void BeginScan() override { ++calls; }
    void ShowProgress(int, int) override { ++calls; }
    void ShowDataWindow() override { ++calls; }
    void EndScan() override { ++calls; }
};

TEST(ScanDayCount, BelowOneDoesNothingAtAllAndAboveTheLimitIsRefused) {
    for (const char* answer : {"0", "-5", "abc", "", "0.5"}) {
        Calculation calc;
        calc.out.DataLines = {"", "summary"};
        const auto folder = testing::MakeTempDir();
        CountingObserver observer;
        CollectingReporter reporter;
        EXPECT_EQ(RunAspectScan(calc, answer, folder, observer, reporter), ScanOutcome::NotRun)
            << answer;
        EXPECT_EQ(observer.calls, 0) << answer;
        EXPECT_TRUE(reporter.messages.empty()) << answer;
        EXPECT_EQ(calc.out.DataLines.size(), 2u) << answer;
        EXPECT_TRUE(std::filesystem::is_empty(folder)) << answer;
    }
    Calculation calc;
    const auto folder = testing::MakeTempDir();
    CountingObserver observer;
    CollectingReporter reporter;
    EXPECT_EQ(RunAspectScan(calc, "40000", folder, observer, reporter), ScanOutcome::Refused);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].title, "Warning!");
    EXPECT_EQ(observer.calls, 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// Options with every orb `orb` and every filter off.
Options AllOrbs(float orb) {
    Options o;
    for (int i : {1, 2, 3, 4, 5, 6, 7, 29, 30}) o.OptionValue[static_cast<std::size_t>(i)] = orb;
    for (int i : {32, 33, 34, 35}) o.OptionValue[static_cast<std::size_t>(i)] = 1;
    return o;
}

TEST(AspectTest, FindsEachAspectAndTheLastMatchWinsWhereOrbsOverlap) {
    struct Case {
        double mover, target;
        int code;
        float distance;
        const char* why;
    };
    const AspectBounds bounds = MakeAspectBounds(AllOrbs(8));
    const std::vector<Case> cases = {
        {10, 13, 2, 3, "conjunct"},
        {0, 37, 3, -8, "37 is semi-sextile (30+-8) and semisquare (45+-8): semisquare tested later"},
        {100, 63, 3, -8, "the same from the other side"},
        {0, 52, 4, -8, "52 is semisquare and sextile: sextile"},
        {0, 25, 9, -5, "semi-sextile only"},
        {0, 90, 5, 0, "square"},
        {0, 127, 7, -8, "127 is trine and sesquisquare: sesquisquare"},
        {0, 143, 10, -7, "143 is sesquisquare and quincunx: quincunx"},
        {0, 175, 8, -5, "175 is opposite (>= 172); quincunx ends at 158"},
        {355, 3, 2, 8, "separation folds across 0: 8 degrees, inclusive"},
        {10, 195, 8, -5, "185 folds to 175"},
        {0, 19, NoAspect, 0, "between conjunct and semi-sextile"},
    };
    for (const Case& c : cases) {
        const AspectResult r = TestAspect(bounds, c.mover, c.target);
        EXPECT_EQ(r.AspectCode, c.code) << c.why;
        if (c.code != NoAspect) {
            EXPECT_FLOAT_EQ(r.distance, c.distance) << c.why;
        }
    }
}

TEST(AspectTest, BoundsAreInclusiveInSinglePrecision) {
    Options o = AllOrbs(2);
    const AspectBounds bounds = MakeAspectBounds(o);
    // Exactly 30 + orb is still a semi-sextile, distance +2.
    AspectResult r = TestAspect(bounds, 0, 32);
    EXPECT_EQ(r.AspectCode, 9);
    EXPECT_FLOAT_EQ(r.distance, 2);
    // Exactly 30 - orb likewise.
    EXPECT_EQ(TestAspect(bounds, 0, 28).AspectCode, 9);
    // A separation a hair above the bound in double precision that rounds to it in single.
    EXPECT_EQ(TestAspect(bounds, 0, 32.0000001).AspectCode, 9);
    // Clearly above it: nothing (the semisquare starts at 43).
    EXPECT_EQ(TestAspect(bounds, 0, 32.001).AspectCode, NoAspect);
    // Conjunction and opposition bounds.
    EXPECT_EQ(TestAspect(bounds, 0, 2).AspectCode, 2);
    EXPECT_EQ(TestAspect(bounds, 0, 2.001).AspectCode, NoAspect);
    EXPECT_EQ(TestAspect(bounds, 0, 178).AspectCode, 8);
    EXPECT_EQ(TestAspect(bounds, 0, 177.999).AspectCode, NoAspect);
    // An orb of 0.1 is a single-precision bound: 0.1f is a little above 0.1.
    o.OptionValue[1] = 0.1f;
    EXPECT_EQ(TestAspect(MakeAspectBounds(o), 0, 0.1000000001).AspectCode, 2);
}

TEST(AspectTest, OptionNineSwitchesTheFourMinorAspects) {
    Options o = AllOrbs(8);
    o.OptionValue[9] = 1;
    const AspectBounds bounds = MakeAspectBounds(o);
    EXPECT_EQ(TestAspect(bounds, 0, 37).AspectCode, NoAspect) << "no semi-sextile, no semisquare";
    EXPECT_EQ(TestAspect(bounds, 0, 52).AspectCode, 4) << "sextile stays";
    EXPECT_EQ(TestAspect(bounds, 0, 127).AspectCode, 6) << "trine, no sesquisquare";
    EXPECT_EQ(TestAspect(bounds, 0, 150).AspectCode, NoAspect) << "no quincunx";
    o.OptionValue[9] = 2;  // any value but 0 switches them off
    EXPECT_EQ(TestAspect(MakeAspectBounds(o), 0, 45).AspectCode, NoAspect);
}

TEST(AspectNames, AreElevenAndSevenCharacterFields) {
    EXPECT_EQ(AspectName(2), "conjunct   ");
    EXPECT_EQ(AspectName(7), "ses.square ");
    EXPECT_EQ(AspectName(9), "semi-sextl ");
    EXPECT_EQ(AspectName(10), "quincunx   ");
    EXPECT_EQ(PointName(SUN), "SUN    ");
    EXPECT_EQ(PointName(MERCURY), "MERCURY");
    EXPECT_EQ(PointName(MC), "MC     ");
}

// The points (BodyIndex) a predicate keeps, as a text like "1 2 3".
template <typename Keep>
std::string Kept(Keep keep) {
    std::string s;
    for (int p = SUN; p <= MC; ++p) {
        if (keep(p)) s += (s.empty() ? "" : " ") + std::to_string(p);
    }
    return s;
}

TEST(ScanFilters, ProgressedPointsByOptionEleven) {
    auto kept = [](float v) { return Kept([v](int p) { return ProgressedPointKept(p, v); }); };
    EXPECT_EQ(kept(0), "1 2 3 4 5 6 7 8 9 10 11 12");
    EXPECT_EQ(kept(1), "1 2 3 4 5 6 7 8 9 10");
    EXPECT_EQ(kept(2), "1 2 3 4 5 6 10");
    EXPECT_EQ(kept(3), "1 2 3 4 10");
    EXPECT_EQ(kept(4), "1 2 3 4 5 6 10 11 12");
    EXPECT_EQ(kept(5), "1 2 3 4 10 11 12");
    EXPECT_EQ(kept(6), "1 2 3 4 5 6 7 8 9 10 11 12");
    EXPECT_EQ(kept(2.5f), "1 2 3 4 5 6 7 8 9 10 11 12");
}

TEST(ScanFilters, FamiliesApplyTheirMoverAndTargetFilters) {
    Options o = AllOrbs(8);
    o.OptionValue[10] = 1;
    o.OptionValue[11] = 3;
    for (int i : {32, 33, 34, 35}) o.OptionValue[static_cast<std::size_t>(i)] = 0;
    auto movers = [&](AspectFamily f) {
        return Kept([&](int p) { return p <= MoverCount(f) && MoverUsed(f, p, o); });
    };
    auto targets = [&](AspectFamily f, int mover) {
        return Kept([&](int p) { return TargetUsed(f, mover, p, o); });
    };
    // Options 32..35 at 0: transiting SUN..MARS never move; JUPITER..PLUTO always do.
    EXPECT_EQ(movers(AspectFamily::TransitToNatal), "5 6 7 8 9");
    EXPECT_EQ(movers(AspectFamily::TransitToProgressed), "5 6 7 8 9");
    EXPECT_EQ(movers(AspectFamily::SolarArcToNatal), "1 2 3 4 5 6 7 8 9 10 11 12");
    EXPECT_EQ(movers(AspectFamily::ProgressedToNatal), "1 2 3 4 10");
    EXPECT_EQ(movers(AspectFamily::ProgressedToProgressed), "1 2 3 4 10");
    // Option 10 = 1: no ASC or MC as natal target, except for the solar arcs.
    EXPECT_EQ(targets(AspectFamily::TransitToNatal, JUPITER), "1 2 3 4 5 6 7 8 9 10");
    EXPECT_EQ(targets(AspectFamily::ProgressedToNatal, SUN), "1 2 3 4 5 6 7 8 9 10");
    EXPECT_EQ(targets(AspectFamily::SolarArcToNatal, SUN), "1 2 3 4 5 6 7 8 9 10 11 12");
    // Option 11 = 3 on progressed targets; never a point to itself.
    EXPECT_EQ(targets(AspectFamily::ProgressedToProgressed, SUN), "2 3 4 10");
    EXPECT_EQ(targets(AspectFamily::ProgressedToProgressed, MOON), "1 2 3 4");
    EXPECT_EQ(targets(AspectFamily::TransitToProgressed, PLUTO), "1 2 3 4 10");

    // With option 10 at any other value ASC and MC are natal targets.
    o.OptionValue[10] = 0;
    EXPECT_EQ(targets(AspectFamily::TransitToNatal, SUN), "1 2 3 4 5 6 7 8 9 10 11 12");
    o.OptionValue[32] = 1;
    EXPECT_EQ(movers(AspectFamily::TransitToNatal), "1 5 6 7 8 9");
    EXPECT_EQ(MoverCount(AspectFamily::TransitToProgressed), 9);
    EXPECT_EQ(MoverCount(AspectFamily::ProgressedToProgressed), 12);
}

TEST(ScanFamilies, AreScannedAndSortedInTheirOrders) {
    std::string scanned, sorted;
    for (const FamilyInfo& f : ScanFamilies) scanned += std::string(f.suffix);
    for (AspectFamily f : SortedByDateOrder) sorted += std::string(FamilyOf(f).suffix);
    EXPECT_EQ(scanned, "_tn_sn_pn_pp_tp");
    EXPECT_EQ(sorted, "_tn_tp_pn_pp_sn");
}

}  // namespace
}  // namespace orrerion
