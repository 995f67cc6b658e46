// The checks of the natal and diurnal fields, their messages and counts, and the parsing.
#include <gtest/gtest.h>

#include "core/chart/input_checks.h"
#include "core/run/calculation.h"

namespace orrerion {
namespace {

NatalFields GoodNatal() {
    NatalFields f;
    f.txtName = "John Smith";
    f.txtMonth = "1";
    f.txtDay = "13";
    f.txtYear = "1950";
    f.txtBirthHour = "8";
    f.txtBirthMinute = "30";
    f.txtTZ = "5";
    f.txtLongDeg = "74";
    f.txtLongMin = "0";
    f.txtLatDeg = "40";
    f.txtLatMin = "43";
    return f;
}

DiurnalFields GoodDiurnal() {
    DiurnalFields f;
    f.txtDiurnalMonth = "12";
    f.txtDiurnalDay = "7";
    f.txtDiurnalYear = "2026";
    f.txtDiurnalHour = "12";
    f.txtDiurnalMinute = "0";
    f.optDiurnalAM = false;
    f.txtDiurnalTZ = "5";
    f.txtDiurnalLongDeg = "74";
    f.txtDiurnalLongMin = "0";
    f.txtDiurnalLatDeg = "40";
    f.txtDiurnalLatMin = "43";
    return f;
}

Calculation GoodCalculation() {
    Calculation calc;
    calc.natal = GoodNatal();
    calc.diurnal = GoodDiurnal();
    return calc;
}

std::vector<InputProblem> CheckAllInputOf(const Calculation& calc) {
    return CheckAllInput(calc.natal, calc.diurnal, calc.houseMarks);
}

std::vector<std::string> Messages(const std::vector<InputProblem>& problems) {
    std::vector<std::string> out;
    for (const auto& p : problems) out.push_back(p.message);
    return out;
}

const std::string natalMsg = NatalInputMessage;
const std::string diurnalMsg = DiurnalInputMessage;
const std::string latitudeMsg = LatitudeLimitMessage;

TEST(InputChecks, GoodInputPassesEveryCheck) {
    EXPECT_TRUE(CheckAllInputOf(GoodCalculation()).empty());
}

TEST(InputChecks, MessagesAreTheWindowsOwn) {
    EXPECT_EQ(natalMsg, "Error in natal input data section. Please correct.");
    EXPECT_EQ(diurnalMsg, "Error in diurnal input data section. Please correct.");
    const Message m = InputWarning({"txtMonth", natalMsg});
    EXPECT_EQ(m.title, "Warning!");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.text, natalMsg);
}

TEST(InputChecks, EmptyMonthFailsTwoChecksAZeroMonthOne) {
    Calculation calc = GoodCalculation();
    calc.natal.txtMonth = "";
    auto problems = CheckAllInputOf(calc);
    EXPECT_EQ(Messages(problems), (std::vector<std::string>{natalMsg, natalMsg}));
    EXPECT_EQ(problems[0].field, "txtMonth");

    calc.natal.txtMonth = "0";
    EXPECT_EQ(Messages(CheckAllInputOf(calc)), (std::vector<std::string>{natalMsg}));
}

TEST(InputChecks, EveryFailingCheckReportsOnceInOrder) {
    Calculation calc = GoodCalculation();
    calc.natal.txtBirthMinute = "";      // natal empty-field check 3
    calc.natal.txtLatMin = "";           // natal empty-field check 5
    calc.diurnal.txtDiurnalYear = "0";   // diurnal empty-field check 1
    calc.natal.txtLatDeg = "70";         // latitude limit
    calc.natal.txtMonth = "13";          // natal range check 1
    calc.natal.txtDay = "32";            // the same check: still one message
    calc.diurnal.txtDiurnalTZ = "14";    // diurnal range check 3
    calc.diurnal.txtDiurnalLongMin = "60";  // diurnal range check 4
    const auto problems = CheckAllInputOf(calc);
    EXPECT_EQ(Messages(problems),
              (std::vector<std::string>{natalMsg, natalMsg, diurnalMsg, latitudeMsg, natalMsg,
                                        diurnalMsg, diurnalMsg}));
    EXPECT_EQ(problems[0].field, "txtBirthMinute");
    EXPECT_EQ(problems[1].field, "txtLatMin");
    EXPECT_EQ(problems[2].field, "txtDiurnalYear");
    EXPECT_EQ(problems[4].field, "txtMonth");
}

TEST(InputChecks, ZoneBelowMinusTwoOnlyWithEastLongitude) {
    NatalFields f = GoodNatal();
    f.txtTZ = "-3";
    EXPECT_EQ(CheckInputFields(f, GoodDiurnal()).size(), 1u);  // west longitude
    f.txtTZ = "-2";
    EXPECT_TRUE(CheckInputFields(f, GoodDiurnal()).empty());
    f.optEast = true;
    f.txtTZ = "-13";
    EXPECT_TRUE(CheckInputFields(f, GoodDiurnal()).empty());
    EXPECT_TRUE(CheckNatalRanges(f).empty());
    f.txtTZ = "-13.5";
    EXPECT_EQ(Messages(CheckNatalRanges(f)), (std::vector<std::string>{natalMsg}));
    f.txtTZ = "12.5";
    EXPECT_EQ(CheckNatalRanges(f).size(), 1u);
}

TEST(InputChecks, RangeLimitsAreInclusive) {
    struct Case { std::string NatalFields::*field; const char* pass; const char* fail; };
    const Case cases[] = {
        {&NatalFields::txtMonth, "12", "13"},     {&NatalFields::txtDay, "31", "32"},
        {&NatalFields::txtYear, "2099", "2100"},  {&NatalFields::txtBirthHour, "12", "13"},
        {&NatalFields::txtBirthMinute, "59", "60"}, {&NatalFields::txtTZ, "12", "12.01"},
        {&NatalFields::txtLongDeg, "180", "181"}, {&NatalFields::txtLongMin, "59", "60"},
        {&NatalFields::txtLatMin, "59", "60"},
    };
    for (const Case& c : cases) {
        NatalFields f = GoodNatal();
        f.*(c.field) = c.pass;
        EXPECT_TRUE(CheckNatalRanges(f).empty()) << c.pass;
        f.*(c.field) = c.fail;
        EXPECT_EQ(CheckNatalRanges(f).size(), 1u) << c.fail;
    }
    // Longitude 180 degrees 59 minutes passes; negative values are not refused.
    NatalFields f = GoodNatal();
    f.txtLongDeg = "180";
    f.txtLongMin = "59";
    f.txtBirthHour = "-1";
    EXPECT_TRUE(CheckNatalRanges(f).empty());
}

TEST(InputChecks, DiurnalRangesUseTheDiurnalMessage) {
    DiurnalFields f = GoodDiurnal();
    f.txtDiurnalHour = "13";
    f.txtDiurnalMinute = "75";  // same check as the hour
    f.txtDiurnalLatMin = "60";
    EXPECT_EQ(Messages(CheckDiurnalRanges(f)), (std::vector<std::string>{diurnalMsg, diurnalMsg}));
}

TEST(InputChecks, TextAfterALeadingNumberIsRefused) {
    for (auto field : {&NatalFields::txtMonth, &NatalFields::txtBirthMinute, &NatalFields::txtTZ,
                       &NatalFields::txtLatDeg}) {
        NatalFields f = GoodNatal();
        f.*field = "12a";
        // The empty-field checks read only the leading number and pass.
        EXPECT_TRUE(CheckInputFields(f, GoodDiurnal()).empty());
        EXPECT_EQ(Messages(CheckNatalRanges(f)), (std::vector<std::string>{natalMsg}));
    }
    NatalFields f = GoodNatal();
    f.txtDay = "1e3";
    f.txtYear = "19 50";
    EXPECT_EQ(CheckNatalRanges(f).size(), 1u);  // one check, however many fields
    // Surrounding blanks, a sign and decimals are plain numbers.
    f = GoodNatal();
    f.txtTZ = " -5.5 ";
    f.optEast = true;
    f.txtLongMin = "+3";
    EXPECT_TRUE(CheckNatalRanges(f).empty());
}

TEST(InputChecks, DateFieldsMustFitSixteenBits) {
    NatalFields f = GoodNatal();
    f.txtYear = "-40000";
    EXPECT_EQ(CheckNatalRanges(f).size(), 1u);
    f.txtYear = "-3000";
    EXPECT_TRUE(CheckNatalRanges(f).empty());
}

TEST(LatitudeLimit, SixtySixDegreesIsTheLastAccepted) {
    HouseMenuMarks placidus;
    NatalFields n = GoodNatal();
    DiurnalFields d = GoodDiurnal();
    n.txtLatDeg = "66";
    n.txtLatMin = "0";
    EXPECT_TRUE(CheckLatitudeLimit(n, d, placidus).empty());
    n.txtLatMin = "1";
    EXPECT_EQ(Messages(CheckLatitudeLimit(n, d, placidus)),
              (std::vector<std::string>{latitudeMsg}));
    n.txtLatMin = "0";
    d.txtDiurnalLatDeg = "70";
    d.txtDiurnalLatMin = "0";
    const auto problems = CheckLatitudeLimit(n, d, placidus);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].field, "txtDiurnalLatDeg");
    // Both windows too high: still one message.
    n.txtLatDeg = "80";
    EXPECT_EQ(CheckLatitudeLimit(n, d, placidus).size(), 1u);
}

TEST(LatitudeLimit, MeridianAcceptsAnyLatitude) {
    HouseMenuMarks meridian;
    meridian.mnuHousePlacidus = false;
    meridian.mnuHouseMeridian = true;
    NatalFields n = GoodNatal();
    n.txtLatDeg = "89";
    n.txtLatMin = "59";
    EXPECT_TRUE(CheckLatitudeLimit(n, GoodDiurnal(), meridian).empty());
    for (auto mark : {&HouseMenuMarks::mnuHouseKoch, &HouseMenuMarks::mnuHouseRegiomontanus,
                      &HouseMenuMarks::mnuHousePorphyry}) {
        HouseMenuMarks other;
        other.mnuHousePlacidus = false;
        other.*mark = true;
        EXPECT_EQ(CheckLatitudeLimit(n, GoodDiurnal(), other).size(), 1u);
    }
}

TEST(Parse, NatalValuesWordsAndDateText) {
    ParsedInput in;
    NatalFields f = GoodNatal();
    ParseNatal(f, 1, in);
    EXPECT_EQ(in.NatalDay, 13);
    EXPECT_EQ(in.NatalMonth, 1);
    EXPECT_EQ(in.NatalYear, 1950);
    EXPECT_EQ(in.NatalHour, 8.30f);  // single precision, deliberately
    EXPECT_EQ(in.NatalZone, 5.0f);
    EXPECT_EQ(in.NatalMeridiem, "A.M.");
    EXPECT_EQ(in.NatalLongitude, 74.0f);
    EXPECT_EQ(in.NatalLongitudeWord, "WEST");
    EXPECT_EQ(in.NatalLatitude, 40.43f);
    EXPECT_EQ(in.NatalLatitudeWord, "NORTH");
    EXPECT_EQ(in.NatalDateText, "13/1/1950");

    f.optAM = false;
    f.optEast = true;
    f.optSouth = true;
    f.txtLongMin = "41";
    ParseNatal(f, 0, in);
    EXPECT_EQ(in.NatalMeridiem, "P.M.");
    EXPECT_EQ(in.NatalLongitude, -74.41f);
    EXPECT_EQ(in.NatalLongitudeWord, "EAST");
    EXPECT_EQ(in.NatalLatitude, -40.43f);
    EXPECT_EQ(in.NatalLatitudeWord, "SOUTH");
    EXPECT_EQ(in.NatalDateText, "1/13/1950");
    ParseNatal(f, 2, in);
    EXPECT_EQ(in.NatalDateText, "1950/1/13");
    ParseNatal(f, 7, in);  // an unknown order reads as month first
    EXPECT_EQ(in.NatalDateText, "1/13/1950");
}

TEST(Parse, ZeroLongitudeWithEastIsWest) {
    ParsedInput in;
    NatalFields f = GoodNatal();
    f.txtLongDeg = "0";
    f.txtLongMin = "0";
    f.optEast = true;
    ParseNatal(f, 0, in);
    EXPECT_EQ(in.NatalLongitudeWord, "WEST");
}

TEST(Parse, AgeYearsAndLastBirthday) {
    // Born 13 January 1950.
    struct Case { const char* month; const char* day; const char* year; int age; int lastBirthday; };
    const Case cases[] = {
        {"1", "12", "2026", 75, 2025},  // one day before the birthday
        {"1", "13", "2026", 76, 2026},  // on the birthday
        {"1", "14", "2026", 76, 2026},
        {"2", "1", "2026", 76, 2026},
        {"12", "31", "2025", 75, 2025},
        {"1", "13", "1950", 0, 1950},
    };
    for (const Case& c : cases) {
        ParsedInput in;
        ParseNatal(GoodNatal(), 0, in);
        DiurnalFields d = GoodDiurnal();
        d.txtDiurnalMonth = c.month;
        d.txtDiurnalDay = c.day;
        d.txtDiurnalYear = c.year;
        ParseDiurnal(d, 0, in);
        EXPECT_EQ(in.AgeYears, c.age) << c.month << "/" << c.day << "/" << c.year;
        EXPECT_EQ(in.LastBirthdayYear, c.lastBirthday) << c.month << "/" << c.day << "/" << c.year;
    }
}

TEST(Parse, DateFieldsRoundToTheNearestWholeNumber) {
    ParsedInput in;
    NatalFields f = GoodNatal();
    f.txtDay = "12.6";
    f.txtMonth = "2.5";  // a tie goes to the even number
    ParseNatal(f, 0, in);
    EXPECT_EQ(in.NatalDay, 13);
    EXPECT_EQ(in.NatalMonth, 2);
}

}  // namespace
}  // namespace orrerion
