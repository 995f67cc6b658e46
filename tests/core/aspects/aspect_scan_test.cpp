// The aspect scan's reading of the day count, its aspect test and the filters of the families.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <limits>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/aspects/report_sorting.h"
#include "core/chart/houses.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/run/run_calculation.h"
#include "core/ephemeris/time_angles.h"
#include "scan_fixture.h"
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

// Options with every orb `orb` and every filter off.
Options AllOrbs(float orb) {
    Options o;
    for (Option i : {Option::ConjunctionOrb, Option::SemisquareOrb, Option::SextileOrb, Option::SquareOrb, Option::TrineOrb,
                      Option::SesquisquareOrb, Option::OppositionOrb, Option::SemisextileOrb, Option::QuincunxOrb}) o[i] = orb;
    for (Option i : {Option::TransitSunUsed, Option::TransitMercuryUsed, Option::TransitVenusUsed, Option::TransitMarsUsed}) o[i] = 1;
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
    o[Option::ConjunctionOrb] = 0.1f;
    EXPECT_EQ(TestAspect(MakeAspectBounds(o), 0, 0.1000000001).AspectCode, 2);
}

TEST(AspectTest, OptionNineSwitchesTheFourMinorAspects) {
    Options o = AllOrbs(8);
    o[Option::MinorAspectsLeftOut] = 1;
    const AspectBounds bounds = MakeAspectBounds(o);
    EXPECT_EQ(TestAspect(bounds, 0, 37).AspectCode, NoAspect) << "no semi-sextile, no semisquare";
    EXPECT_EQ(TestAspect(bounds, 0, 52).AspectCode, 4) << "sextile stays";
    EXPECT_EQ(TestAspect(bounds, 0, 127).AspectCode, 6) << "trine, no sesquisquare";
    EXPECT_EQ(TestAspect(bounds, 0, 150).AspectCode, NoAspect) << "no quincunx";
    o[Option::MinorAspectsLeftOut] = 2;  // any value but 0 switches them off
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
    o[Option::NatalAnglesLeftOut] = 1;
    o[Option::ProgressedPointSet] = 3;
    for (Option i : {Option::TransitSunUsed, Option::TransitMercuryUsed, Option::TransitVenusUsed, Option::TransitMarsUsed}) o[i] = 0;
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
    o[Option::NatalAnglesLeftOut] = 0;
    EXPECT_EQ(targets(AspectFamily::TransitToNatal, SUN), "1 2 3 4 5 6 7 8 9 10 11 12");
    o[Option::TransitSunUsed] = 1;
    EXPECT_EQ(movers(AspectFamily::TransitToNatal), "1 5 6 7 8 9");
    EXPECT_EQ(MoverCount(AspectFamily::TransitToProgressed), 9);
    EXPECT_EQ(MoverCount(AspectFamily::ProgressedToProgressed), 12);
}

TEST(ScanFamilies, AreScannedAndSortedInTheirOrders) {
    std::string scanned, sorted;
    for (const FamilyInfo& f : ScanFamilies) scanned += f.Suffix();
    for (AspectFamily f : SortedByDateOrder) sorted += std::string(FamilyOf(f).Suffix());
    EXPECT_EQ(scanned, "_tn_sn_pn_pp_tp");
    EXPECT_EQ(sorted, "_tn_tp_pn_pp_sn");
}


// ---- The streaming passes against full hit tables ----------------------------------------------

// What the passes would produce from full hit tables of every mover, aspect, target and day: the
// runs with their lines in sorted-by-planet order, the exact lines with the number of beeps, and
// the run lines in sorted-by-date order, each by the plain day-by-day and line-by-line walk.
struct DenseRun {
    int mover, aspectIndex, target, first, last;
    float smallest;
    std::vector<DayRange> smallestDays;
    std::string line;
};
struct DenseListing {
    std::vector<DenseRun> runs;
    std::vector<std::string> exactLines;
    int beeps = 0;
    std::vector<std::string> byDate;
};

// The parts of a point's listed-by-day text "JUPITER 15ari23 (10) ".
std::string Name(const PlacedPoint& p) { return std::string(p.listed.data(), 7); }
std::string Position(const PlacedPoint& p) {
    return std::string(p.listed.data() + 8, 7) + "(" + std::string(p.listed.data() + 17, 2) + ")";
}

DenseListing DenseFamily(const testing::MadeUpDays& t, const FamilyInfo& family, const Options& options) {
    const int days = static_cast<int>(t.days.size());
    const int movers = MoverCount(family.family);
    const auto cells = static_cast<std::size_t>(movers * 9 * 12);
    std::vector<std::int16_t> hitDay(cells * static_cast<std::size_t>(days), -1);
    std::vector<float> hitOrb(cells * static_cast<std::size_t>(days), 100.0f);
    auto at = [&](int mover, int aspect, int target, int day) {
        return ((static_cast<std::size_t>(mover - 1) * 9 + static_cast<std::size_t>(aspect)) * 12 +
                static_cast<std::size_t>(target - 1)) * static_cast<std::size_t>(days) +
               static_cast<std::size_t>(day);
    };
    auto point = [&](PointSet set, int day, int body) -> const PlacedPoint& {
        const ScannedDay& d = t.days[static_cast<std::size_t>(day)];
        const auto i = static_cast<std::size_t>(body - 1);
        switch (set) {
            case PointSet::Transit: return d.transit[i];
            case PointSet::SolarArc: return d.solarArc[i];
            case PointSet::Progressed: return d.progressed[i];
            case PointSet::Natal: break;
        }
        return t.natal[i];
    };
    auto date = [&](int day) { return DateDdMmmYy(t.days[static_cast<std::size_t>(day)].date); };
    const AspectBounds bounds = MakeAspectBounds(options);
    for (int day = 0; day < days; ++day) {
        for (int m = 1; m <= movers; ++m) {
            if (!MoverUsed(family.family, m, options)) continue;
            for (int g = 1; g <= 12; ++g) {
                if (!TargetUsed(family.family, m, g, options)) continue;
                const AspectResult r = TestAspect(bounds, point(family.movers, day, m).longitude,
                                                  point(family.targets, day, g).longitude);
                if (r.AspectCode == NoAspect) continue;
                hitDay[at(m, r.AspectCode - 2, g, day)] = static_cast<std::int16_t>(day);
                hitOrb[at(m, r.AspectCode - 2, g, day)] = std::fabs(r.distance);
            }
        }
    }
    DenseListing listing;
    auto addRun = [&](int m, int a, int g, int first, int last) {
        DenseRun run{m, a, g, first, last, std::numeric_limits<float>::infinity(), {}, ""};
        for (int day = first; day <= last; ++day) run.smallest = std::min(run.smallest, hitOrb[at(m, a, g, day)]);
        for (int day = first; day <= last; ++day) {
            if (hitOrb[at(m, a, g, day)] != run.smallest) continue;
            const auto d = static_cast<std::int16_t>(day);
            if (!run.smallestDays.empty() && run.smallestDays.back().last == day - 1) {
                run.smallestDays.back().last = d;
            } else {
                run.smallestDays.push_back({d, d});
            }
        }
        const PlacedPoint& target = point(family.targets, first, g);
        run.line = Name(point(family.movers, first, m)) + " " + Position(point(family.movers, first, m)) +
                   "-" + Position(point(family.movers, last, m)) + " " +
                   std::string(AspectName(a + 2)) + Name(target) + " " + Position(target) +
                   (family.targets == PointSet::Natal ? "" : "-" + Position(point(family.targets, last, g))) +
                   ", " + (first == 0 ? "<" : " ") + date(first) + "-" + date(last) +
                   (last == days - 1 ? ">" : "");
        listing.runs.push_back(run);
    };
    for (int m = 1; m <= movers; ++m) {
        if (!MoverUsed(family.family, m, options)) continue;
        for (int g = 1; g <= 12; ++g) {
            if (!TargetUsed(family.family, m, g, options)) continue;
            for (int a = 0; a < 9; ++a) {
                if (options[Option::MinorAspectsLeftOut] == 1 && (a == 1 || a == 5)) continue;
                int start = -1;
                for (int day = 0; day < days; ++day) {
                    if (hitDay[at(m, a, g, day)] != -1) {
                        if (start == -1) start = day;
                    } else if (start != -1) {
                        addRun(m, a, g, start, day - 1);
                        start = -1;
                    }
                }
                if (start != -1) addRun(m, a, g, start, days - 1);
            }
        }
    }
    if (family.family == AspectFamily::TransitToNatal) {
        for (int m = 1; m <= 9; ++m) {
            for (int g = 1; g <= 12; ++g) {
                for (int a = 0; a < 9; ++a) {
                    float smallest = 100;
                    int minDay = 0;
                    bool falling = false;
                    for (int day = 0; day < days; ++day) {
                        const float v = hitOrb[at(m, a, g, day)];
                        if (v < smallest) {
                            smallest = v;
                            minDay = day;
                            falling = false;
                        } else if (falling) {
                            smallest = v;
                        } else {
                            if (smallest != 100) {
                                if (smallest < 1) {
                                    listing.exactLines.push_back(
                                        Name(point(PointSet::Transit, minDay, m)) + " at " +
                                        Position(point(PointSet::Transit, minDay, m)) + " " +
                                        std::string(AspectName(a + 2)) + Name(t.natal[static_cast<std::size_t>(g - 1)]) +
                                        " at " + Position(t.natal[static_cast<std::size_t>(g - 1)]) + ",  " +
                                        date(minDay) + " - " + FormatPicture(smallest, "0.00") + " deg.");
                                }
                                ++listing.beeps;
                            }
                            falling = true;
                        }
                    }
                }
            }
        }
    }
    // Sorted by date: every day against every run's first day.
    for (int day = 0; day < days; ++day) {
        for (const DenseRun& run : listing.runs) {
            if (run.first == day) listing.byDate.push_back(run.line);
        }
    }
    return listing;
}

// Runs the passes of every family over the days, in blocks of `blockDays`, and compares the
// files and the result with the full hit tables.
void ExpectSameAsDenseTables(const testing::MadeUpDays& scan, Calculation& calc, std::size_t blockDays) {
    SCOPED_TRACE("blocks of " + std::to_string(blockDays) + " days");
    struct Beeps : ScanObserver {
        int n = 0;
        void Beep() override { ++n; }
    } beeps;
    const auto dir = testing::MakeTempDir();
    ScanResult result;
    {
        ReportSet files(dir, "J");
        result = testing::PassDays(scan, calc.chart, calc.options, files, blockDays);
        ASSERT_TRUE(WriteScanReports(result, calc.chart, calc.options, files, calc.out, beeps).ok);
    }
    EXPECT_EQ(result.ScanDays, static_cast<int>(scan.days.size()));
    for (const FamilyInfo& family : ScanFamilies) {
        SCOPED_TRACE(family.Suffix());
        const DenseListing dense = DenseFamily(scan, family, calc.options);
        const std::span<const ScanRun> runs = result.Runs(family.family);
        ASSERT_EQ(runs.size(), dense.runs.size());
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const ScanRun& run = runs[i];
            const DenseRun& want = dense.runs[i];
            EXPECT_EQ(run.family, family.family);
            EXPECT_EQ((std::vector<int>{run.mover, run.AspectCode, run.target, run.firstDay, run.lastDay}),
                      (std::vector<int>{want.mover, want.aspectIndex + 2, want.target, want.first, want.last}));
            EXPECT_EQ(run.continuesBefore, want.first == 0);
            EXPECT_EQ(run.continuesAfter, want.last == result.ScanDays - 1);
            EXPECT_EQ(run.smallestOrb, want.smallest) << want.line;
            const std::span<const DayRange> days = result.SmallestOrbDays(run);
            ASSERT_EQ(days.size(), want.smallestDays.size()) << want.line;
            for (std::size_t k = 0; k < days.size(); ++k) {
                EXPECT_EQ(days[k].first, want.smallestDays[k].first) << want.line;
                EXPECT_EQ(days[k].last, want.smallestDays[k].last) << want.line;
            }
            EXPECT_EQ(RunLine(result, run), want.line);
            lines.push_back(want.line);
        }
        EXPECT_EQ(testing::ReportFileLines(dir / ("J" + family.Suffix() + ".txt")), lines);
        EXPECT_EQ(testing::ReportFileLines(dir / ("J" + family.Suffix() + ".asc")), dense.byDate);
        if (family.family == AspectFamily::TransitToNatal) {
            EXPECT_EQ(testing::ReportFileLines(dir / "J_ex.txt"), dense.exactLines);
            EXPECT_EQ(beeps.n, dense.beeps);
            EXPECT_EQ(result.exactDates.size(), static_cast<std::size_t>(dense.beeps));
            EXPECT_GT(dense.beeps, 0);
            // Every exact date lies in a run of its mover, aspect and target.
            for (const ExactDate& exact : result.exactDates) {
                const ScanRun& run = result.runs[exact.run];
                EXPECT_EQ(run.family, AspectFamily::TransitToNatal);
                EXPECT_TRUE(run.firstDay <= exact.day && exact.day <= run.lastDay) << exact.day;
                EXPECT_LE(run.smallestOrb, exact.distance);
            }
        }
    }
}

// The same over `days` days of the John Smith chart, computed day after day.
void ExpectSameAsDenseTables(const Options& options, int days) {
    Calculation calc = testing::JohnSmithCalculation(options);
    testing::MadeUpDays scan;
    scan.firstJD = calc.chart.DiurnalJD;
    scan.natal = NatalTargets(calc.chart);
    ScanDayContext context(calc.chart, calc.eph, calc.options);
    scan.days.resize(static_cast<std::size_t>(days));
    for (int day = 0; day < days; ++day) ComputeScannedDay(context, day, scan.days[static_cast<std::size_t>(day)]);
    for (const FamilyInfo& family : ScanFamilies) {
        EXPECT_FALSE(DenseFamily(scan, family, calc.options).runs.empty()) << family.Suffix();
    }
    ExpectSameAsDenseTables(scan, calc, 32);
}

TEST(ScanPasses, FindTheSameRunsExactDatesAndDateOrderAsFullHitTables) {
    ExpectSameAsDenseTables(testing::ShippedOrbs(), 1500);
}

TEST(ScanPasses, AgreeWithFullHitTablesUnderFiltersAndOrbsBeyondOneHundredDegrees) {
    // Orbs this wide make distances from exact of 100 degrees and more, which the exact-date
    // search treats like days out of orb.
    Options o = testing::ShippedOrbs();
    o[Option::ConjunctionOrb] = 120;
    o[Option::SquareOrb] = 12;
    o[Option::OppositionOrb] = 30;
    o[Option::NatalAnglesLeftOut] = 1;
    o[Option::ProgressedPointSet] = 2;
    o[Option::TransitSunUsed] = 0;
    ExpectSameAsDenseTables(o, 400);
}

TEST(ScanPasses, AgreeWithFullHitTablesWhereMinimaLieAboveOneHundredDegrees) {
    // With a conjunction orb of 120 the transiting SUN's distance from a conjunction with the natal
    // SUN (0) runs 111, 110, 111 between trines (125), falls to 40 and rises to 105, and again
    // 111, 110, 111: the search must carry its state over single days out of orb exactly.
    Calculation calc;
    calc.chart = testing::HeaderChart("Test Person");
    calc.options = testing::ShippedOrbs();
    calc.options[Option::ConjunctionOrb] = 120;
    const testing::MadeUpDays scan = testing::MadeUpScan(
        {125, 111, 110, 111, 125, 50, 40, 42, 105, 125, 111, 110, 111, 125});
    // However the days fall into blocks.
    for (const std::size_t block : {1, 3, 14}) ExpectSameAsDenseTables(scan, calc, block);
}

TEST(RunAspectScan, LeavesTheLastDaysWorkingValuesAndTheNatalCusps) {
    // On one thread, and on two whose last block may be either's.
    for (const auto& [days, threads] : {std::pair{3, 1}, std::pair{100, 2}}) {
        SCOPED_TRACE(std::to_string(days) + " days on " + std::to_string(threads) + " threads");
        Calculation calc = testing::JohnSmithCalculation(testing::ShippedOrbs());
        const ChartState before = calc.chart;
        const auto dir = testing::MakeTempDir();
        ScanObserver quiet;
        CollectingReporter reporter;
        calc.chart.WorkCusp = calc.chart.TransitCusp;
        ScanResult result;
        const ScanInputs inputs{.chart = calc.chart, .eph = calc.eph, .options = calc.options,
                                .scanDays = days, .reportsFolder = dir, .settings = {threads}};
        ASSERT_EQ(RunAspectScan(inputs, calc.out, quiet, reporter, result), ScanOutcome::Completed);
        EXPECT_EQ(calc.chart.WorkCusp, before.NatalCusp);
        // The progressed step of the last day set the time values last.
        const int last = days - 1;
        EXPECT_EQ(calc.eph.ScanT, before.ProgT + last / 36525.0 / 365.25);
        EXPECT_EQ(calc.eph.EphT, calc.eph.ScanT);
        EXPECT_EQ(calc.eph.DayNumber, before.ProgDayNumber + last);
        EXPECT_EQ(calc.eph.NegObliquityRad, NegObliquityRadians(calc.eph.ScanT));
        // WorkLong holds that day's solar-arc points: natal points moved by one arc, placed in the
        // natal houses of the house placement line.
        const double arc = std::fmod(calc.eph.WorkLong[SUN] - before.NatalLong[SUN] + 360, 360);
        for (int p = MERCURY; p <= MC; ++p) {
            EXPECT_NEAR(std::fmod(calc.eph.WorkLong[static_cast<std::size_t>(p)] -
                                      before.NatalLong[static_cast<std::size_t>(p)] + 360, 360),
                        arc, 1e-9) << p;
        }
        std::string houseLine = before.HouseLine;
        HousePlacement(calc.eph.WorkLong, before.NatalCusp, houseLine);
        EXPECT_EQ(calc.chart.HouseLine, houseLine);
        EXPECT_TRUE(reporter.messages.empty());
        EXPECT_EQ(testing::ReportFolderNames(dir).size(), 16u);
    }
}

// One body's position, as a search that follows one body computes it, is the same bits as the
// whole day's update gives it, for every body, at whole and fractional days, from both sources;
// and the longitudes a scan keeps for such a search are the days' own.
TEST(ScanPositions, OneBodyAloneAndTheKeptDaysAreTheWholeUpdatesBits) {
    std::vector<EphemerisSource> sources = {EphemerisSource::Builtin};
    if (CheckPreciseEphemeris().available) sources.push_back(EphemerisSource::Precise);
    for (const std::filesystem::path& caseDir : testing::GoldenCases("scan")) {
        for (const EphemerisSource source : sources) {
            SCOPED_TRACE(caseDir.filename().string() + (source == EphemerisSource::Precise ? " precise" : " builtin"));
            std::string days;
            Calculation calc = testing::GoldenScanCalculation(caseDir, days);
            calc.eph.Source = source;
            CollectingReporter reporter;
            RunCalculationStart(calc);
            ASSERT_TRUE(ComputeCharts(calc, reporter));
            ScanDayContext whole(calc.chart, calc.eph, calc.options);
            ScanDayContext alone(calc.chart, calc.eph, calc.options);
            for (const double day : {0.0, 1.0, 0.5, 17.000347, 365.25, 9999.99, 32766.0}) {
                TransitLongitudesAt(whole, day);
                for (int body = SUN; body <= MOON; ++body) {
                    EXPECT_EQ(TransitLongitudeAt(alone, body, day), whole.eph.WorkLong[static_cast<std::size_t>(body)])
                        << "transit " << PointName(body) << " day " << day;
                }
                ProgressedLongitudesAt(whole, day);
                // The angles last: each body is asked for after the others, in any order.
                for (int body = MC; body >= SUN; --body) {
                    EXPECT_EQ(ProgressedLongitudeAt(alone, body, day), whole.eph.WorkLong[static_cast<std::size_t>(body)])
                        << "progressed " << PointName(body) << " day " << day;
                }
            }

            // A scan on two threads keeps every day's longitudes.
            ScanLongitudes kept;
            CalculationRequest request;
            request.askDays = [] { return std::optional<std::string>("70"); };
            request.scan = {2, false, &kept};
            ScanObserver quiet;
            ASSERT_EQ(RunCalculation(calc, request, quiet, reporter).scan, ScanOutcome::Completed);
            ASSERT_EQ(kept.transit.size(), 70u);
            ASSERT_EQ(kept.progressed.size(), 70u);
            for (int day = 0; day < 70; day += 23) {
                TransitLongitudesAt(whole, day);
                for (int body = SUN; body <= PLUTO; ++body) {
                    EXPECT_EQ(kept.transit[static_cast<std::size_t>(day)][static_cast<std::size_t>(body - 1)],
                              whole.eph.WorkLong[static_cast<std::size_t>(body)]) << PointName(body) << " day " << day;
                }
                ProgressedLongitudesAt(whole, day);
                for (int body = SUN; body <= MC; ++body) {
                    EXPECT_EQ(kept.progressed[static_cast<std::size_t>(day)][static_cast<std::size_t>(body - 1)],
                              whole.eph.WorkLong[static_cast<std::size_t>(body)]) << PointName(body) << " day " << day;
                }
            }
        }
    }
}

}  // namespace
}  // namespace orrerion
