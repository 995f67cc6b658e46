#pragma once
// Where the program keeps its data files (ProgramDir), and the guard against a second running copy.
#include <QString>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QLockFile;

namespace orrerion::gui {

struct ProgramDirChoice {
    std::filesystem::path dir;
    std::string error;  // empty when dir is usable
};

// The data folder: `dirOption` when given; else the executable's folder when it holds OPTIONS.OPT
// (a portable install); else its data/ folder when that holds OPTIONS.OPT (how the build runs);
// else `userDataDir`. A chosen folder without OPTIONS.OPT is created and filled with the shipped
// files of `shippedDataDir`, never overwriting a file that is already there.
ProgramDirChoice ResolveProgramDir(const std::filesystem::path& exeDir,
                                   const std::filesystem::path& dirOption,
                                   const std::filesystem::path& userDataDir,
                                   const std::filesystem::path& shippedDataDir);

inline constexpr const char* AlreadyRunningMessage =
    "Orrerion is already running. For your protection you cannot have more than one copy of "
    "Orrerion running at a time.";

// A lock file held while the program runs. A lock left behind by a copy that crashed belongs to a
// process that no longer exists and does not block the next start.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& lockPath);
    ~SingleInstanceLock();
    // True when this copy now holds the lock; false when another running copy holds it.
    bool TryAcquire();

private:
    std::unique_ptr<QLockFile> lock_;
};

class Dialogs;

// Takes the lock for this copy; when another running copy holds it, says so ("WARNING!", critical
// icon) and returns false: the program then ends, leaving the other copy untouched.
bool TakeSingleCopyLock(SingleInstanceLock& lock, Dialogs& dialogs);

// The lock's path in a folder of the user's own: the runtime folder ($XDG_RUNTIME_DIR) when the
// session has one, otherwise the user's cache folder (created when missing); never a shared one.
QString DefaultLockPath();

}  // namespace orrerion::gui
