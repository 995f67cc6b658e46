#pragma once
// Reading numbers out of typed text and file lines, and writing numbers into text. "." is the
// decimal separator whatever the locale.
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/io/fixed_line.h"

namespace orrerion {

// The number at the start of the text, as a typed field or an options line is read: leading blanks
// are skipped, then an optional sign, digits and a decimal point with more digits. Whatever follows
// is ignored; text without a leading number reads as 0. A number too large for a double reads as
// an infinity of its sign (so that every range check refuses it), one too small as 0.
double LeadingNumber(std::string_view text);
// How many characters at the start of the text LeadingNumber reads: the leading blanks and the
// number (only the blanks when there is no number).
std::size_t LeadingNumberLength(std::string_view text);

// True when the text holds a number and nothing else (blanks around it allowed), and the number
// fits a double.
bool IsWholeNumberText(std::string_view text);

// The text read as a number when it holds a number and nothing else and the number fits a double
// ("inf", "nan" and 400 nines are no numbers).
std::optional<double> ParseNumber(std::string_view text);

// ---- Writing ----------------------------------------------------------------------------------

// A number written out, as printf writes it in the "C" locale, without printf (std::to_chars).
// The room holds any double with up to 17 decimals: sign, 309 integer digits, point, decimals.
inline constexpr std::size_t NumberCharsSize = WidthSum({1, 309, 1, 17});
struct NumberChars {
    std::array<char, NumberCharsSize> text;
    std::size_t size = 0;
    std::string_view view() const { return {text.data(), size}; }
};
// printf's "%.*f": `decimals` (0..17) after the point.
NumberChars FixedChars(double value, int decimals);
// printf's "%.*g": `digits` (1..17) significant digits.
NumberChars GeneralChars(double value, int digits);
// printf's "%0*lld": at least `width` characters (0..20), the sign included, zeros after the sign.
NumberChars IntegerChars(long long value, int width = 0);

}  // namespace orrerion
