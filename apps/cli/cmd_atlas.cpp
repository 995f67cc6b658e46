// orrerion-cli atlas QUERY [--date YYYY-MM-DD] [--time HH:MM]: the places matching QUERY with their
// coordinates and the clock offset in force. The atlas program (beside this one in the build, in
// libexec/orrerion/ when installed) does the looking up (ATLAS.EXE --list), so the command line and
// the atlas window cannot disagree.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "atlas_program.h"
#include "commands.h"
#include "core/records/atlas_exchange.h"
#include "core/records/program_folders.h"

extern char** environ;

namespace orrerion::cli {

AtlasProgramRun RunAtlasProgram(const std::vector<std::string>& args, bool captureOutput) {
    AtlasProgramRun run;
    const std::filesystem::path atlas = AtlasProgramDir(ExecutableFolder()) / AtlasProgramName;
    if (!std::filesystem::exists(atlas)) {
        run.problem = "cannot find " + atlas.string() +
                      "; the atlas program is built beside orrerion-cli and installed in libexec/orrerion/ beside bin/";
        return run;
    }

    std::vector<std::string> childArgs{atlas.string()};
    childArgs.insert(childArgs.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : childArgs) argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (captureOutput) {
        if (::pipe(pipeEnds) != 0) {
            run.problem = std::string("cannot start ") + atlas.c_str() + ": " + std::strerror(errno);
            posix_spawn_file_actions_destroy(&actions);
            return run;
        }
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    }

    std::fflush(stdout);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, atlas.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput) ::close(pipeEnds[1]);
    if (spawned != 0) {
        if (captureOutput) ::close(pipeEnds[0]);
        run.problem = std::string("cannot start ") + atlas.c_str() + ": " + std::strerror(spawned);
        return run;
    }
    if (captureOutput) {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
            if (n > 0) {
                run.out.append(buffer, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                break;
            }
        }
        ::close(pipeEnds[0]);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            run.problem = std::string("lost ") + atlas.c_str() + ": " + std::strerror(errno);
            return run;
        }
    }
    if (!WIFEXITED(status)) {
        run.problem = std::string(atlas.c_str()) + " stopped abnormally";
        return run;
    }
    run.ran = true;
    run.status = WEXITSTATUS(status);
    return run;
}

int RunAtlasCommand(const CommandLine& line) {
    if (line.operands.empty()) {
        std::fputs("orrerion-cli atlas: give the name of a place (usage: atlas QUERY [--date YYYY-MM-DD] "
                   "[--time HH:MM])\n", stderr);
        return 2;
    }
    // The atlas program joins the words of the query itself; the options follow them.
    std::vector<std::string> atlasArgs{"--list"};
    atlasArgs.insert(atlasArgs.end(), line.operands.begin(), line.operands.end());
    for (const GivenOption& option : line.options) {
        atlasArgs.emplace_back(option.Name());
        atlasArgs.push_back(option.value);
    }
    const AtlasProgramRun run = RunAtlasProgram(atlasArgs, false);
    if (!run.ran) {
        std::fprintf(stderr, "orrerion-cli atlas: %s\n", run.problem.c_str());
        return 1;
    }
    return run.status;
}

}  // namespace orrerion::cli
