// Placeholder until the chart command is built.
#include <cstdio>
#include "commands.h"
namespace orrerion::cli {
int RunChartCommand(const Args&) {
    std::fputs("orrerion-cli: the chart command is not available yet\n", stderr);
    return 2;
}
}  // namespace orrerion::cli
