#include "core/io/text_encoding.h"

#include <array>
#include <cerrno>
#include <cstring>

namespace orrerion {
namespace {

// Characters of the bytes 0x80..0x9F in Windows-1252; the undefined ones map to themselves.
constexpr auto HighControlBlock = std::to_array<char32_t>({
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
});
static_assert(HighControlBlock.size() == 32);

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

// The upper-case partner of a lower-case letter of Windows-1252, or the character itself.
char32_t UpperCase1252(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    switch (c) {
        case 0xFF: return 0x178;    // ÿ
        case 0x161: return 0x160;   // š
        case 0x153: return 0x152;   // œ
        case 0x17E: return 0x17D;   // ž
        default: return c;
    }
}

// Length of the well-formed UTF-8 sequence at `i`, with its code point; 0 when there is none.
std::size_t Utf8Sequence(std::string_view s, std::size_t i, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    std::size_t length;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2; min = 0x80; c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3; min = 0x800; c = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4; min = 0x10000; c = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t c;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = Utf8Sequence(bytes, i, c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b >= 0x80 && b <= 0x9F ? HighControlBlock[b - 0x80] : char32_t{b});
    }
    return out;
}

std::string DecodeDataText(std::string_view bytes) {
    // A file passed through more than one editor that adds the mark may start with several.
    while (bytes.starts_with(Utf8ByteOrderMark)) bytes.remove_prefix(Utf8ByteOrderMark.size());
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::optional<TextLines> ReadDataFileLines(const std::filesystem::path& path, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        if (error) *error = std::strerror(EISDIR);
        return std::nullopt;
    }
    const std::optional<std::string> bytes = ReadFileBytes(path, error);
    if (!bytes) return std::nullopt;
    return SplitTextLines(DecodeDataText(*bytes));
}

std::string UpperCaseText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8Sequence(utf8, i, c);
        if (n == 0) {  // not UTF-8: kept byte for byte
            out += utf8[i++];
            continue;
        }
        AppendUtf8(out, UpperCase1252(c));
        i += n;
    }
    return out;
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    char32_t c;
    for (std::size_t i = 0; i < utf8.size(); ++count) {
        const std::size_t n = Utf8Sequence(utf8, i, c);
        i += n == 0 ? 1 : n;
    }
    return count;
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8Sequence(utf8, i, c);
        units += n == 4 ? 2 : 1;
        i += n == 0 ? 1 : n;
    }
    return units;
}

std::string ExportSafeText(std::string_view text) {
    constexpr char32_t Replacement = 0xFFFD;
    // Printable ASCII and line breaks stay as they are: the first such run is copied whole.
    std::size_t plain = 0;
    while (plain < text.size() && ((text[plain] >= 0x20 && text[plain] < 0x7F) || text[plain] == '\n' ||
                                   text[plain] == '\r')) {
        ++plain;
    }
    std::string out(text.substr(0, plain));
    if (plain == text.size()) return out;
    out.reserve(text.size());
    char32_t c;
    for (std::size_t i = plain; i < text.size();) {
        const std::size_t n = Utf8Sequence(text, i, c);
        if (n == 0) {
            AppendUtf8(out, Replacement);
            ++i;
            continue;
        }
        i += n;
        if (c == '\t') {
            out += ' ';
        } else if (c == '\n' || c == '\r') {
            out += static_cast<char>(c);
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            continue;
        } else if (c == 0xFFFE || c == 0xFFFF) {
            AppendUtf8(out, Replacement);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

}  // namespace orrerion
