#pragma once
// Where the programs find their folders, in the build tree and in an installed copy:
//
//   build tree                     installed under a prefix such as /usr
//   bin/orrerion, bin/orrerion-cli  <prefix>/bin/orrerion, <prefix>/bin/orrerion-cli
//   bin/ATLAS.EXE                  <prefix>/libexec/orrerion/ATLAS.EXE
//   bin/data/ (shipped files)      <prefix>/share/orrerion/data/ (shipped files)
//
// and the data folder each program reads and writes (options, names, cities, zones, reports).
#include <filesystem>
#include <string>

namespace orrerion {

// The folder of the running executable (its links resolved); the current folder when the system
// does not tell.
std::filesystem::path ExecutableFolder();

// The shipped data files: `exeDir`/../share/orrerion/data when that folder exists (an installed
// copy), else `exeDir`/data (the build).
std::filesystem::path ShippedDataDir(const std::filesystem::path& exeDir);

// The folder holding ATLAS.EXE: `exeDir` when the program is there (the build, or a copy kept in one
// folder), else `exeDir`/../libexec/orrerion when it is there (an installed copy), else `exeDir`, so
// that a failed start asks the person where it is.
std::filesystem::path AtlasProgramDir(const std::filesystem::path& exeDir);

// The user's data folder, as the desktop toolkit names it for organisation and program "Orrerion":
// $XDG_DATA_HOME/Orrerion/Orrerion, or $HOME/.local/share/Orrerion/Orrerion when XDG_DATA_HOME is
// unset or not an absolute path. Either argument may be null (unset).
std::filesystem::path UserDataDir(const char* xdgDataHome, const char* home);

struct ProgramDirChoice {
    std::filesystem::path dir;
    std::string error;  // empty when dir is usable
};

// The data folder, without touching the disk beyond looking: `dirOption` when given; else the
// executable's folder when it holds OPTIONS.OPT (a portable copy); else its data/ folder when that
// holds OPTIONS.OPT (how the build runs); else `userDataDir`.
std::filesystem::path ChooseProgramDir(const std::filesystem::path& exeDir,
                                       const std::filesystem::path& dirOption,
                                       const std::filesystem::path& userDataDir);

// ChooseProgramDir, then a chosen folder without OPTIONS.OPT is created and filled with the
// shipped files of `shippedDataDir`, never overwriting a file that is already there.
ProgramDirChoice ResolveProgramDir(const std::filesystem::path& exeDir,
                                   const std::filesystem::path& dirOption,
                                   const std::filesystem::path& userDataDir,
                                   const std::filesystem::path& shippedDataDir);

}  // namespace orrerion
