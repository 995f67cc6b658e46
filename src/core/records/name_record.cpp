#include "core/records/name_record.h"

#include <cctype>
#include <cmath>

#include "core/base/formatters.h"
#include "core/chart/input_rules.h"
#include "core/io/csv_record.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

constexpr std::string_view MonthNames[] = {"january", "february", "march",     "april",
                                           "may",     "june",     "july",      "august",
                                           "september", "october", "november", "december"};

bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

int MonthFromName(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int m = 0; m < 12; ++m) {
        const std::string_view full = MonthNames[m];
        if (name == full || (name.size() == 3 && full.substr(0, 3) == name)) return m + 1;
    }
    return 0;
}

// Minutes as the two decimals of an H.MM or D.MM value, to the nearest whole minute.
std::string MinutesText(double value) {
    return FormatPicture(std::fabs(value - std::trunc(value)) * 100, "#0");
}

}  // namespace

std::vector<Message> LoadNameRecord(const NameRecord& record, int DateOrder, InputSection /*section*/,
                                    InputFields& t) {
    std::vector<Message> messages;
    std::string date = record.Date;
    if (DateOrder == 2 && date.size() >= 5 && date[4] != ' ') date = YearFirstRecordDate(date);
    const std::optional<ParsedRecordDate> parsed = ParseRecordDate(date);
    if (!parsed) {
        messages.push_back({"Error!", MessageIcon::Critical, RecordFormatErrorMessage});
        return messages;
    }
    t.month = std::to_string(parsed->month);
    t.day = std::to_string(parsed->day);
    t.year = std::to_string(parsed->year);

    // A record's time is on the 12-hour clock of its meridiem: hour 0 is 12, as the hour box
    // reads it, and an hour above 12 stays as it is, for the calculation's check to refuse.
    const double time = LeadingNumber(record.Time);
    const double hour = std::trunc(time);
    t.hour = NumberText(hour == 0 ? 12 : hour);
    t.minute = FormatPicture((time - std::trunc(time)) * 100, "#0");
    std::string meridiem = record.Meridiem;
    for (char& c : meridiem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    t.am = meridiem == "A";
    t.zone = NumberText(LeadingNumber(record.Zone));

    // Choosing East or West runs the zone sign rule.
    const double longitude = LeadingNumber(record.Longitude);
    t.longDeg = NumberText(std::fabs(std::trunc(longitude)));
    t.east = longitude < 0;
    ApplyZoneSignRule(t.zone, t.east);
    t.longMin = MinutesText(longitude);
    const double latitude = LeadingNumber(record.Latitude);
    t.latDeg = NumberText(std::fabs(std::trunc(latitude)));
    t.south = latitude < 0;
    t.latMin = MinutesText(latitude);
    return messages;
}

std::optional<NameRecord> NameRecordFromLine(std::string_view line) {
    const std::vector<std::string> f = SplitRecordFields(line);
    if (f.size() != 7) return std::nullopt;
    return NameRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}

std::optional<ParsedRecordDate> RecordDateShape(std::string_view text) {
    const std::vector<std::string> w = Words(text);
    if (w.size() != 3) return std::nullopt;
    ParsedRecordDate d;
    d.month = MonthFromName(w[1]);
    std::string dayText = w[0];
    std::string yearText = w[2];
    if (w[0].size() == 4) std::swap(dayText, yearText);  // year first
    if (d.month == 0 || !AllDigits(dayText) || dayText.size() > 2 || !AllDigits(yearText) ||
        yearText.size() != 4) {
        return std::nullopt;
    }
    d.day = std::stoi(dayText);
    d.year = std::stoi(yearText);
    return d;
}

std::optional<ParsedRecordDate> ParseRecordDate(std::string_view text) {
    const std::optional<ParsedRecordDate> d = RecordDateShape(text);
    if (!d || d->year < 100 || d->day < 1 || d->day > DaysInMonth(d->month, d->year)) return std::nullopt;
    return d;
}

std::string YearFirstRecordDate(const std::string& date) {
    const std::size_t blank = date.find(' ');
    if (blank == std::string::npos) return date;
    std::string year = date.size() >= 4 ? date.substr(date.size() - 4) : date;
    year.erase(0, year.find_first_not_of(' '));
    const std::string month = date.substr(blank + 1, 3);
    std::string day = date.substr(0, blank);
    if (AllDigits(day) && day.size() < 2) day = "0" + day;
    return year + " " + month + " " + day;
}

}  // namespace orrerion
