#pragma once
// The subcommands of orrerion-cli. Each takes the arguments after its own name and returns the
// process exit status: 0 success, 1 a file could not be written or read, 2 refused input or a
// failed check.
#include <string>
#include <vector>

namespace orrerion::cli {

using Args = std::vector<std::string>;

int RunEphemerisCommand(const Args& args);
int RunChartCommand(const Args& args);
int RunScanCommand(const Args& args);
int RunNamesCommand(const Args& args);
int RunAtlasCommand(const Args& args);
int RunWheelCommand(const Args& args);
int RunTimelineCommand(const Args& args);
int RunReturnsCommand(const Args& args);
int RunEventsCommand(const Args& args);

// The usage text printed by --help and after a usage error.
const char* UsageText();

}  // namespace orrerion::cli
