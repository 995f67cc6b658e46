#pragma once
// A small reader for the flat JSON objects the command line prints and the approved outputs hold:
// values are numbers, strings, or arrays of numbers.
#include <map>
#include <string>
#include <vector>

namespace orrerion::testing {

struct JsonValue {
    enum class Kind { Number, String, NumberArray, Null } kind = Kind::Null;
    double number = 0.0;
    std::string text;
    std::vector<double> numbers;
};

// Throws std::runtime_error on text it cannot read.
std::map<std::string, JsonValue> ParseFlatJson(const std::string& text);

}  // namespace orrerion::testing
