// orrerion-cli: the calculations of the desktop program from the command line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <variant>

#include "commands.h"
#include "core/base/version.h"

namespace {

int RunCommand(const std::string& command, const orrerion::cli::Args& rest) {
    using namespace orrerion::cli;
    if (command == "--help" || command == "-h" || command == "help") {
        const CommandRow* about = rest.empty() ? nullptr : FindCommand(rest.front());
        std::fputs((about ? CommandHelp(*about) : OverviewHelp()).c_str(), stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("orrerion-cli %s\n", orrerion::ProgramVersion());
        return 0;
    }
    const CommandRow* row = FindCommand(command);
    if (!row) {
        std::fprintf(stderr, "orrerion-cli: unknown command '%s' (try --help)\n", command.c_str());
        return 2;
    }
    if (AsksForHelp(rest)) {
        std::fputs(CommandHelp(*row).c_str(), stdout);
        return 0;
    }
    std::variant<CommandLine, std::string> read = ReadCommandLine(*row, rest);
    if (const std::string* problem = std::get_if<std::string>(&read)) {
        std::fprintf(stderr, "orrerion-cli %s: %s\n", command.c_str(), problem->c_str());
        return 2;
    }
    const CommandLine& line = std::get<CommandLine>(read);
    if (command == "ephemeris") return RunEphemerisCommand(line);
    if (command == "chart") return RunChartCommand(line);
    if (command == "scan") return RunScanCommand(line);
    if (command == "names") return RunNamesCommand(line);
    if (command == "atlas") return RunAtlasCommand(line);
    if (command == "wheel") return RunWheelCommand(line);
    if (command == "timeline") return RunTimelineCommand(line);
    if (command == "returns") return RunReturnsCommand(line);
    if (command == "events") return RunEventsCommand(line);
    if (command == "completion") {
        if (line.operands != Args{"bash"}) {
            std::fputs("orrerion-cli completion: the one shell is bash: completion bash\n", stderr);
            return 2;
        }
        std::fputs(BashCompletion().c_str(), stdout);
        return 0;
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orrerion::cli;
    Args args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(OverviewHelp().c_str(), stderr);
        return 2;
    }
    const std::string command = args.front();
    Args rest(args.begin() + 1, args.end());
    int status = 1;
    errno = 0;
    try {
        status = RunCommand(command, rest);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orrerion-cli: %s\n", e.what());
        status = 1;
    }
    // Whatever a command printed must have reached its destination (a full disk, a closed pipe).
    // A write that failed inside the command left its reason in errno.
    const int afterCommand = errno;
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int reason = errno != 0 ? errno : afterCommand;
        std::fprintf(stderr, "orrerion-cli %s: cannot write to standard output: %s\n",
                     command.c_str(), reason != 0 ? std::strerror(reason) : "write failed");
        return 1;
    }
    return status;
}
