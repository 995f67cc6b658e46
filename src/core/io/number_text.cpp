#include "core/io/number_text.h"

#include <cctype>
#include <charconv>
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

double ReadNumber(std::string_view number) {
    std::string s(number);
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (s.empty() || s == "-" ) return 0.0;
    if (s.back() == '.') s.pop_back();
    if (s.size() > 1 && s[0] == '-' && s[1] == '.') s.insert(1, "0");
    if (!s.empty() && s[0] == '.') s.insert(0, "0");
    double value = 0.0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    text = SkipBlanks(text);
    std::size_t n = NumberLength(text);
    return n == 0 ? 0.0 : ReadNumber(text.substr(0, n));
}

std::optional<double> ParseNumber(std::string_view text) {
    text = SkipBlanks(text);
    std::size_t n = NumberLength(text);
    if (n == 0) return std::nullopt;
    if (!SkipBlanks(text.substr(n)).empty()) return std::nullopt;
    return ReadNumber(text.substr(0, n));
}

bool IsWholeNumberText(std::string_view text) { return ParseNumber(text).has_value(); }

}  // namespace orrerion
