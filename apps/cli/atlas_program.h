#pragma once
// Running the atlas program ATLAS.EXE, found beside orrerion-cli or, in an installed copy, in
// libexec/orrerion/ beside its bin/ folder.
#include <string>
#include <vector>

namespace orrerion::cli {

struct AtlasProgramRun {
    bool ran = false;     // false: not found, not started or lost; `problem` says why
    int status = 1;       // its exit status once it ran
    std::string out;      // its standard output, when captured
    std::string problem;  // "cannot find /x/ATLAS.EXE; ..."
};

// Runs ATLAS.EXE with `args`; its standard error is ours, its standard output too unless
// `captureOutput`, which collects it in `out`.
AtlasProgramRun RunAtlasProgram(const std::vector<std::string>& args, bool captureOutput);

}  // namespace orrerion::cli
