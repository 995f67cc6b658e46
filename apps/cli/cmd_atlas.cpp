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

#include "commands.h"
#include "core/records/atlas_exchange.h"
#include "core/records/program_folders.h"

extern char** environ;

namespace orrerion::cli {

int RunAtlasCommand(const Args& args) {
    if (args.empty()) {
        std::fputs("orrerion-cli atlas: give the name of a place (usage: atlas QUERY [--date YYYY-MM-DD] "
                   "[--time HH:MM])\n", stderr);
        return 2;
    }
    const std::filesystem::path atlas = AtlasProgramDir(ExecutableFolder()) / AtlasProgramName;
    if (!std::filesystem::exists(atlas)) {
        std::fprintf(stderr,
                     "orrerion-cli atlas: cannot find %s; the atlas program is built beside orrerion-cli "
                     "and installed in libexec/orrerion/ beside bin/\n",
                     atlas.c_str());
        return 1;
    }

    std::vector<std::string> childArgs{atlas.string(), "--list"};
    childArgs.insert(childArgs.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : childArgs) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::fflush(stdout);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, atlas.c_str(), nullptr, nullptr, argv.data(), environ);
    if (spawned != 0) {
        std::fprintf(stderr, "orrerion-cli atlas: cannot start %s: %s\n", atlas.c_str(), std::strerror(spawned));
        return 1;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            std::fprintf(stderr, "orrerion-cli atlas: lost %s: %s\n", atlas.c_str(), std::strerror(errno));
            return 1;
        }
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    std::fprintf(stderr, "orrerion-cli atlas: %s stopped abnormally\n", atlas.c_str());
    return 1;
}

}  // namespace orrerion::cli
