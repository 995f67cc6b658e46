// The checks of the natal and diurnal fields, their messages and counts, and the parsing.
#include <gtest/gtest.h>

#include "core/chart/input_checks.h"
#include "core/run/calculation.h"
#include "field_builders.h"

namespace orrerion {
namespace {

InputFields GoodNatal() { return testing::JohnSmithFields(); }

InputFields GoodDiurnal() { return testing::DefaultDiurnalFields(); }

Calculation GoodCalculation() {
    Calculation calc;
    calc.natal = GoodNatal();
    calc.diurnal = GoodDiurnal();
    return calc;
}

std::vector<InputProblem> CheckAllInputOf(const Calculation& calc) {
    return CheckAllInput(calc.natal, calc.diurnal, calc.houseSystem);
}

// The first line of each message (the latitude refusal's second line is checked on its own).
std::vector<std::string> Messages(const std::vector<InputProblem>& problems) {
    std::vector<std::string> out;
    for (const auto& p : problems) out.push_back(p.message.substr(0, p.message.find('\n')));
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
    const Message m = InputWarning({{InputSection::Natal, InputField::Month}, natalMsg, "Birth Month: 13 is not a month from 1 to 12"});
    EXPECT_EQ(m.title, "Warning!");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.text, natalMsg + "\nBirth Month: 13 is not a month from 1 to 12");
    EXPECT_EQ(InputWarning({{InputSection::Natal, InputField::LatDeg}, latitudeMsg, ""}).text, latitudeMsg);
}

TEST(InputChecks, EmptyMonthFailsTwoChecksAZeroMonthOne) {
    Calculation calc = GoodCalculation();
    calc.natal.month = "";
    auto problems = CheckAllInputOf(calc);
    EXPECT_EQ(Messages(problems), (std::vector<std::string>{natalMsg, natalMsg}));
    EXPECT_EQ(problems[0].field, (FieldRef{InputSection::Natal, InputField::Month}));

    calc.natal.month = "0";
    EXPECT_EQ(Messages(CheckAllInputOf(calc)), (std::vector<std::string>{natalMsg}));
}

TEST(InputChecks, EveryFailingCheckReportsOnceInOrder) {
    Calculation calc = GoodCalculation();
    calc.natal.minute = "";      // natal empty-field check 3
    calc.natal.latMin = "";           // natal empty-field check 5
    calc.diurnal.year = "0";   // diurnal empty-field check 1
    calc.natal.latDeg = "70";         // latitude limit
    calc.natal.month = "13";          // natal range check 1
    calc.natal.day = "32";            // the same check: still one message
    calc.diurnal.zone = "14";    // diurnal range check 3
    calc.diurnal.longMin = "60";  // diurnal range check 4
    const auto problems = CheckAllInputOf(calc);
    EXPECT_EQ(Messages(problems),
              (std::vector<std::string>{natalMsg, natalMsg, diurnalMsg, latitudeMsg, natalMsg,
                                        diurnalMsg, diurnalMsg}));
    EXPECT_EQ(problems[0].field, (FieldRef{InputSection::Natal, InputField::Minute}));
    EXPECT_EQ(problems[1].field, (FieldRef{InputSection::Natal, InputField::LatMin}));
    EXPECT_EQ(problems[2].field, (FieldRef{InputSection::Diurnal, InputField::Year}));
    EXPECT_EQ(problems[4].field, (FieldRef{InputSection::Natal, InputField::Month}));
}

// Every zone in use today is accepted where it is in use, including the places west of Greenwich
// across the date line (zones -12 to -14 from 150 degrees west on); a zone typed with the wrong
// sign is still caught everywhere else.
TEST(InputChecks, ZoneSignAndRangeFitEveryPlaceOnEarth) {
    struct Case { const char* place; const char* zone; const char* longDeg; bool east; bool accepted; };
    const Case cases[] = {
        {"Kiritimati, Line Islands", "-14", "157", false, true},
        {"Millennium Island, Line Islands", "-14", "150", false, true},
        {"Apia, Samoa", "-13", "171", false, true},
        {"Nuku'alofa, Tonga", "-13", "175", false, true},
        {"Chatham Islands in summer", "-13.75", "176", false, true},
        {"Wallis", "-12", "176", false, true},
        {"Baker Island", "12", "176", false, true},
        {"Auckland", "-12", "174", true, true},
        {"Madrid (west of Greenwich, one hour ahead)", "-1", "3", false, true},
        {"Honolulu typed with the wrong sign", "-10", "157", false, false},
        {"New York typed with the wrong sign", "-5", "74", false, false},
        {"a date-line zone short of 150 degrees west", "-13", "149", false, false},
        {"a zone below any in use", "-14.5", "157", false, false},
        {"a zone beyond any in use", "12.5", "176", false, false},
    };
    for (const Case& c : cases) {
        InputFields f = GoodNatal();
        f.zone = c.zone;
        f.longDeg = c.longDeg;
        f.east = c.east;
        std::vector<InputProblem> problems = CheckInputFields(f, GoodDiurnal());
        const std::vector<InputProblem> ranges = CheckRanges(f, InputSection::Natal);
        problems.insert(problems.end(), ranges.begin(), ranges.end());
        EXPECT_EQ(problems.empty(), c.accepted) << c.place;
        for (const InputProblem& p : problems) {
            EXPECT_EQ(p.field, (FieldRef{InputSection::Natal, InputField::Zone})) << c.place;
            EXPECT_EQ(p.message, natalMsg) << c.place;
        }
    }
}

TEST(InputChecks, RangeLimitsAreInclusive) {
    struct Case { std::string InputFields::*field; const char* pass; const char* fail; };
    const Case cases[] = {
        {&InputFields::month, "12", "13"},     {&InputFields::day, "31", "32"},
        {&InputFields::year, "2099", "2100"},  {&InputFields::hour, "12", "13"},
        {&InputFields::minute, "59", "60"}, {&InputFields::zone, "12", "12.01"},
        {&InputFields::zone, "-14", "-14.01"},
        {&InputFields::longDeg, "180", "181"}, {&InputFields::longMin, "59", "60"},
        {&InputFields::latMin, "59", "60"},
    };
    for (const Case& c : cases) {
        InputFields f = GoodNatal();
        f.*(c.field) = c.pass;
        EXPECT_TRUE(CheckRanges(f, InputSection::Natal).empty()) << c.pass;
        f.*(c.field) = c.fail;
        EXPECT_EQ(CheckRanges(f, InputSection::Natal).size(), 1u) << c.fail;
    }
    // Longitude 180 degrees 59 minutes passes; a negative longitude is not refused. A negative
    // hour is no hour of the 12-hour clock: refused (it once passed).
    InputFields f = GoodNatal();
    f.longDeg = "180";
    f.longMin = "59";
    EXPECT_TRUE(CheckRanges(f, InputSection::Natal).empty());
    f.longDeg = "-74";
    EXPECT_TRUE(CheckRanges(f, InputSection::Natal).empty());
    f.hour = "-1";
    EXPECT_EQ(CheckRanges(f, InputSection::Natal).size(), 1u);
}

TEST(InputChecks, DiurnalRangesUseTheDiurnalMessage) {
    InputFields f = GoodDiurnal();
    f.hour = "13";
    f.minute = "75";  // same check as the hour
    f.latMin = "60";
    EXPECT_EQ(Messages(CheckRanges(f, InputSection::Diurnal)), (std::vector<std::string>{diurnalMsg, diurnalMsg}));
}

TEST(InputChecks, TextAfterALeadingNumberIsRefused) {
    for (auto field : {&InputFields::month, &InputFields::minute, &InputFields::zone,
                       &InputFields::latDeg}) {
        InputFields f = GoodNatal();
        f.*field = "12a";
        // The empty-field checks read only the leading number and pass.
        EXPECT_TRUE(CheckInputFields(f, GoodDiurnal()).empty());
        EXPECT_EQ(Messages(CheckRanges(f, InputSection::Natal)), (std::vector<std::string>{natalMsg}));
    }
    InputFields f = GoodNatal();
    f.day = "1e3";
    f.year = "19 50";
    EXPECT_EQ(CheckRanges(f, InputSection::Natal).size(), 1u);  // one check, however many fields
    // Surrounding blanks, a sign and decimals are plain numbers.
    f = GoodNatal();
    f.zone = " -5.5 ";
    f.east = true;
    f.longMin = "+3";
    EXPECT_TRUE(CheckRanges(f, InputSection::Natal).empty());
}

TEST(InputChecks, DateFieldsMustFitSixteenBits) {
    InputFields f = GoodNatal();
    f.year = "-40000";
    EXPECT_EQ(CheckRanges(f, InputSection::Natal).size(), 1u);
    f.year = "-3000";
    EXPECT_TRUE(CheckRanges(f, InputSection::Natal).empty());
}

// Whatever way text reached a field (typed, pasted, loaded), a field that does not hold a number a
// double can carry, or a date that is not in the calendar, is refused with the section's message
// and never read as 0 or rolled over into the next month.
TEST(InputChecks, NoNumberAndNoDateAreRefusedWithTheSectionsMessage) {
    const std::string nines(400, '9');
    struct Case { std::string InputFields::*field; std::string text; const char* control; };
    const Case cases[] = {
        {&InputFields::hour, "zz", "BirthHour"},         {&InputFields::minute, "zz", "BirthMinute"},
        {&InputFields::zone, "inf", "TZ"},               {&InputFields::zone, "nan", "TZ"},
        {&InputFields::zone, nines, "TZ"},               {&InputFields::latDeg, nines, "LatDeg"},
        {&InputFields::latDeg, "-" + nines, "LatDeg"},   {&InputFields::longDeg, "-" + nines, "LongDeg"},
        {&InputFields::hour, nines, "BirthHour"},        {&InputFields::latMin, "." + nines + "x", "LatMin"},
        {&InputFields::day, "31", "Day"},                {&InputFields::day, "-3", "Day"},
        {&InputFields::month, "0.4", "Month"},           {&InputFields::month, "-2", "Month"},
    };
    for (const Case& c : cases) {
        for (InputSection section : {InputSection::Natal, InputSection::Diurnal}) {
            InputFields natal = GoodNatal();
            InputFields diurnal = GoodDiurnal();
            InputFields& f = section == InputSection::Natal ? natal : diurnal;
            f.month = "2";  // February: day 31 is no date
            f.*(c.field) = c.text;
            // Meridian houses take any latitude: the number check must refuse
            const std::vector<InputProblem> problems = CheckAllInput(natal, diurnal, HouseSystem::Meridian);
            const std::string where = c.text.substr(0, 12) + " in " + c.control;
            ASSERT_FALSE(problems.empty()) << where;
            for (const InputProblem& p : problems) EXPECT_EQ(p.message, InputMessage(section)) << where;
        }
    }
    // 29 February exists in leap years only, 1900 being none and 2000 one.
    for (const auto& [year, exists] : {std::pair{"1964", true}, {"1900", false}, {"2000", true}, {"1951", false}}) {
        InputFields f = GoodNatal();
        f.month = "2";
        f.day = "29";
        f.year = year;
        EXPECT_EQ(CheckRanges(f, InputSection::Natal).empty(), exists) << year;
    }
}

// Every refusal keeps its section's message and adds the field, by its label's caption, and the
// rule it broke; the first problem names the field the window selects.
TEST(InputChecks, EveryRefusalNamesItsFieldAndRule) {
    using Edit = std::pair<std::string InputFields::*, std::string>;
    struct Case {
        InputSection section;
        std::vector<Edit> edits;
        InputField field;  // the first problem's, in the case's section
        std::vector<std::string> reasons;
    };
    const auto natal = InputSection::Natal;
    const auto diurnal = InputSection::Diurnal;
    const std::string hourRule = " is not an hour from 1 to 12 with A.M./P.M.";
    const Case cases[] = {
        {natal, {{&InputFields::hour, "13"}}, InputField::Hour, {"Birth Hour: 13" + hourRule}},
        {natal, {{&InputFields::hour, "8.5"}}, InputField::Hour, {"Birth Hour: 8.5" + hourRule}},
        {natal, {{&InputFields::hour, "-1"}}, InputField::Hour, {"Birth Hour: -1" + hourRule}},
        {natal, {{&InputFields::hour, "zz"}}, InputField::Hour, {"Birth Hour: zz is not a number"}},
        {natal, {{&InputFields::minute, "60"}}, InputField::Minute, {"Birth Minute: 60 is not a minute from 0 to 59"}},
        {natal, {{&InputFields::day, "32"}}, InputField::Day, {"Birth Day: 32 is not a day of the month"}},
        {natal, {{&InputFields::month, "2"}, {&InputFields::day, "31"}, {&InputFields::year, "1951"}}, InputField::Day,
         {"Birth Day: 31 February 1951 is not a day of the calendar"}},
        {natal, {{&InputFields::month, "2"}, {&InputFields::day, "29"}, {&InputFields::year, "1951"}}, InputField::Day,
         {"Birth Day: 29 February 1951 is not a day of the calendar: 1951 is no leap year"}},
        {natal, {{&InputFields::month, ""}}, InputField::Month,
         {"Birth Month: an empty field is not a month from 1 to 12", "Birth Month is empty"}},
        {natal, {{&InputFields::year, "2100"}}, InputField::Year,
         {"Birth Year: 2100 is after 2099, the last year the program calculates"}},
        {natal, {{&InputFields::zone, "40"}}, InputField::Zone,
         {"Time Zone: 40 is not a zone from -14 to 12 hours (hours west of Greenwich, negative east)"}},
        {natal, {{&InputFields::zone, "-5"}}, InputField::Zone,
         {"Time Zone: -5 is hours east of Greenwich, which does not fit a west longitude (the zone is hours "
          "west of Greenwich, negative east)"}},
        // Beyond the pole: its own reason, not the latitude limit's advice to change house systems.
        {natal, {{&InputFields::latDeg, "95"}}, InputField::LatDeg, {"Lat Degrees: 95 is not a latitude from 0 to 90 degrees"}},
        {natal, {{&InputFields::latDeg, "90"}, {&InputFields::latMin, "30"}}, InputField::LatMin,
         {"Lat Minutes: 30 minutes past 90 degrees lie beyond the pole"}},
        {natal, {{&InputFields::longDeg, "181"}}, InputField::LongDeg,
         {"Long Degrees: 181 is not a longitude from 0 to 180 degrees"}},
        {diurnal, {{&InputFields::hour, "25"}}, InputField::Hour, {"Diurnal Hour: 25" + hourRule}},
        {diurnal, {{&InputFields::minute, "75"}}, InputField::Minute, {"Diurnal Min.: 75 is not a minute from 0 to 59"}},
        {diurnal, {{&InputFields::zone, "5.5x"}}, InputField::Zone, {"D. Time Zone: 5.5x is not a number"}},
        {diurnal, {{&InputFields::latDeg, "98"}, {&InputFields::latMin, "51"}}, InputField::LatDeg,
         {"D. Lat Deg.: 98 is not a latitude from 0 to 90 degrees"}},
        {diurnal, {{&InputFields::day, "0"}}, InputField::Day, {"Diurnal Day: 0 is not a day of the month"}},
    };
    for (const Case& c : cases) {
        Calculation calc = GoodCalculation();
        InputFields& f = c.section == natal ? calc.natal : calc.diurnal;
        for (const auto& [member, text] : c.edits) f.*member = text;
        const std::vector<InputProblem> problems = CheckAllInputOf(calc);
        const std::string where = c.reasons.front();
        ASSERT_EQ(problems.size(), c.reasons.size()) << where;
        EXPECT_EQ(problems[0].field, (FieldRef{c.section, c.field})) << where;
        for (std::size_t i = 0; i < problems.size(); ++i) {
            EXPECT_EQ(problems[i].reason, c.reasons[i]) << where;
            EXPECT_EQ(problems[i].message, InputMessage(c.section)) << where;
            EXPECT_EQ(InputWarning(problems[i]).text, problems[i].message + "\n" + c.reasons[i]);
        }
        // A record is checked the same way, without the latitude limit.
        EXPECT_EQ(CheckSection(f, c.section).size(), c.reasons.size()) << where;
    }
}

// The zone is decimal hours; decimals that read like minutes (as typed, or as a names record's
// -5.30 is loaded: -5.3) are noted with how they are read and how to write the minutes.
TEST(ZoneReading, MinutesWrittenAsDecimalsAreNoted) {
    struct Case { const char* zone; const char* note; };
    const Case cases[] = {
        {"-5.30", "zone -5.30 is read as 5 h 18 min east; write -5.5 for 5 h 30 min"},
        {"-5.3", "zone -5.30 is read as 5 h 18 min east; write -5.5 for 5 h 30 min"},
        {" 5.30 ", "zone 5.30 is read as 5 h 18 min west; write 5.5 for 5 h 30 min"},
        {"-5.45", "zone -5.45 is read as 5 h 27 min east; write -5.75 for 5 h 45 min"},
        {"3.15", "zone 3.15 is read as 3 h 9 min west; write 3.25 for 3 h 15 min"},
        {"-0.30", "zone -0.30 is read as 0 h 18 min east; write -0.5 for 0 h 30 min"},
        {"-5.5", nullptr},  {"-5.75", nullptr}, {"12.75", nullptr}, {"3.25", nullptr}, {"5", nullptr},
        {"-13.75", nullptr}, {"5.31", nullptr}, {"5.301", nullptr}, {"", nullptr},  {"5.30x", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> note = ZoneReadingNote(c.zone);
        if (c.note) {
            EXPECT_EQ(note.value_or("none"), c.note) << c.zone;
        } else {
            EXPECT_FALSE(note.has_value()) << c.zone << ": " << *note;
        }
    }
}

TEST(LatitudeLimit, SixtySixDegreesIsTheLastAccepted) {
    const HouseSystem placidus = HouseSystem::Placidus;
    InputFields n = GoodNatal();
    InputFields d = GoodDiurnal();
    n.latDeg = "66";
    n.latMin = "0";
    EXPECT_TRUE(CheckLatitudeLimit(n, d, placidus).empty());
    n.latMin = "1";
    EXPECT_EQ(Messages(CheckLatitudeLimit(n, d, placidus)),
              (std::vector<std::string>{latitudeMsg}));
    n.latMin = "0";
    d.latDeg = "70";
    d.latMin = "0";
    const auto problems = CheckLatitudeLimit(n, d, placidus);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].field, (FieldRef{InputSection::Diurnal, InputField::LatDeg}));
    // Both windows too high: still one message.
    n.latDeg = "80";
    EXPECT_EQ(CheckLatitudeLimit(n, d, placidus).size(), 1u);
}

TEST(LatitudeLimit, EachSystemUpToItsOwnLatitude) {
    // Placidus and Koch stop short of the polar circle; Regiomontanus and Porphyry are computed up
    // to the pole; Meridian houses, which ignore the latitude, take any.
    struct Case {
        HouseSystem system;
        const char* latDeg;
        const char* latMin;
        bool accepted;
    };
    const Case cases[] = {
        {HouseSystem::Placidus, "66", "0", true},
        {HouseSystem::Placidus, "66", "1", false},
        {HouseSystem::Koch, "66", "0", true},
        {HouseSystem::Koch, "67", "0", false},
        {HouseSystem::Regiomontanus, "70", "0", true},
        {HouseSystem::Regiomontanus, "89", "59", true},
        {HouseSystem::Regiomontanus, "90", "0", false},
        {HouseSystem::Porphyry, "78", "13", true},
        {HouseSystem::Porphyry, "89", "59", true},
        {HouseSystem::Porphyry, "90", "0", false},
        {HouseSystem::Meridian, "89", "59", true},
        {HouseSystem::Meridian, "95", "0", true},
    };
    for (const Case& c : cases) {
        for (InputSection section : {InputSection::Natal, InputSection::Diurnal}) {
            InputFields natal = GoodNatal();
            InputFields diurnal = GoodDiurnal();
            InputFields& f = section == InputSection::Natal ? natal : diurnal;
            f.latDeg = c.latDeg;
            f.latMin = c.latMin;
            const auto problems = CheckLatitudeLimit(natal, diurnal, c.system);
            const std::string where = std::string(HouseSystemOf(c.system).name) + " at " + c.latDeg + "." + c.latMin;
            EXPECT_EQ(problems.empty(), c.accepted) << where;
            if (!problems.empty()) {
                EXPECT_EQ(problems[0].field, (FieldRef{section, InputField::LatDeg})) << where;
            }
        }
    }
}

TEST(LatitudeLimit, RefusalNamesTheLatitudeAndTheSystemsThatWork) {
    struct Case {
        HouseSystem system;
        InputSection section;
        const char* latDeg;
        const char* latMin;
        bool south;
        const char* message;
    };
    const Case cases[] = {
        {HouseSystem::Placidus, InputSection::Natal, "70", "0", false,
         "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house "
         "systems.\nNatal latitude 70 degrees 00 minutes North: Placidus houses are computed up to "
         "66 degrees 00 minutes, as beyond the polar circle (about 66 degrees 33 minutes) their cusps "
         "do not exist. The house systems that work at this latitude: Regiomontanus, Porphyry and "
         "Meridian."},
        {HouseSystem::Koch, InputSection::Diurnal, "66", "1", true,
         "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house "
         "systems.\nDiurnal latitude 66 degrees 01 minutes South: Koch houses are computed up to 66 "
         "degrees 00 minutes, as beyond the polar circle (about 66 degrees 33 minutes) their cusps do "
         "not exist. The house systems that work at this latitude: Regiomontanus, Porphyry and "
         "Meridian."},
        {HouseSystem::Regiomontanus, InputSection::Natal, "90", "0", false,
         "Your latitude is too high. Lower to 89 degrees, 59 minutes or below OR change house "
         "systems.\nNatal latitude 90 degrees 00 minutes North: Regiomontanus houses are computed up "
         "to 89 degrees 59 minutes, as at the pole the horizon has no east. The house system that "
         "works at this latitude: Meridian."},
    };
    for (const Case& c : cases) {
        InputFields natal = GoodNatal();
        InputFields diurnal = GoodDiurnal();
        InputFields& f = c.section == InputSection::Natal ? natal : diurnal;
        f.latDeg = c.latDeg;
        f.latMin = c.latMin;
        f.south = c.south;
        const auto problems = CheckLatitudeLimit(natal, diurnal, c.system);
        ASSERT_EQ(problems.size(), 1u) << HouseSystemOf(c.system).name;
        EXPECT_EQ(InputWarning(problems[0]).text, c.message);
        EXPECT_EQ(InputWarning(problems[0]).title, "Warning!");
    }
}

TEST(Parse, NatalValuesWordsAndDateText) {
    ParsedInput in;
    InputFields f = GoodNatal();
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

    f.am = false;
    f.east = true;
    f.south = true;
    f.longMin = "41";
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
    InputFields f = GoodNatal();
    f.longDeg = "0";
    f.longMin = "0";
    f.east = true;
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
        InputFields d = GoodDiurnal();
        d.month = c.month;
        d.day = c.day;
        d.year = c.year;
        ParseDiurnal(d, 0, in);
        EXPECT_EQ(in.AgeYears, c.age) << c.month << "/" << c.day << "/" << c.year;
        EXPECT_EQ(in.LastBirthdayYear, c.lastBirthday) << c.month << "/" << c.day << "/" << c.year;
    }
}

TEST(Parse, DateFieldsRoundToTheNearestWholeNumber) {
    ParsedInput in;
    InputFields f = GoodNatal();
    f.day = "12.6";
    f.month = "2.5";  // a tie goes to the even number
    ParseNatal(f, 0, in);
    EXPECT_EQ(in.NatalDay, 13);
    EXPECT_EQ(in.NatalMonth, 2);
}

}  // namespace
}  // namespace orrerion
