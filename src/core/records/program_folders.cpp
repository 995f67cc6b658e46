#include "core/records/program_folders.h"

#include <system_error>

#include "core/io/file_replace.h"
#include "core/io/line_reader.h"
#include "core/records/atlas_exchange.h"

namespace orrerion {
namespace fs = std::filesystem;
namespace {

bool HoldsOptions(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / "OPTIONS.OPT", ec);
}

bool HoldsAtlas(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / AtlasProgramName, ec);
}

// Copies every shipped file that the folder lacks.
std::string FillFromShipped(const fs::path& dir, const fs::path& shipped) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) return "Cannot create the data folder " + dir.string() + ": " + ec.message();
    if (!fs::is_directory(shipped, ec)) {
        return "The data folder " + dir.string() + " has no OPTIONS.OPT and the program's own data "
               "files were not found in " + shipped.string() + ".";
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped, ec)) {
        if (!entry.is_regular_file()) continue;
        const fs::path target = dir / entry.path().filename();
        if (fs::exists(fs::symlink_status(target))) continue;
        // Copied through the core's file replacement, like every other write of the program.
        std::string reason;
        const std::optional<std::string> bytes = ReadFileBytes(entry.path(), &reason);
        WriteResult written{false, reason};
        if (bytes) written = ReplaceFile(target, *bytes);
        if (!written.ok) {
            return "Cannot copy " + entry.path().string() + " to " + dir.string() + ": " +
                   (bytes ? written.message : reason);
        }
    }
    if (ec) return "Cannot read " + shipped.string() + ": " + ec.message();
    return {};
}

}  // namespace

fs::path ExecutableFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

fs::path ShippedDataDir(const fs::path& exeDir) {
    const fs::path installed = (exeDir / ".." / "share" / "orrerion" / "data").lexically_normal();
    std::error_code ec;
    return fs::is_directory(installed, ec) ? installed : exeDir / "data";
}

fs::path AtlasProgramDir(const fs::path& exeDir) {
    if (HoldsAtlas(exeDir)) return exeDir;
    const fs::path installed = (exeDir / ".." / "libexec" / "orrerion").lexically_normal();
    return HoldsAtlas(installed) ? installed : exeDir;
}

fs::path UserDataDir(const char* xdgDataHome, const char* home) {
    fs::path base;
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute()) {
        base = xdgDataHome;
    } else {
        // An empty HOME stands for the root folder, as the toolkit reads it.
        base = fs::path(home && *home ? home : "/") / ".local" / "share";
    }
    return base / "Orrerion" / "Orrerion";
}

fs::path ChooseProgramDir(const fs::path& exeDir, const fs::path& dirOption, const fs::path& userDataDir) {
    if (!dirOption.empty()) return fs::absolute(dirOption);
    if (HoldsOptions(exeDir)) return exeDir;
    if (HoldsOptions(exeDir / "data")) return exeDir / "data";
    return userDataDir;
}

ProgramDirChoice ResolveProgramDir(const fs::path& exeDir, const fs::path& dirOption,
                                   const fs::path& userDataDir, const fs::path& shippedDataDir) {
    ProgramDirChoice choice;
    choice.dir = ChooseProgramDir(exeDir, dirOption, userDataDir);
    if (!HoldsOptions(choice.dir)) choice.error = FillFromShipped(choice.dir, shippedDataDir);
    return choice;
}

}  // namespace orrerion
