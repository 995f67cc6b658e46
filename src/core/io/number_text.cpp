#include "core/io/number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace orrerion {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the number at the start of `text` (after blanks), or 0 when there is none.
std::size_t NumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) { ++i; ++digits; }
    }
    return digits == 0 ? 0 : i;
}

std::string_view SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return text.substr(i);
}

// The text has no exponent, so a value out of range is too large when its integer part holds a
// digit other than 0, and too small (it reads as 0) otherwise.
double ReadNumber(std::string_view number) {
    std::string s(number);
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (s.empty() || s == "-" ) return 0.0;
    if (s.back() == '.') s.pop_back();
    if (s.size() > 1 && s[0] == '-' && s[1] == '.') s.insert(1, "0");
    if (!s.empty() && s[0] == '.') s.insert(0, "0");
    double value = 0.0;
    const std::from_chars_result read = std::from_chars(s.data(), s.data() + s.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        const bool negative = s[0] == '-';
        const std::string_view digits = std::string_view(s).substr(negative ? 1 : 0);
        const std::string_view integerPart = digits.substr(0, digits.find('.'));
        const bool tooLarge = integerPart.find_first_not_of('0') != std::string_view::npos;
        value = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
        if (negative) value = -value;
    } else if (read.ec != std::errc()) {
        value = 0.0;
    }
    return value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    text = SkipBlanks(text);
    std::size_t n = NumberLength(text);
    return n == 0 ? 0.0 : ReadNumber(text.substr(0, n));
}

std::size_t LeadingNumberLength(std::string_view text) {
    const std::size_t blanks = text.size() - SkipBlanks(text).size();
    return blanks + NumberLength(text.substr(blanks));
}

std::optional<double> ParseNumber(std::string_view text) {
    text = SkipBlanks(text);
    std::size_t n = NumberLength(text);
    if (n == 0) return std::nullopt;
    if (!SkipBlanks(text.substr(n)).empty()) return std::nullopt;
    const double value = ReadNumber(text.substr(0, n));
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

bool IsWholeNumberText(std::string_view text) { return ParseNumber(text).has_value(); }

namespace {

// printf's "%.*f" of a number of modest size with few decimals, from the integer nearest to it
// scaled: the scaled product is within half a unit in its last place of the exact one, so away
// from a half it rounds as the exact value would. False when the value is too large, has too many
// decimals or lies too close to a half, for the general conversion.
bool ScaledFixedChars(double value, int decimals, NumberChars& n) {
    static constexpr auto Powers = std::to_array<unsigned long long>({1, 10, 100, 1000, 10000, 100000, 1000000});
    if (decimals < 0 || decimals >= static_cast<int>(Powers.size()) || !(std::fabs(value) < 1e9)) return false;
    const auto power = Powers[static_cast<std::size_t>(decimals)];
    const double scaled = std::fabs(value) * static_cast<double>(power);  // below 2^53
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;  // exact
    const double ulp = std::nextafter(scaled, 2 * scaled + 1) - scaled;
    if (std::fabs(fraction - 0.5) <= 2 * ulp) return false;
    const unsigned long long digits = static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);
    char* out = n.text.data();
    if (std::signbit(value)) *out++ = '-';
    out = std::to_chars(out, n.text.data() + n.text.size(), digits / power).ptr;
    if (decimals > 0) {
        *out++ = '.';
        unsigned long long rest = digits % power;
        for (int i = decimals - 1; i >= 0; --i, rest /= 10) out[i] = static_cast<char>('0' + rest % 10);
        out += decimals;
    }
    n.size = static_cast<std::size_t>(out - n.text.data());
    return true;
}

}  // namespace

NumberChars FixedChars(double value, int decimals) {
    NumberChars n;
    if (ScaledFixedChars(value, decimals, n)) return n;
    const auto [end, ec] = std::to_chars(n.text.data(), n.text.data() + n.text.size(), value,
                                         std::chars_format::fixed, std::clamp(decimals, 0, 17));
    n.size = ec == std::errc() ? static_cast<std::size_t>(end - n.text.data()) : 0;
    return n;
}

namespace {

// printf's "%.*g" of a number from 1e-4 up to below 1e17 written with a point (as "%g" writes such
// numbers when their exponent is below `digits`): its `digits` significant digits are the integer
// nearest to the exact value scaled by a power of ten, worked out in 128-bit integers from the
// double's own bits, the halves to even. False for the numbers it does not take.
bool ScaledGeneralChars(double value, int digits, NumberChars& n) {
    const double size = std::fabs(value);
    if (!(size >= 1e-4 && size < 1e17) || digits < 1 || digits > 17) return false;
    int binaryExponent = 0;
    const double fraction = std::frexp(size, &binaryExponent);  // size = fraction * 2^binaryExponent
    const auto mantissa = static_cast<unsigned long long>(std::ldexp(fraction, 53));
    const int shift = 53 - binaryExponent;  // size = mantissa / 2^shift; -4 <= shift <= 67
    static constexpr auto Powers = [] {
        std::array<unsigned __int128, 22> p{};
        p[0] = 1;
        for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
        return p;
    }();
    // The decimal exponent: a guess, put right below.
    int exponent = static_cast<int>(std::floor(std::log10(size)));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = digits - 1 - exponent;  // decimals after the point
        if (scale < 0 || scale >= static_cast<int>(Powers.size())) return false;
        unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * Powers[static_cast<std::size_t>(scale)];
        unsigned long long rounded = 0;
        if (shift <= 0) {
            rounded = static_cast<unsigned long long>(scaled << -shift);
        } else {
            const unsigned __int128 whole = scaled >> shift;
            const unsigned __int128 rest = scaled - (whole << shift);
            const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
            rounded = static_cast<unsigned long long>(whole) + (rest > half || (rest == half && (whole & 1)) ? 1 : 0);
        }
        const auto least = static_cast<unsigned long long>(Powers[static_cast<std::size_t>(digits - 1)]);
        if (rounded < least) {
            --exponent;
            continue;
        }
        if (rounded >= least * 10) {
            ++exponent;
            continue;
        }
        if (exponent < -4 || exponent >= digits) return false;  // "%g" writes an exponent
        // The digits, the point after the first exponent + 1 of them (or "0." and zeros before
        // them), and no zeros at the end of the decimals.
        std::array<char, 20> text{};
        const auto count = static_cast<std::size_t>(std::to_chars(text.data(), text.data() + text.size(), rounded).ptr -
                                                    text.data());
        char* out = n.text.data();
        if (std::signbit(value)) *out++ = '-';
        std::size_t intDigits = 0;
        if (exponent >= 0) {
            intDigits = static_cast<std::size_t>(exponent) + 1;
            out = std::copy_n(text.data(), intDigits, out);
        } else {
            *out++ = '0';
        }
        std::size_t last = count;
        while (last > intDigits && text[last - 1] == '0') --last;
        if (last > intDigits || exponent < 0) {
            *out++ = '.';
            for (int z = exponent + 1; z < 0; ++z) *out++ = '0';
            out = std::copy(text.data() + intDigits, text.data() + last, out);
        }
        n.size = static_cast<std::size_t>(out - n.text.data());
        return true;
    }
    return false;
}

}  // namespace

NumberChars GeneralChars(double value, int digits) {
    NumberChars n;
    if (ScaledGeneralChars(value, digits, n)) return n;
    const auto [end, ec] = std::to_chars(n.text.data(), n.text.data() + n.text.size(), value,
                                         std::chars_format::general, std::clamp(digits, 1, 17));
    n.size = ec == std::errc() ? static_cast<std::size_t>(end - n.text.data()) : 0;
    return n;
}

NumberChars IntegerChars(long long value, int width) {
    // The digits of the magnitude first, then the sign and the zeros that pad them to `width`.
    std::array<char, 24> digits{};
    const unsigned long long magnitude =
        value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude).ptr;
    const auto count = static_cast<std::size_t>(end - digits.data());
    const std::size_t sign = value < 0 ? 1 : 0;
    const std::size_t wanted = static_cast<std::size_t>(std::clamp(width, 0, 20));
    const std::size_t zeros = wanted > sign + count ? wanted - sign - count : 0;
    NumberChars n;
    if (sign) n.text[n.size++] = '-';
    for (std::size_t i = 0; i < zeros; ++i) n.text[n.size++] = '0';
    for (std::size_t i = 0; i < count; ++i) n.text[n.size++] = digits[i];
    return n;
}

}  // namespace orrerion
