#pragma once
// One person of a names file and how the Names window puts that person into an input window.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"

namespace orrerion {

// "Name,dd mmm yyyy,H.MM,A|P,zone,longitude,latitude": longitude D.MM west positive, latitude
// D.MM north positive.
struct NameRecord {
    std::string Name, Date, Time, Meridiem, Zone, Longitude, Latitude;
    bool operator==(const NameRecord&) const = default;
};

// The seven fields of one record line; nothing when the line does not hold exactly seven.
std::optional<NameRecord> NameRecordFromLine(std::string_view line);

inline constexpr const char* RecordFormatErrorMessage =
    "Format error or typographical error in selected data. Please correct this data entry by "
    "clicking on the Edit this List command button in the Names window and editing the data "
    "associated with your chosen name.";

struct ParsedRecordDate {
    int day = 0, month = 0, year = 0;
};
// Reads "dd mmm yyyy" or "yyyy mmm dd" with English month names (three letters or in full, any
// case); nothing when the text is not a calendar date.
std::optional<ParsedRecordDate> ParseRecordDate(std::string_view text);
// The same reading without the calendar: "31 Feb 1951" gives day 31 of month 2, so that a refusal
// can say which day the month does not have.
std::optional<ParsedRecordDate> RecordDateShape(std::string_view text);

// The date rewrite for year-first systems: "05 Jan 1950" becomes "1950 Jan 05"; a date whose fifth
// character is a blank is left as it is.
std::string YearFirstRecordDate(const std::string& date);

// Loads the record into the natal or the diurnal window's fields: date, clock, zone and place,
// applying the zone sign rule as choosing East or West does. The hour is the record's own on the
// 12-hour clock of its meridiem (0 reads as 12); an hour above 12 is kept for the calculation's
// check to refuse, never turned into another hour. Returns the messages to show; on a date that
// cannot be read, the format error, with the fields set so far keeping their new values.
std::vector<Message> LoadNameRecord(const NameRecord& record, int DateOrder, InputSection section,
                                    InputFields& fields);

}  // namespace orrerion
