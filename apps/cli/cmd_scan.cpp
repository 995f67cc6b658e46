// Placeholder until the scan command is built.
#include <cstdio>
#include "commands.h"
namespace orrerion::cli {
int RunScanCommand(const Args&) {
    std::fputs("orrerion-cli: the scan command is not available yet\n", stderr);
    return 2;
}
}  // namespace orrerion::cli
