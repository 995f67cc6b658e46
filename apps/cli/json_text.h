#pragma once
// Small helpers for the JSON the command line prints.
#include <string>
#include <string_view>

namespace orrerion::cli {

// A number with 17 significant digits, enough to read back the same double.
std::string JsonNumber(double value);
// A quoted JSON string with the necessary escapes.
std::string JsonString(std::string_view text);

}  // namespace orrerion::cli
