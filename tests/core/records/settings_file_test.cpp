// The settings file: what it reads, what a bad line does, and what a rewrite keeps.
#include <gtest/gtest.h>

#include <string>

#include "core/records/settings_file.h"
#include "test_paths.h"

namespace orrerion {
namespace {

using testing::MakeTempDir;
using testing::ReadWholeFile;
using testing::WriteWholeFile;

// Every setting away from its default.
Settings Changed() {
    Settings s;
    s.ephemeris = EphemerisSource::Precise;
    s.wheelRings = RingSetOf({WheelRing::Natal, WheelRing::Progressed, WheelRing::SolarArc});
    s.wheelOrientation = WheelOrientation::AriesLeft;
    s.timelineFamilies = {false, true, false, true, false};
    s.eventOrb = 2.5;
    ChoosePoint(s.points, ExtraPoint::TrueNode);
    ChoosePoint(s.points, ExtraPoint::Fortune);
    s.points.fortuneDayFormulaAlways = true;
    s.pointsInReports = true;
    return s;
}

TEST(SettingsFile, ReadsEditedTextAndRewritesOnlyItsOwnValues) {
    const auto path = MakeTempDir() / SettingsFileName;
    const std::string edited =
        "\xEF\xBB\xBF# my notes\r\n"
        "  Ephemeris=PRECISE  \r\n"
        "future_key = keep me\r\n"
        "\r\n"
        "; another comment\r\n"
        "wheel_rings = transits natal,progressed   # inner to outer\r\n"
        "timeline_families = pp\r\n"
        "Points = Lilith mean-node,CHIRON\r\n";
    WriteWholeFile(path, edited);

    SettingsLoad load = LoadSettings(path);
    EXPECT_TRUE(load.problems.empty()) << load.problems.front();
    const Settings& read = load.file.settings;
    EXPECT_EQ(read.ephemeris, EphemerisSource::Precise);
    EXPECT_EQ(read.wheelRings, RingSetOf({WheelRing::Natal, WheelRing::Progressed, WheelRing::Transits}));
    EXPECT_EQ(read.wheelOrientation, WheelOrientation::AscendantLeft);  // absent: the default
    EXPECT_EQ(read.timelineFamilies, (FamilySet{false, false, false, true, false}));
    EXPECT_EQ(read.eventOrb, DefaultEventOrb);  // absent: the default
    // A north node brings its south node.
    for (const ExtraPointRow& row : ExtraPoints) {
        const bool chosen = row.point == ExtraPoint::MeanNode || row.point == ExtraPoint::MeanSouthNode ||
                            row.point == ExtraPoint::Lilith || row.point == ExtraPoint::Chiron;
        EXPECT_EQ(read.points.Has(row.point), chosen) << row.name;
    }
    EXPECT_FALSE(read.points.fortuneDayFormulaAlways);
    EXPECT_FALSE(read.pointsInReports);

    load.file.settings = Changed();
    ASSERT_TRUE(SaveSettings(path, load.file).ok);
    EXPECT_EQ(ReadWholeFile(path),
              "# my notes\n"
              "ephemeris = precise\n"
              "future_key = keep me\n"
              "\n"
              "; another comment\n"
              "wheel_rings = natal, progressed, solar_arc  # inner to outer\n"
              "timeline_families = sn, pp\n"
              "points = true-node, fortune\n"
              "\n"
              "# What the wheel has on its left: ascendant_left, or aries_left (0 degrees Aries)\n"
              "wheel_orientation = aries_left\n"
              "\n"
              "# Lunations and eclipses name the natal points within this orb, degrees (0 to 15)\n"
              "event_orb = 2.5\n"
              "\n"
              "# The Lot of Fortune: yes takes the day formula (ascendant + Moon - Sun) always; no takes\n"
              "# ascendant + Sun - Moon when the Sun is below the horizon\n"
              "fortune_day_formula = yes\n"
              "\n"
              "# The chosen points in the scan's reports: yes, or no to keep the reports' format for other\n"
              "# programs that read them\n"
              "points_in_reports = yes\n");
    const SettingsLoad again = LoadSettings(path);
    EXPECT_TRUE(again.problems.empty());
    EXPECT_EQ(again.file.settings, Changed());
}

// Windows' places: read, a bad one named and left alone, changed in their line, new ones added
// under one comment at the end.
TEST(SettingsFile, WindowPlacesAreReadRewrittenInPlaceAndAdded) {
    const auto path = MakeTempDir() / SettingsFileName;
    WriteWholeFile(path,
                   "window_wheel = 120, -8, 760, 860\n"
                   "ephemeris = builtin\n"
                   "Window_Data = 10, 20, 0, 300\n"
                   "window_names = 1 2 3\n");
    SettingsLoad load = LoadSettings(path);
    ASSERT_EQ(load.problems.size(), 2u);
    EXPECT_NE(load.problems[0].find("line 3: window_data takes left, top, width and height"), std::string::npos)
        << load.problems[0];
    EXPECT_NE(load.problems[1].find("line 4: window_names"), std::string::npos) << load.problems[1];
    ASSERT_EQ(load.file.settings.windowPlaces.size(), 1u);
    EXPECT_EQ(*load.file.settings.PlaceOf("wheel"), (WindowPlace{"wheel", 120, -8, 760, 860}));
    EXPECT_EQ(load.file.settings.PlaceOf("timeline"), nullptr);

    load.file.settings.SetPlace({"wheel", 0, 0, 700, 650});
    load.file.settings.SetPlace({"timeline", 30, 40, 1200, 700});
    ASSERT_TRUE(SaveSettings(path, load.file).ok);
    const std::string text = ReadWholeFile(path);
    EXPECT_TRUE(text.starts_with("window_wheel = 0, 0, 700, 650\nephemeris = builtin\nWindow_Data = 10, 20, 0, 300\n"))
        << text;
    // The new place goes at the end (the file holds window lines already: no second comment).
    EXPECT_EQ(text.find("# Where each window"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("window_timeline = 30, 40, 1200, 700\n")) << text;
    const SettingsLoad again = LoadSettings(path);
    EXPECT_EQ(again.file.settings, load.file.settings);

    // A file without places gets them under their comment.
    SettingsFile fresh;
    fresh.settings.SetPlace({"export", 5, 6, 400, 300});
    EXPECT_TRUE(SettingsText(fresh).ends_with(
        "\n# Where each window stood when last closed: left, top, width, height (screen pixels)\n"
        "window_export = 5, 6, 400, 300\n"));
}

// The last birth: a record with a # and a quoted comma in its name reads back whole; it replaces
// its own line (a second one goes), is added at the end when new, and a line that is no record is
// named and kept.
TEST(SettingsFile, TheLastBirthIsARecordLineReadWholeAndKeptOnce) {
    const auto path = MakeTempDir() / SettingsFileName;
    const std::string birth = "\"Smith, John #2\",13 Jan 1950,8.30,A,5,074.00,40.43";
    WriteWholeFile(path, "last_birth = " + birth + "\nephemeris = builtin\nLAST_BIRTH = Jane,1 Feb 1960,9.00,P,5,074.00,40.43\n");
    SettingsLoad load = LoadSettings(path);
    EXPECT_TRUE(load.problems.empty()) << load.problems.front();
    EXPECT_EQ(load.file.settings.lastBirth, "Jane,1 Feb 1960,9.00,P,5,074.00,40.43");  // the last line read

    load.file.settings.lastBirth = birth;
    ASSERT_TRUE(SaveSettings(path, load.file).ok);
    const std::string text = ReadWholeFile(path);
    EXPECT_TRUE(text.starts_with("last_birth = " + birth + "\nephemeris = builtin\n\n# The wheel's")) << text;
    EXPECT_EQ(text.find("last_birth", 1), std::string::npos) << text;
    EXPECT_EQ(LoadSettings(path).file.settings.lastBirth, birth);

    SettingsFile fresh;
    fresh.settings.lastBirth = birth;
    EXPECT_TRUE(SettingsText(fresh).ends_with("\n# The birth of the last chart calculated, as a names file holds it; "
                                              "offered at start\nlast_birth = " + birth + "\n"))
        << SettingsText(fresh);

    WriteWholeFile(path, "last_birth = John Smith,13 Jan 1950\n");
    load = LoadSettings(path);
    ASSERT_EQ(load.problems.size(), 1u);
    EXPECT_NE(load.problems[0].find("line 1: last_birth takes a names file's record"), std::string::npos)
        << load.problems[0];
    EXPECT_TRUE(load.file.settings.lastBirth.empty());
    ASSERT_TRUE(SaveSettings(path, load.file).ok);
    EXPECT_TRUE(ReadWholeFile(path).starts_with("last_birth = John Smith,13 Jan 1950\n"));
}

TEST(SettingsFile, ANewFileNamesEveryKeyAndReadsBack) {
    const auto path = MakeTempDir() / SettingsFileName;
    const SettingsLoad none = LoadSettings(path);
    EXPECT_TRUE(none.problems.empty());  // never written: the defaults, quietly
    EXPECT_EQ(none.file.settings, Settings{});
    EXPECT_EQ(none.file.settings.wheelRings, RingSetOf({WheelRing::Natal, WheelRing::Transits}));
    // The defaults written out: every key under the comment that names its values.
    EXPECT_EQ(SettingsText(none.file),
              "# Orrerion settings: one \"key = value\" a line; lines starting with # are comments.\n"
              "# The options of OPTIONS.OPT stay in that file.\n"
              "\n"
              "# Positions: builtin (the program's own series) or precise (the Swiss Ephemeris)\n"
              "ephemeris = builtin\n"
              "\n"
              "# The wheel's rings: one or more of natal, progressed, solar_arc, transits\n"
              "wheel_rings = natal, transits\n"
              "\n"
              "# What the wheel has on its left: ascendant_left, or aries_left (0 degrees Aries)\n"
              "wheel_orientation = ascendant_left\n"
              "\n"
              "# The timeline's aspect families: one or more of tn (transit to natal), sn (solar arc to\n"
              "# natal), pn (progressed to natal), pp (progressed to progressed), tp (transit to progressed)\n"
              "timeline_families = tn, sn, pn, pp, tp\n"
              "\n"
              "# Lunations and eclipses name the natal points within this orb, degrees (0 to 15)\n"
              "event_orb = 3\n"
              "\n"
              "# Extra points of the desktop program's charts: none, or any of\n"
              "# mean-node, true-node, lilith, chiron, ceres, pallas, juno, vesta, fortune\n"
              "# (a node brings its south node; true-node, chiron and the asteroids need precise positions)\n"
              "points = none\n"
              "\n"
              "# The Lot of Fortune: yes takes the day formula (ascendant + Moon - Sun) always; no takes\n"
              "# ascendant + Sun - Moon when the Sun is below the horizon\n"
              "fortune_day_formula = no\n"
              "\n"
              "# The chosen points in the scan's reports: yes, or no to keep the reports' format for other\n"
              "# programs that read them\n"
              "points_in_reports = no\n");

    SettingsFile file;
    file.settings = Changed();
    ASSERT_TRUE(SaveSettings(path, file).ok);
    const std::string text = ReadWholeFile(path);
    for (const char* key : {"ephemeris =", "wheel_rings =", "wheel_orientation =", "timeline_families =",
                            "event_orb = 2.5\n", "\npoints = true-node, fortune\n", "fortune_day_formula = yes\n",
                            "points_in_reports = yes\n"}) {
        EXPECT_NE(text.find(key), std::string::npos) << key;
    }
    EXPECT_EQ(LoadSettings(path).file.settings, Changed());
}

TEST(SettingsFile, BadValuesFallBackToTheirDefaultsNamingTheLine) {
    struct Case {
        const char* line;
        const char* said;  // in the problem
    };
    const Case cases[] = {
        {"ephemeris = fast", "ephemeris takes builtin or precise, not \"fast\"; the default builtin"},
        {"wheel_rings = natal, moon", "not \"natal, moon\"; the default natal, transits"},
        {"wheel_rings =", "wheel_rings takes one or more of natal, progressed, solar_arc, transits"},
        {"wheel_orientation = up", "the default ascendant_left"},
        {"timeline_families = tn, xx", "the default tn, sn, pn, pp, tp"},
        {"timeline_families = xx", "timeline_families takes one or more of tn, sn, pn, pp, tp, not \"xx\""},
        {"event_orb = 16", "event_orb takes degrees from 0 to 15, not \"16\"; the default 3 is used"},
        {"event_orb = -1", "not \"-1\"; the default 3"},
        {"event_orb = 3 degrees", "not \"3 degrees\"; the default 3"},
        {"points = lilith, moon",
         "points takes none or one or more of mean-node, true-node, lilith, chiron, ceres, pallas, juno, vesta, "
         "fortune, not \"lilith, moon\"; the default none is used"},
        {"points = mean_node", "not \"mean_node\"; the default none"},
        {"fortune_day_formula = always", "fortune_day_formula takes no or yes, not \"always\"; the default no"},
        {"points_in_reports = 1", "points_in_reports takes no or yes, not \"1\"; the default no is used"},
        {"just some words", "not \"key = value\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const auto path = MakeTempDir() / SettingsFileName;
        // The line before sets the value away from its default; the bad line brings the default back.
        WriteWholeFile(path, "ephemeris = precise\nwheel_rings = progressed\nwheel_orientation = aries_left\n"
                             "timeline_families = pp\nevent_orb = 0.5\npoints = vesta\nfortune_day_formula = yes\n"
                             "points_in_reports = yes\n" + std::string(c.line) + "\n");
        const SettingsLoad load = LoadSettings(path);
        ASSERT_EQ(load.problems.size(), 1u);
        EXPECT_NE(load.problems[0].find(path.string() + " line 9: "), std::string::npos) << load.problems[0];
        EXPECT_NE(load.problems[0].find(c.said), std::string::npos) << load.problems[0];
        const std::string key = std::string(c.line).substr(0, std::string(c.line).find(' '));
        const Settings& s = load.file.settings;
        EXPECT_EQ(s.ephemeris == EphemerisSource::Builtin, key == "ephemeris");
        EXPECT_EQ(s.wheelRings == DefaultWheelRings, key == "wheel_rings");
        EXPECT_EQ(s.wheelOrientation == WheelOrientation::AscendantLeft, key == "wheel_orientation");
        EXPECT_EQ(s.timelineFamilies == AllFamilies, key == "timeline_families");
        EXPECT_EQ(s.eventOrb == DefaultEventOrb, key == "event_orb");
        EXPECT_EQ(!s.points.Any(), key == "points");
        EXPECT_EQ(!s.points.fortuneDayFormulaAlways, key == "fortune_day_formula");
        EXPECT_EQ(!s.pointsInReports, key == "points_in_reports");
        // A rewrite keeps a line it cannot read, and writes the values in use over bad ones.
        const std::string rewritten = SettingsText(load.file);
        EXPECT_EQ(rewritten.find("\n" + std::string(c.line) + "\n") != std::string::npos, key == "just");
    }
}

TEST(SettingsFile, UnreadableFileAndFailedWrite) {
    const auto dir = MakeTempDir();
    std::filesystem::create_directory(dir / "FOLDER.TXT");
    const SettingsLoad folder = LoadSettings(dir / "FOLDER.TXT");
    ASSERT_EQ(folder.problems.size(), 1u);
    EXPECT_NE(folder.problems[0].find("Cannot read the settings file"), std::string::npos);
    EXPECT_EQ(folder.file.settings, Settings{});

    const auto path = dir / SettingsFileName;
    WriteWholeFile(path, "ephemeris = precise\n");
    SettingsFile file = LoadSettings(path).file;
    file.settings = Changed();
    const WriteResult failed =
        testing::WithFileSizeLimit(10, [&] { return SaveSettings(path, file); });
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.message.find(path.string()), std::string::npos) << failed.message;
    EXPECT_EQ(ReadWholeFile(path), "ephemeris = precise\n");
}

}  // namespace
}  // namespace orrerion
