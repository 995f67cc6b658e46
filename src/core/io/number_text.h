#pragma once
// Reading numbers out of typed text and file lines. "." is the decimal separator whatever the locale.
#include <cstddef>
#include <optional>
#include <string_view>

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

}  // namespace orrerion
