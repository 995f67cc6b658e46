#pragma once
// The files through which the atlas program hands a place to the input windows: PCATPATH.TXT in
// the atlas folder names the folder of the result, TSRTEMP.TXT there holds the place. Reading them,
// the question that shows the place, filling an input window, and the writer the atlas uses.
#include <optional>
#include <string>
#include <string_view>

#include "core/base/input_fields.h"
#include "core/base/messages.h"

namespace orrerion {

inline constexpr const char* AtlasProgramName = "ATLAS.EXE";
// The atlas program's exit status when the person cancelled it: it wrote nothing, so files left by
// an earlier run must not be offered as its result.
inline constexpr int AtlasCancelledStatus = 3;
inline constexpr const char* AtlasPathFileName = "PCATPATH.TXT";
inline constexpr const char* AtlasPlaceFileName = "TSRTEMP.TXT";

// The input box shown when the atlas program cannot be started.
inline constexpr const char* AtlasPathPromptTitle = "Where do I find ATLAS.EXE?";
inline constexpr const char* AtlasPathPrompt =
    "Enter the complete path for where ATLAS.EXE resides: \r\n\r\n"
    "(Example: c:\\atlas OR c:\\charts\\atlas OR d:\\windows\\atlas\\)";

inline constexpr const char* AtlasAcceptTitle = "Accept or Reject data";

// The place read back from the atlas's files.
struct AtlasPlace {
    std::string AtlasDataDir;    // line 1 of PCATPATH.TXT, used directly as a prefix
    std::string AtlasLatitude;   // "42N21": degrees, N or S, two-digit minutes
    std::string AtlasLongitude;  // "71W04": degrees, E or W, two-digit minutes
    float AtlasZone = 0;         // hours west of Greenwich; single precision as the exchange keeps it
};

struct AtlasReadResult {
    std::optional<AtlasPlace> place;
    std::optional<Message> message;  // the "Warning!" box when a file is missing or too short
};

// Reads PCATPATH.TXT in `exchangeDir`, the folder the bridge told the atlas to write into (the
// program's data folder, with its final separator), then TSRTEMP.TXT (lines 2, 3 and 5) in the
// folder PCATPATH.TXT names, which must be that same folder: a path file naming any other folder
// is refused rather than followed. Every value is checked before it is used: the latitude code
// within 90 degrees, the longitude code within 180, minutes below 60, and the zone a number from
// -14 to 12 hours; a value out of range is reported and nothing is returned.
AtlasReadResult ReadAtlasPlace(const std::string& exchangeDir);

// AtlasDir as the user typed it in the path prompt, with a final "/" added when it has none.
std::string AtlasDirFromAnswer(const std::string& answer);

// The zone as a text of at most seven significant digits, the precision the float carries:
// 5 -> "5", -5.5 -> "-5.5", 4.733333 -> "4.733333".
std::string AtlasZoneText(float AtlasZone);

// "Accept following data?" with the longitude, latitude and zone; a zone that is not negative
// gets a leading blank. Title "Accept or Reject data", question icon; answered Yes or No.
Message AtlasAcceptQuestion(const AtlasPlace& place);

// Fills the zone and place of an input window from an accepted place: the zone field, then the
// longitude degrees and minutes with East or West, then the latitude with North or South. Choosing
// the hemisphere runs the zone sign rule, so an unsigned zone takes the sign of the longitude
// (5 with 3E30 becomes -5); a zone the atlas wrote as negative stands even with a West longitude,
// since clocks west of Greenwich may run ahead of it (Spain all year, Britain in summer).
// A longitude or latitude without its hemisphere letter is reported and nothing is filled.
std::optional<Message> FillFieldsFromAtlas(const AtlasPlace& place, InputFields& fields);

// --- Writing, for the atlas program ---

// "42N21" from 42.3584 degrees north, "33S52" from -33.8678: whole degrees, the hemisphere letter
// and two-digit minutes, rounded to the nearest minute (59.6' carries into the next degree).
std::string LatitudeCode(double degreesNorth);
// "71W04" from -71.0598 degrees east, "3E30" from 3.5.
std::string LongitudeCode(double degreesEast);

// Hours west of Greenwich as a number text with "." decimals, to the second: 4, -5.5, 4.733333.
std::string ZoneNumberText(double zoneHoursWest);

// PCATPATH.TXT: the folder of the result (with its final separator) on line 1.
std::string AtlasPathFileText(const std::string& resultDir);

// TSRTEMP.TXT: 1 the place's name, 2 latitude code, 3 longitude code, 4 a note on the zone,
// 5 the zone number. Lines 1 and 4 are for people reading the file; the bridge skips them.
std::string AtlasPlaceFileText(std::string_view placeName, double degreesNorth, double degreesEast,
                               std::string_view zoneNote, double zoneHoursWest);

// --- Places for the command line ---

// One place the atlas program found for a query, as ATLAS.EXE --places prints it: one line per
// place, its fields separated by tabs: 1 when the name equals the query (accents and case
// ignored) else 0, the name, region, country, latitude (degrees north), longitude (degrees east),
// IANA time-zone name and population.
struct AtlasPlaceRow {
    bool exactName = false;
    std::string name, region, country;
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
    std::string zoneId;    // "America/New_York"
    unsigned long population = 0;
    bool operator==(const AtlasPlaceRow&) const = default;
};
std::string AtlasPlaceRowText(const AtlasPlaceRow& row);  // without its line end
// Nothing for a line that is not such a row.
std::optional<AtlasPlaceRow> ParseAtlasPlaceRow(std::string_view line);

}  // namespace orrerion
