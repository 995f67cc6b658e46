#include "core/base/formatters.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <stdexcept>
#include <string>

#include "core/base/text_tables.h"
#include "core/io/fixed_line.h"
#include "core/io/number_text.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

constexpr std::string_view MonthNames = "JanFebMarAprMayJunJulAugSepOctNovDec";

// "00" "01" .. "99", two characters each.
constexpr std::array<char, 200> DigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

// printf's "%02d": at least two characters, the sign counted among them.
std::string TwoDigits(int n) {
    if (n >= 0 && n < 100) return std::string(&DigitPairs[static_cast<std::size_t>(2 * n)], 2);
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// Lower-case sign abbreviations for the compact longitude.
constexpr std::string_view LowerSignAbbrevText = "aritaugemcanleovirlibscosagcpraqupis";
static_assert(LowerSignAbbrevText.size() == SignAbbrevText.size());

std::string_view MonthName(int month) {
    if (month < 1 || month > 12) return "???";
    return TableEntry(MonthNames, month, 3);
}

// Adds one to the decimal digit string (no sign, no point), e.g. "0999" -> "1000", "99" -> "100".
void IncrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return;
        }
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

SplitResult SplitLongitude(double x) {
    // A value outside 0..360 would name a thirteenth sign; callers pass reduced values.
    if (!(x >= 0 && x < 360)) x = Norm360(x);
    SplitResult r;
    const double whole = std::floor(x);
    r.SignNumber = static_cast<int>(std::floor(whole / 30)) + 1;
    const double degree = whole - 30 * std::floor(whole / 30);
    // Rounded to two decimals before the whole part is taken, so that floating error cannot lose
    // a degree.
    r.SignDegree = static_cast<int>(std::floor(std::floor(degree * 100 + 0.5) / 100));
    r.ArcMinute = static_cast<int>(std::floor((x - whole) * 60 + 0.5));
    if (r.ArcMinute == 60) r.ArcMinute = 59;  // minutes are never carried into the degree
    return r;
}

void PutTwoDigits(std::span<char, 2> out, int n) {
    if (n < 0 || n > 99) throw std::out_of_range("PutTwoDigits: " + std::to_string(n) + " is not 0..99");
    const char* pair = &DigitPairs[static_cast<std::size_t>(2 * n)];
    out[0] = pair[0];
    out[1] = pair[1];
}

void PutLongitudeCompact(std::span<char, LongitudeCompactSize> out, const SplitResult& s) {
    static_assert(LongitudeCompactSize == WidthSum({2, 3, 2}));
    PutTwoDigits(out.subspan<0, 2>(), s.SignDegree);
    const std::string_view sign = TableEntry(LowerSignAbbrevText, s.SignNumber, 3);
    out[2] = sign[0];
    out[3] = sign[1];
    out[4] = sign[2];
    PutTwoDigits(out.subspan<5, 2>(), s.ArcMinute);
}

std::string LongitudeCompactText(double x) {
    std::array<char, LongitudeCompactSize> text{};
    PutLongitudeCompact(text, SplitLongitude(x));
    return std::string(text.data(), text.size());
}

void FormatLongitudeCompact(OutputBuffers& b, double x) { b.LineText += LongitudeCompactText(x); }

std::string LongitudeSpacedText(double x) {
    const SplitResult s = SplitLongitude(x);
    return TwoDigits(s.SignDegree) + " " + std::string(SignAbbrev(s.SignNumber)) + " " +
           TwoDigits(s.ArcMinute);
}

void FormatLongitudeSpaced(OutputBuffers& b, double x) { b.LineText += LongitudeSpacedText(x); }

std::string DeclinationText(double d) {
    const SplitResult s = SplitLongitude(std::fabs(d));
    // The whole degrees of the declination: a value of 30 or more keeps its degrees rather than
    // being shown as a degree within a sign.
    const int degrees = s.SignDegree + 30 * (s.SignNumber - 1);
    return TwoDigits(degrees) + " " + (d >= 0 ? "N" : "S") + " " + TwoDigits(s.ArcMinute) + "   ";
}

void FormatDeclination(OutputBuffers& b, double d) { b.LineText += DeclinationText(d); }

int DaysInMonth(int month, int year) {
    static constexpr auto Days = std::to_array<int>({31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31});
    static_assert(Days.size() == 12);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : Days[static_cast<std::size_t>(month - 1)];
}

CalendarDate JulianDayToCalendar(double DateArgJD) {
    const long long j = static_cast<long long>(std::floor(DateArgJD + 0.5));
    // Fliegel and Van Flandern; every division truncates.
    long long l = j + 68569;
    const long long n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const long long i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const long long m = 80 * l / 2447;
    CalendarDate date;
    date.day = static_cast<int>(l - 2447 * m / 80);
    l = m / 11;
    date.month = static_cast<int>(m + 2 - 12 * l);
    date.year = static_cast<int>(100 * (n - 49) + i + l);
    return date;
}

CivilDates::CivilDates(double firstJD, int days)
    : firstNumber_(static_cast<long long>(std::floor(firstJD + 0.5))) {
    dates_.reserve(static_cast<std::size_t>(std::max(days, 0)));
    for (int i = 0; i < days; ++i) dates_.push_back(JulianDayToCalendar(static_cast<double>(firstNumber_ + i)));
}

CalendarDate CivilDates::Of(double DateArgJD) const {
    // floor(DateArgJD + 0.5), as JulianDayToCalendar takes it, without a call for it.
    const double x = DateArgJD + 0.5;
    if (std::fabs(x) < 1e15) {
        long long j = static_cast<long long>(x);
        if (static_cast<double>(j) > x) --j;
        const long long i = j - firstNumber_;
        if (i >= 0 && i < static_cast<long long>(dates_.size())) return dates_[static_cast<std::size_t>(i)];
    }
    return JulianDayToCalendar(DateArgJD);
}

std::string JulianDayToDate(double DateArgJD, int DateOrder) {
    return DateInOrder(JulianDayToCalendar(DateArgJD), DateOrder);
}

std::string DateInOrder(const CalendarDate& d, int DateOrder) {
    const std::string mm = TwoDigits(d.month);
    const std::string dd = TwoDigits(d.day);
    const std::string yyyy = std::to_string(d.year);
    switch (DateOrder) {
        case 1: return dd + "/" + mm + "/" + yyyy;
        case 2: return yyyy + "/" + mm + "/" + dd;
        default: return mm + "/" + dd + "/" + yyyy;
    }
}

namespace {

// "05 Jan " (7 characters); a day outside 0..99 cannot come from a calendar date.
constexpr std::size_t DayAndMonthSize = WidthSum({2, 1, 3, 1});
void PutDayAndMonth(std::span<char, DayAndMonthSize> out, const CalendarDate& date) {
    PutTwoDigits(out.subspan<0, 2>(), date.day >= 0 && date.day < 100 ? date.day : 0);
    out[2] = ' ';
    const std::string_view month = MonthName(date.month);
    out[3] = month[0];
    out[4] = month[1];
    out[5] = month[2];
    out[6] = ' ';
}

}  // namespace

void PutDateDdMmmYy(std::span<char, DateDdMmmYySize> out, const CalendarDate& date) {
    static_assert(DateDdMmmYySize == DayAndMonthSize + 2);
    PutDayAndMonth(out.subspan<0, DayAndMonthSize>(), date);
    PutTwoDigits(out.subspan<DayAndMonthSize, 2>(), ((date.year % 100) + 100) % 100);
}

std::size_t PutDateDdMmmYyyy(std::span<char, DateDdMmmYyyyMaxSize> out, const CalendarDate& date) {
    PutDayAndMonth(out.subspan<0, DayAndMonthSize>(), date);
    if (date.year >= 0 && date.year <= 9999) {
        PutTwoDigits(out.subspan<DayAndMonthSize, 2>(), date.year / 100);
        PutTwoDigits(out.subspan<DayAndMonthSize + 2, 2>(), date.year % 100);
        return DayAndMonthSize + 4;
    }
    // "%04d" of any int: a sign and at most ten digits.
    const std::span<char> year = out.subspan<DayAndMonthSize>();
    static_assert(DateDdMmmYyyyMaxSize - DayAndMonthSize == 11);
    const std::string digits = std::to_string(date.year < 0 ? -static_cast<long long>(date.year)
                                                            : static_cast<long long>(date.year));
    // Four characters at least, the sign counted among them ("-005").
    const std::size_t width = date.year < 0 ? 3 : 4;
    std::string text = std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
    if (date.year < 0) text.insert(text.begin(), '-');
    if (text.size() > year.size()) throw std::length_error("PutDateDdMmmYyyy: year too long");
    std::memcpy(year.data(), text.data(), text.size());
    return DayAndMonthSize + text.size();
}

std::string DateDdMmmYy(const CalendarDate& date) {
    std::array<char, DateDdMmmYySize> text{};
    PutDateDdMmmYy(text, date);
    return std::string(text.data(), text.size());
}

std::string DateDdMmmYyyy(const CalendarDate& date) {
    std::array<char, DateDdMmmYyyyMaxSize> text{};
    return std::string(text.data(), PutDateDdMmmYyyy(text, date));
}

namespace {

// printf's "%04d-%02d-%02d", or without the hyphens.
std::size_t PutIsoDateWith(std::span<char, IsoDateMaxSize> out, const CalendarDate& date, bool hyphens) {
    if (date.year >= 0 && date.year <= 9999 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
        date.day <= 31) {
        // The dates of the calendar's years 0..9999, from the table of digit pairs.
        std::size_t at = 0;
        const auto two = [&](int n) {
            PutTwoDigits(out.subspan(at).first<2>(), n);
            at += 2;
        };
        two(date.year / 100);
        two(date.year % 100);
        if (hyphens) out[at++] = '-';
        two(date.month);
        if (hyphens) out[at++] = '-';
        two(date.day);
        return at;
    }
    FixedLine<IsoDateMaxSize> text;
    text.Put(IntegerChars(date.year, 4).view());
    if (hyphens) text.Put('-');
    text.Put(IntegerChars(date.month, 2).view());
    if (hyphens) text.Put('-');
    text.Put(IntegerChars(date.day, 2).view());
    std::memcpy(out.data(), text.View().data(), text.size());
    return text.size();
}

}  // namespace

std::size_t PutIsoDate(std::span<char, IsoDateMaxSize> out, const CalendarDate& date) {
    return PutIsoDateWith(out, date, true);
}

std::size_t PutCompactIsoDate(std::span<char, IsoDateMaxSize> out, const CalendarDate& date) {
    return PutIsoDateWith(out, date, false);
}

std::string IsoDateText(const CalendarDate& date) {
    std::array<char, IsoDateMaxSize> text{};
    return std::string(text.data(), PutIsoDate(text, date));
}

std::string CompactIsoDateText(const CalendarDate& date) {
    std::array<char, IsoDateMaxSize> text{};
    return std::string(text.data(), PutCompactIsoDate(text, date));
}

std::string DateMmDdYyyy(const CalendarDate& date) {
    return TwoDigits(date.month) + TwoDigits(date.day) + std::to_string(date.year);
}

std::string FormatPicture(double value, std::string_view picture) {
    const std::size_t point = picture.find('.');
    const std::string_view integerPart = picture.substr(0, point);
    const int decimals =
        point == std::string_view::npos ? 0 : static_cast<int>(picture.size() - point - 1);
    int minIntegerDigits = 0;
    for (char c : integerPart) {
        if (c == '0') ++minIntegerDigits;
    }
    if (!std::isfinite(value)) return "0";

    // The value as 15 significant decimal digits first, then rounded half away from zero on those
    // digits, so that 0.125 shows as 0.13 and 8.3 stored in single precision as 8.30.
    const bool negative = value < 0;
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
    // text: d.dddddddddddddde[+-]XX
    std::string digits;
    digits += text[0];
    digits.append(text + 2, text + 16);
    const int exponent = std::atoi(text + 17);
    // digits represent 0.d1d2... * 10^(exponent + 1)
    int integerDigits = exponent + 1;
    if (integerDigits <= 0) {
        digits.insert(0, static_cast<std::size_t>(-integerDigits + 1), '0');
        integerDigits = 1;
    }
    const std::size_t keep = static_cast<std::size_t>(integerDigits + decimals);
    if (digits.size() < keep + 1) digits.append(keep + 1 - digits.size(), '0');
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        const std::size_t before = digits.size();
        IncrementDigits(digits);
        if (digits.size() > before) ++integerDigits;
    }
    std::string whole = digits.substr(0, static_cast<std::size_t>(integerDigits));
    const std::string fraction = digits.substr(static_cast<std::size_t>(integerDigits));
    // Drop leading zeros down to the picture's least number of integer digits.
    std::size_t firstDigit = 0;
    while (firstDigit < whole.size() &&
           whole.size() - firstDigit > static_cast<std::size_t>(minIntegerDigits) &&
           whole[firstDigit] == '0') {
        ++firstDigit;
    }
    whole = whole.substr(firstDigit);
    if (static_cast<int>(whole.size()) < minIntegerDigits) {
        whole.insert(0, static_cast<std::size_t>(minIntegerDigits) - whole.size(), '0');
    }
    std::string out = whole;
    if (decimals > 0) out += "." + fraction;
    const bool allZero = (whole + fraction).find_first_not_of('0') == std::string::npos;
    if (negative && !allZero) out.insert(0, "-");
    return out;
}

SecondTime SecondOf(double jd, double zoneHoursWest) {
    const double seconds = std::round((jd - zoneHoursWest / 24 + 0.5) * 86400);
    const double dayNumber = std::floor(seconds / 86400);
    const long second = static_cast<long>(seconds - dayNumber * 86400);
    return {JulianDayToCalendar(dayNumber), static_cast<int>(second / 3600), static_cast<int>(second % 3600 / 60),
            static_cast<int>(second % 60)};
}

std::string IsoSecondUtc(double jd) {
    const SecondTime t = SecondOf(jd);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.date.year, t.date.month, t.date.day, t.hour,
                  t.minute, t.second);
    return text;
}

}  // namespace orrerion
