#include "core/records/atlas_exchange.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/chart/input_rules.h"
#include "core/io/line_reader.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

constexpr const char* NL = "\r\n";

// 1-based position of `letter` in `text`, 0 when absent (the position rule of the exchange).
std::size_t Position(std::string_view text, char letter) {
    const std::size_t at = text.find(letter);
    return at == std::string_view::npos ? 0 : at + 1;
}

struct CodeParts {
    std::string degrees, minutes;
};

// Degrees before the hemisphere letter and the two characters after it, each read as a number.
// The letter is found as the sum of the positions of both letters; exactly one must be present.
std::optional<CodeParts> SplitCode(std::string_view code, char first, char second) {
    const std::size_t p1 = Position(code, first);
    const std::size_t p2 = Position(code, second);
    if ((p1 == 0) == (p2 == 0)) return std::nullopt;
    const std::size_t p = p1 + p2;
    CodeParts parts;
    parts.degrees = NumberText(LeadingNumber(code.substr(0, p - 1)));
    parts.minutes = NumberText(LeadingNumber(code.substr(p, 2)));
    return parts;
}

// A code whose degrees and minutes are a place on Earth: at most `maxDegrees` in all, minutes
// below 60. A code without its letter is left to the filling, which reports it.
bool CodeInRange(std::string_view code, char first, char second, double maxDegrees) {
    const std::size_t p1 = Position(code, first);
    const std::size_t p2 = Position(code, second);
    if ((p1 == 0) == (p2 == 0)) return true;
    const std::size_t p = p1 + p2;
    const double degrees = LeadingNumber(code.substr(0, p - 1));
    const double minutes = LeadingNumber(code.substr(p, 2));
    return degrees >= 0 && minutes >= 0 && minutes < 60 && degrees + minutes / 60 <= maxDegrees;
}

Message OutOfRange(std::string_view what, std::string_view text) {
    return Message{"Warning!", MessageIcon::Critical,
                   "The atlas gave the " + std::string(what) + " \"" + std::string(text) +
                       "\", which is out of range. Nothing was filled in."};
}

Message MissingHemisphere(std::string_view what, std::string_view code, std::string_view letters) {
    return Message{"Warning!", MessageIcon::Critical,
                   "The atlas gave the " + std::string(what) + " \"" + std::string(code) + "\" without " +
                       std::string(letters) + ". Nothing was filled in."};
}

std::optional<Message> Fill(const AtlasPlace& place, InputFields& t) {
    const auto longitude = SplitCode(place.AtlasLongitude, 'E', 'W');
    if (!longitude) return MissingHemisphere("longitude", place.AtlasLongitude, "E or W");
    const auto latitude = SplitCode(place.AtlasLatitude, 'S', 'N');
    if (!latitude) return MissingHemisphere("latitude", place.AtlasLatitude, "N or S");

    t.zone = AtlasZoneText(place.AtlasZone);
    t.longDeg = longitude->degrees;
    t.longMin = longitude->minutes;
    t.east = place.AtlasLongitude.find('W') == std::string::npos;
    ApplyZoneSignRule(t.zone, t.east);
    // A negative zone is explicitly east of Greenwich; west of Greenwich that is a clock ahead of
    // Greenwich, which the sign rule would turn into one behind it.
    if (!t.east && place.AtlasZone < 0) t.zone = AtlasZoneText(place.AtlasZone);
    t.latDeg = latitude->degrees;
    t.latMin = latitude->minutes;
    t.south = place.AtlasLatitude.find('N') == std::string::npos;
    return std::nullopt;
}

// Whole degrees, the letter and two-digit minutes, rounded to the nearest minute.
std::string CoordinateCode(double degrees, char positive, char negative) {
    const long totalMinutes = std::lround(std::fabs(degrees) * 60);
    char text[32];
    std::snprintf(text, sizeof text, "%ld%c%02ld", totalMinutes / 60, degrees < 0 ? negative : positive,
                  totalMinutes % 60);
    return text;
}

std::string WithoutTrailingZeros(std::string text) {
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

}  // namespace

AtlasReadResult ReadAtlasPlace(const std::string& exchangeDir) {
    AtlasReadResult result;
    const auto pathLines = ReadTextLines(std::filesystem::path(exchangeDir + AtlasPathFileName));
    if (!pathLines || pathLines->lines.empty()) {
        result.message = Message{"Warning!", MessageIcon::Critical,
                                 "Cannot find the file called PCATPATH in the " + exchangeDir + " directory."};
        return result;
    }
    AtlasPlace place;
    place.AtlasDataDir = pathLines->lines[0];
    std::error_code ec;
    if (!std::filesystem::equivalent(place.AtlasDataDir.empty() ? "." : place.AtlasDataDir,
                                     exchangeDir.empty() ? "." : exchangeDir, ec)) {
        result.message = Message{"Warning!", MessageIcon::Critical,
                                 "The file called PCATPATH in the " + exchangeDir +
                                     " directory names another directory, " + place.AtlasDataDir +
                                     ". Nothing was filled in."};
        return result;
    }

    const auto placeLines = ReadTextLines(std::filesystem::path(place.AtlasDataDir + AtlasPlaceFileName));
    if (!placeLines || placeLines->lines.size() < 5) {
        result.message = Message{"Warning!", MessageIcon::Critical,
                                 "Cannot find the file called TSRTEMP.TXT in the " + place.AtlasDataDir +
                                     " directory."};
        return result;
    }
    place.AtlasLatitude = placeLines->lines[1];
    place.AtlasLongitude = placeLines->lines[2];
    if (!CodeInRange(place.AtlasLatitude, 'S', 'N', 90)) {
        result.message = OutOfRange("latitude", place.AtlasLatitude);
        return result;
    }
    if (!CodeInRange(place.AtlasLongitude, 'E', 'W', 180)) {
        result.message = OutOfRange("longitude", place.AtlasLongitude);
        return result;
    }
    // The number at the start of the line; anything after it is a note for people.
    const double zone = LeadingNumber(placeLines->lines[4]);
    if (!(zone >= FarthestZoneAhead && zone <= FarthestZoneBehind)) {
        result.message = OutOfRange("zone", placeLines->lines[4]);
        return result;
    }
    place.AtlasZone = static_cast<float>(zone);
    result.place = std::move(place);
    return result;
}

std::string AtlasDirFromAnswer(const std::string& answer) {
    if (answer.empty() || answer.back() == '/') return answer;
    return answer + "/";
}

std::string AtlasZoneText(float AtlasZone) {
    char text[48];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(AtlasZone));
    if (std::string_view(text).find('e') != std::string_view::npos) {
        std::snprintf(text, sizeof text, "%.7f", static_cast<double>(AtlasZone));
    }
    return WithoutTrailingZeros(text);
}

Message AtlasAcceptQuestion(const AtlasPlace& place) {
    std::string text = "Accept following data? ";
    text += NL;
    text += NL;
    text += "Longitude = " + place.AtlasLongitude + NL;
    text += "Latitude  = " + place.AtlasLatitude + NL;
    text += "Time zone = ";
    if (!(place.AtlasZone < 0)) text += ' ';
    text += AtlasZoneText(place.AtlasZone);
    return Message{AtlasAcceptTitle, MessageIcon::Question, text};
}

std::optional<Message> FillFieldsFromAtlas(const AtlasPlace& place, InputFields& f) {
    return Fill(place, f);
}

std::string LatitudeCode(double degreesNorth) { return CoordinateCode(degreesNorth, 'N', 'S'); }

std::string LongitudeCode(double degreesEast) { return CoordinateCode(degreesEast, 'E', 'W'); }

std::string ZoneNumberText(double zoneHoursWest) {
    const double seconds = std::round(zoneHoursWest * 3600);
    char text[48];
    std::snprintf(text, sizeof text, "%.6f", seconds / 3600);
    return WithoutTrailingZeros(text);
}

std::string AtlasPathFileText(const std::string& resultDir) { return resultDir + NL; }

std::string AtlasPlaceFileText(std::string_view placeName, double degreesNorth, double degreesEast,
                               std::string_view zoneNote, double zoneHoursWest) {
    std::string text;
    text += std::string(placeName) + NL;
    text += LatitudeCode(degreesNorth) + NL;
    text += LongitudeCode(degreesEast) + NL;
    text += std::string(zoneNote) + NL;
    text += ZoneNumberText(zoneHoursWest) + NL;
    return text;
}

std::string AtlasPlaceRowText(const AtlasPlaceRow& row) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%.6f\t%.6f", row.latitude, row.longitude);
    return std::string(row.exactName ? "1" : "0") + '\t' + row.name + '\t' + row.region + '\t' + row.country + '\t' +
           numbers + '\t' + row.zoneId + '\t' + std::to_string(row.population);
}

std::optional<AtlasPlaceRow> ParseAtlasPlaceRow(std::string_view line) {
    std::vector<std::string_view> f;
    for (std::size_t at = 0;;) {
        const std::size_t tab = line.find('\t', at);
        f.push_back(line.substr(at, tab == std::string_view::npos ? std::string_view::npos : tab - at));
        if (tab == std::string_view::npos) break;
        at = tab + 1;
    }
    if (f.size() != 8 || (f[0] != "0" && f[0] != "1") || f[1].empty() || f[6].empty()) return std::nullopt;
    const std::optional<double> latitude = ParseNumber(f[4]);
    const std::optional<double> longitude = ParseNumber(f[5]);
    const std::optional<double> population = ParseNumber(f[7]);
    if (!latitude || !longitude || !population || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180 ||
        *population < 0) {
        return std::nullopt;
    }
    AtlasPlaceRow row;
    row.exactName = f[0] == "1";
    row.name = f[1];
    row.region = f[2];
    row.country = f[3];
    row.latitude = *latitude;
    row.longitude = *longitude;
    row.zoneId = f[6];
    row.population = static_cast<unsigned long>(*population);
    return row;
}

}  // namespace orrerion
