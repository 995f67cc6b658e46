#pragma once
// Shared helpers of the test programs: where the approved outputs and shipped data are, a fresh
// temporary folder per test, whole-file reads and running the command-line program.
#include <filesystem>
#include <string>
#include <vector>

namespace orrerion::testing {

std::filesystem::path GoldenDir();  // tests/golden
std::filesystem::path DataDir();    // data/ shipped with the program
std::filesystem::path CliPath();    // the built orrerion-cli

// A new empty folder under the system's temporary folder, named after the running test.
std::filesystem::path MakeTempDir();

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& content);

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs orrerion-cli with the arguments (no shell involved) and collects its output.
CommandResult RunCli(const std::vector<std::string>& args);

}  // namespace orrerion::testing
