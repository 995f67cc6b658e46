#include "core/io/json_text.h"

#include <algorithm>
#include <cmath>

#include "core/io/number_text.h"
#include "core/io/text_encoding.h"

namespace orrerion {

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    return std::string(GeneralChars(value, 17).view());
}

std::string JsonString(std::string_view text) {
    const std::string safe = ExportSafeText(text);
    std::string out;
    out.reserve(safe.size() + 2);
    out += '"';
    // Text without a character that needs an escape goes as it is.
    const auto escaped = [](char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; };
    if (std::none_of(safe.begin(), safe.end(), escaped)) {
        out += safe;
        return out + "\"";
    }
    for (char c : safe) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    static constexpr char Hex[] = "0123456789abcdef";
                    const auto byte = static_cast<unsigned char>(c);
                    out += "\\u00";
                    out += Hex[byte >> 4];
                    out += Hex[byte & 15];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

}  // namespace orrerion
