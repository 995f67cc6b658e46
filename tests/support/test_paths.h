#pragma once
// Shared helpers of the test programs: where the approved outputs and shipped data are, a fresh
// temporary folder per test, whole-file reads and running the command-line program.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "file_limits.h"

namespace orrerion::testing {

std::filesystem::path GoldenDir();  // tests/golden
std::filesystem::path DataDir();    // data/ shipped with the program
std::filesystem::path CliPath();    // the built orrerion-cli

// A new empty folder under the system's temporary folder, named after the running test; removed
// with what it holds when the test program ends (unless ORRERION_KEEP_TEST_DIRS is set).
std::filesystem::path MakeTempDir();

std::string ReadWholeFile(const std::filesystem::path& path);
// The lines of a report file (CR LF ended) from line `from` (0-based) on: 6 skips the header,
// the title and its empty line.
std::vector<std::string> ReportFileLines(const std::filesystem::path& path, std::size_t from = 6);
std::vector<std::string> CrLfLines(const std::string& text, std::size_t from = 6);
void WriteWholeFile(const std::filesystem::path& path, const std::string& content);

// The case folders of one kind of approved output (tests/golden/<kind>/<case>/), sorted by name.
std::vector<std::filesystem::path> GoldenCases(const std::string& kind);
// The command-line arguments of a case, one per line and kept exactly (" 90" keeps its blank);
// the options file named in the case is taken relative to tests/golden.
std::vector<std::string> GoldenCaseArgs(const std::filesystem::path& caseDir);

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};
// Runs orrerion-cli with the arguments (no shell involved) and collects its output. With
// `stdoutDevice` (such as /dev/full), standard output goes to that existing file instead.
CommandResult RunCli(const std::vector<std::string>& args,
                     const std::filesystem::path& stdoutDevice = {});
// The same for another copy of a program.
CommandResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& stdoutDevice = {});

// The entries of a reports folder, less the hidden ones through which the report names lead to
// the current set (".<stem>.set" and its generation folder ".<stem>~<16 hex digits>.set"):
// the names readers see, and any leftover.
std::set<std::string> ReportFolderNames(const std::filesystem::path& dir);

// Starts orrerion-cli with the arguments (output thrown away) and returns its process id at once,
// so that several run side by side; WaitForProgram gives its exit status, -1 when a signal ended it.
int StartCli(const std::vector<std::string>& args);
int WaitForProgram(int pid);

}  // namespace orrerion::testing
