// Every command's JSON output against its schema in docs/json: each key the schema names, of the
// type and values it allows, none it does not know, and every key snake_case unless the schema
// keeps it for one release as deprecated (or fixes the names, as the chart's do).
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "json_lite.h"
#include "test_paths.h"

namespace orrerion {
namespace {

using testing::JsonNode;
namespace fs = std::filesystem;

bool HasType(const JsonNode& value, const std::string& type) {
    using K = JsonNode::Kind;
    if (type == "object") return value.kind == K::Object;
    if (type == "array") return value.kind == K::Array;
    if (type == "string") return value.kind == K::String;
    if (type == "number") return value.kind == K::Number;
    if (type == "integer") return value.kind == K::Number && std::floor(value.number) == value.number;
    if (type == "boolean") return value.kind == K::Bool;
    if (type == "null") return value.kind == K::Null;
    ADD_FAILURE() << "the schema names an unknown type " << type;
    return false;
}

const JsonNode* Member(const JsonNode& object, const std::string& key) {
    const auto at = object.members.find(key);
    return at == object.members.end() ? nullptr : &at->second;
}

bool SnakeCase(const std::string& key) { return std::regex_match(key, std::regex("[a-z][a-z0-9_]*")); }

// The keywords the schemas use: type, enum, pattern, properties, required, additionalProperties,
// items. Problems are collected with the path of the value.
void Check(const JsonNode& value, const JsonNode& schema, const std::string& path, bool fixedNames,
           std::vector<std::string>& problems) {
    if (const JsonNode* type = Member(schema, "type"); type && !HasType(value, type->text)) {
        problems.push_back(path + ": not of type " + type->text);
        return;
    }
    if (const JsonNode* allowed = Member(schema, "enum")) {
        bool found = false;
        for (const JsonNode& a : allowed->items) found = found || (a.kind == value.kind && a.text == value.text);
        if (!found) problems.push_back(path + ": \"" + value.text + "\" is none of the values allowed");
    }
    if (const JsonNode* pattern = Member(schema, "pattern");
        pattern && !std::regex_search(value.text, std::regex(pattern->text))) {
        problems.push_back(path + ": \"" + value.text + "\" does not match " + pattern->text);
    }
    if (value.kind == JsonNode::Kind::Object) {
        const JsonNode* properties = Member(schema, "properties");
        const JsonNode* additional = Member(schema, "additionalProperties");
        const bool fixed = fixedNames || Member(schema, "x-fixed-names");
        if (const JsonNode* required = Member(schema, "required")) {
            for (const JsonNode& key : required->items) {
                if (!Member(value, key.text)) problems.push_back(path + ": no " + key.text);
            }
        }
        for (const auto& [key, member] : value.members) {
            const JsonNode* property = properties ? Member(*properties, key) : nullptr;
            if (!property && additional && additional->kind == JsonNode::Kind::Object) property = additional;
            if (!property) {
                problems.push_back(path + ": the schema does not know " + key);
                continue;
            }
            const bool deprecated = Member(*property, "deprecated") != nullptr;
            if (!SnakeCase(key) && !deprecated && !(fixed && properties && Member(*properties, key))) {
                problems.push_back(path + ": " + key + " is not snake_case");
            }
            Check(member, *property, path + "." + key, false, problems);
        }
    }
    if (value.kind == JsonNode::Kind::Array) {
        if (const JsonNode* items = Member(schema, "items")) {
            for (std::size_t i = 0; i < value.items.size(); ++i) {
                Check(value.items[i], *items, path + "[" + std::to_string(i) + "]", false, problems);
            }
        }
    }
}

// The default chart through each command, with the options that fill the most keys: points on the
// chart, three rings and outer aspects on the wheel, a year of events (eclipses, stations, void
// periods) and of returns.
TEST(JsonSchemas, EveryCommandsOutputFollowsItsSchema) {
    const fs::path dir = testing::MakeTempDir();
    const std::vector<std::string> chart = {"--natal", "John Smith,13 Jan 1950,8.30,A,5,074.00,40.43", "--diurnal",
                                            ",07 Dec 2026,12.00,P,5,074.00,40.43", "--options",
                                            (testing::GoldenDir() / "options/OPTIONS_default.OPT").string()};
    struct Case {
        std::string command;
        std::vector<std::string> more;
    };
    const std::vector<Case> cases = {
        {"chart", {"--points", "mean-node,lilith,fortune"}},
        {"scan", {"--days", "120", "--quiet", "--events", "all"}},
        {"timeline", {"--days", "120", "--reports", (dir / "reports").string(), "--svg", (dir / "t.svg").string(),
                      "--events", "all"}},
        {"wheel", {"--rings", "natal,progressed,transits", "--outer-aspects", "--svg", (dir / "w.svg").string()}},
        {"returns", {"--body", "Moon", "--days", "60"}},
        {"events", {"--days", "400"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const fs::path out = dir / (c.command + ".json");
        std::vector<std::string> args = {c.command};
        args.insert(args.end(), chart.begin(), chart.end());
        args.insert(args.end(), c.more.begin(), c.more.end());
        args.insert(args.end(), {"--json", out.string()});
        const auto result = testing::RunCli(args);
        ASSERT_EQ(result.status, 0) << result.err;
        const JsonNode schema =
            testing::ParseJson(testing::ReadWholeFile(testing::GoldenDir() / "../../docs/json" / (c.command + ".schema.json")));
        const JsonNode output = testing::ParseJson(testing::ReadWholeFile(out));
        std::vector<std::string> problems;
        Check(output, schema, c.command, false, problems);
        for (const std::string& p : problems) ADD_FAILURE() << p;
    }
}

}  // namespace
}  // namespace orrerion
