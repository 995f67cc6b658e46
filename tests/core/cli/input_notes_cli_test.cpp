// What orrerion-cli says about input it refuses (the field and the rule), about a zone whose
// decimals read like minutes, and about dates that are probably not what was meant; and that
// names add stores only records a chart can be calculated from.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/ephemeris/precise_ephemeris.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;
using testing::RunCli;

const std::string Natal = "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43";
const std::string Diurnal = ",07 Dec 2026,12.00,P,5,074.00,40.43";
const std::string NatalMessage = "Error in natal input data section. Please correct.";
const std::string DiurnalMessage = "Error in diurnal input data section. Please correct.";
const std::string HourRule = " is not an hour from 1 to 12 with A.M./P.M.";

std::vector<std::string> ChartArgs(const std::string& natal, const std::string& diurnal,
                                   const std::string& ephemeris = "builtin") {
    return {"chart",       "--natal",    natal,     "--diurnal",
            diurnal,       "--options",  (testing::GoldenDir() / "options/OPTIONS_default.OPT").string(),
            "--date-order", "0",         "--ephemeris", ephemeris};
}

// The section's message, then the field and its rule; exit status 2 and no chart. An hour past 12
// with A or P was once read modulo 12 (13.30,A as 1.30 A.M.) with exit status 0.
TEST(InputRefusals, TheSecondLineNamesTheFieldAndTheRule) {
    struct Case { std::string natal, diurnal, err; };
    const Case cases[] = {
        {"X,13 Jan 1950,13.30,A,5,074.00,40.43", Diurnal, "Warning!: " + NatalMessage + "\nBirth Hour: 13" + HourRule + "\n"},
        {"X,13 Jan 1950,13.30,P,5,074.00,40.43", Diurnal, "Warning!: " + NatalMessage + "\nBirth Hour: 13" + HourRule + "\n"},
        {"X,13 Jan 1950,25.00,A,5,074.00,40.43", Diurnal, "Warning!: " + NatalMessage + "\nBirth Hour: 25" + HourRule + "\n"},
        {"X,13 Jan 1950,99.00,A,5,074.00,40.43", Diurnal, "Warning!: " + NatalMessage + "\nBirth Hour: 99" + HourRule + "\n"},
        {"X,13 Jan 1950,8.30,A,40,074.00,40.43", Diurnal,
         "Warning!: " + NatalMessage +
             "\nTime Zone: 40 is not a zone from -14 to 12 hours (hours west of Greenwich, negative east)\n"},
        {"X,13 Jan 1950,8.30,A,5,074.00,95.00", Diurnal,
         "Warning!: " + NatalMessage + "\nLat Degrees: 95 is not a latitude from 0 to 90 degrees\n"},
        {Natal, ",07 Dec 2026,14.75,P,5,074.00,40.43", "Warning!: " + DiurnalMessage + "\nDiurnal Hour: 14" + HourRule + "\n"},
        {"X,29 Feb 1951,8.30,A,5,074.00,40.43", Diurnal,
         "orrerion-cli chart: --natal: Birth Day: 29 February 1951 is not a day of the calendar: 1951 is no leap "
         "year (" + NatalMessage + ")\n"},
    };
    for (const Case& c : cases) {
        const auto r = RunCli(ChartArgs(c.natal, c.diurnal));
        EXPECT_EQ(r.status, 2) << c.natal << " / " << c.diurnal;
        EXPECT_EQ(r.out, "") << c.natal;
        EXPECT_EQ(r.err, c.err);
    }
    // 0.30 with A is 12.30 A.M., the 12-hour reading of hour 0.
    EXPECT_EQ(RunCli(ChartArgs("X,13 Jan 1950,0.30,A,5,074.00,40.43", Diurnal)).status, 0);
}

// The zone keeps its meaning as decimal hours; decimals that read like minutes bring one note per
// zone text on stderr, and the chart is calculated.
TEST(ZoneNotes, MinutesWrittenAsDecimalsAreNotedOncePerZone) {
    const std::string delhi = "X,13 Jan 1950,8.30,A,-5.30,-077.13,28.40";
    const std::string delhiNote = "Note: zone -5.30 is read as 5 h 18 min east; write -5.5 for 5 h 30 min\n";
    struct Case { std::string natal, diurnal, err; };
    const Case cases[] = {
        {delhi, ",07 Dec 2026,12.00,P,-5.30,-077.13,28.40", delhiNote},
        {delhi, Diurnal, delhiNote},
        {Natal, ",07 Dec 2026,12.00,P,3.30,052.43,47.34",
         "Note: zone 3.30 is read as 3 h 18 min west; write 3.5 for 3 h 30 min\n"},
        {delhi, ",07 Dec 2026,12.00,P,-5.45,-085.19,27.42",
         delhiNote + "Note: zone -5.45 is read as 5 h 27 min east; write -5.75 for 5 h 45 min\n"},
        {"X,13 Jan 1950,8.30,A,-5.5,-077.13,28.40", ",07 Dec 2026,12.00,P,-5.75,-085.19,27.42", ""},
        {Natal, Diurnal, ""},
    };
    for (const Case& c : cases) {
        const auto r = RunCli(ChartArgs(c.natal, c.diurnal));
        EXPECT_EQ(r.status, 0) << c.natal << " / " << c.diurnal << ": " << r.err;
        EXPECT_EQ(r.err, c.err) << c.natal << " / " << c.diurnal;
    }
}

// A diurnal date before the birth, and precise positions outside the years of the library's data
// files, are noted on stderr; the chart is still calculated.
TEST(DateNotes, DoubtfulDatesAreNotedAndCalculated) {
    const bool precise = CheckPreciseEphemeris().available;
    struct Case { std::string natal, diurnal, ephemeris, err; };
    const Case cases[] = {
        {Natal, ",07 Dec 1949,12.00,P,5,074.00,40.43", "builtin",
         "Note: Diurnal date 7 December 1949 precedes the birth, 13 January 1950.\n"},
        // The years of the built-in series are noted once, by the note on the series.
        {Natal, ",07 Dec 1026,12.00,P,5,074.00,40.43", "builtin",
         "Note: Diurnal date 7 December 1026 precedes the birth, 13 January 1950.\n"
         "Note: The built-in series was used for a date outside 1885-2099"},
        {"Old,13 Jan 1750,8.30,A,5,074.00,40.43", Diurnal, "precise",
         "Note: Birth date 13 January 1750 lies outside the Swiss Ephemeris data files (1800-2399 with "
         "swe-basic-data): the library computes it from its less precise fallback series.\n"},
        {"Old,15 Jun 1850,10.00,A,0,000.07,51.30", Diurnal, "precise", ""},
        {Natal, ",13 Jan 1950,8.30,A,5,074.00,40.43", "builtin", ""},  // the moment of birth itself
    };
    for (const Case& c : cases) {
        if (c.ephemeris == "precise" && !precise) continue;
        const auto r = RunCli(ChartArgs(c.natal, c.diurnal, c.ephemeris));
        EXPECT_EQ(r.status, 0) << c.natal << " / " << c.diurnal << ": " << r.err;
        EXPECT_FALSE(r.out.empty());
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.natal << " / " << c.diurnal;
        EXPECT_EQ(r.err.empty(), c.err.empty()) << r.err;
    }
}

// names add refuses what a calculation refuses, naming the field and the rule; nothing is written.
// (Time 14.75, zone 40 and latitude 98.51 were once stored with exit status 0.)
TEST(NamesAdd, StoresOnlyRecordsAChartCanBeCalculatedFrom) {
    struct Case { const char* record; std::string err; };
    const std::string refused = "orrerion-cli names: " + NatalMessage + "\n";
    const Case cases[] = {
        {"Ann,13 Jan 1950,14.75,A,5,074.00,40.43", refused + "Birth Hour: 14" + HourRule + "\n"},
        {"Ann,13 Jan 1950,8.30,A,40,074.00,40.43",
         refused + "Time Zone: 40 is not a zone from -14 to 12 hours (hours west of Greenwich, negative east)\n"},
        {"Ann,13 Jan 1950,8.30,A,5,074.00,98.51", refused + "Lat Degrees: 98 is not a latitude from 0 to 90 degrees\n"},
        {"Ann,13 Jan 1950,8.75,A,5,074.00,40.43", refused + "Birth Minute: 75 is not a minute from 0 to 59\n"},
        // A day the month does not have is refused as the record is read.
        {"Ann,31 Apr 1950,8.30,A,5,074.00,40.43",
         "orrerion-cli names: RECORD: Birth Day: 31 April 1950 is not a day of the calendar\n"},
    };
    const fs::path dir = testing::MakeTempDir();
    const fs::path file = dir / "NAMES.FIL";
    const std::string stored = "Bob,02 Feb 1970,4.00,P,5,071.05,42.21\r\n";
    testing::WriteWholeFile(file, stored);
    for (const Case& c : cases) {
        const auto r = RunCli({"names", "add", file.string(), c.record});
        EXPECT_EQ(r.status, 2) << c.record;
        EXPECT_EQ(r.err, c.err) << c.record;
        EXPECT_EQ(testing::ReadWholeFile(file), stored) << c.record;
        EXPECT_FALSE(fs::exists(dir / "NAMES.OLD")) << c.record;
    }
    const auto r = RunCli({"names", "add", file.string(), "Ann,13 Jan 1950,12.45,A,5,074.00,40.43"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(testing::ReadWholeFile(file), stored + "Ann,13 Jan 1950,12.45,A,5,074.00,40.43\r\n");
}

}  // namespace
}  // namespace orrerion
