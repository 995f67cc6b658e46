#pragma once
// Small helpers for the JSON the program writes: numbers that read back exactly, escaped strings.
#include <string>
#include <string_view>

namespace orrerion {

// A number with 17 significant digits, enough to read back the same double.
std::string JsonNumber(double value);
// A quoted JSON string of ExportSafeText(text) (valid UTF-8, no control characters but line
// breaks) with the necessary escapes.
std::string JsonString(std::string_view text);

}  // namespace orrerion
