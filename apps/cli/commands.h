#pragma once
// The subcommands of orrerion-cli. Each reads the options and operands its row of the command table
// (option_table.h) accepted and returns the process exit status: 0 success, 1 a file could not be
// written or read, 2 refused input or a failed check.
#include "option_table.h"

namespace orrerion::cli {

int RunEphemerisCommand(const CommandLine& line);
int RunChartCommand(const CommandLine& line);
int RunScanCommand(const CommandLine& line);
int RunNamesCommand(const CommandLine& line);
int RunAtlasCommand(const CommandLine& line);
int RunWheelCommand(const CommandLine& line);
int RunTimelineCommand(const CommandLine& line);
int RunReturnsCommand(const CommandLine& line);
int RunEventsCommand(const CommandLine& line);

}  // namespace orrerion::cli
