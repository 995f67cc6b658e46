#pragma once
// The text of the stored data files (names, cities, time zones). They are written as UTF-8; a file
// that is not valid UTF-8 comes from an older system and is read as Windows-1252, so accented
// names survive either way. Inside the program all text is UTF-8.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/io/line_reader.h"

namespace orrerion {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Every byte mapped to its Windows-1252 character, written as UTF-8. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number.
std::string Windows1252ToUtf8(std::string_view bytes);

// The file's bytes as UTF-8 text: leading UTF-8 byte order marks are dropped; the rest is kept
// when it is valid UTF-8 and decoded as Windows-1252 otherwise.
std::string DecodeDataText(std::string_view bytes);

// Reads a data file, decodes it with DecodeDataText and splits it into lines (CR LF or LF).
// Returns nothing when the file cannot be opened or read; `error` then holds the system's reason.
std::optional<TextLines> ReadDataFileLines(const std::filesystem::path& path,
                                           std::string* error = nullptr);

// Upper case as the stored names are compared: ASCII letters and the accented letters of
// Windows-1252 (à..þ, š, œ, ž, ÿ); every other character is kept. "José" gives "JOSÉ".
std::string UpperCaseText(std::string_view utf8);

// Number of characters (code points) of UTF-8 text; a byte that starts no character counts as one.
std::size_t CharacterCount(std::string_view utf8);

// Length of UTF-8 text in UTF-16 code units, the unit a desktop text box counts in: a character
// beyond U+FFFF counts two, a byte that starts no character one.
std::size_t Utf16Length(std::string_view utf8);

// Text as every export carries it (SVG, JSON, CSV, calendar), whatever bytes a data file or an
// argument held: well-formed UTF-8, each byte that starts no well-formed character replaced by
// U+FFFD, and likewise the noncharacters U+FFFE and U+FFFF, which XML forbids. A tab becomes a
// blank; line feeds and carriage returns are kept for the formats to write as line breaks; every
// other control character (U+0000..U+001F, U+007F, U+0080..U+009F) is dropped.
std::string ExportSafeText(std::string_view text);

}  // namespace orrerion
