#include "gui/app/program_dir.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <system_error>

#include "core/io/file_replace.h"
#include "core/io/line_reader.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {
namespace fs = std::filesystem;
namespace {

bool HoldsOptions(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / "OPTIONS.OPT", ec);
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

ProgramDirChoice ResolveProgramDir(const fs::path& exeDir, const fs::path& dirOption,
                                   const fs::path& userDataDir, const fs::path& shippedDataDir) {
    ProgramDirChoice choice;
    if (!dirOption.empty()) {
        choice.dir = fs::absolute(dirOption);
    } else if (HoldsOptions(exeDir)) {
        choice.dir = exeDir;
    } else if (HoldsOptions(exeDir / "data")) {
        choice.dir = exeDir / "data";
    } else {
        choice.dir = userDataDir;
    }
    if (!HoldsOptions(choice.dir)) choice.error = FillFromShipped(choice.dir, shippedDataDir);
    return choice;
}

SingleInstanceLock::SingleInstanceLock(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    // Never treat a lock as stale by its age: only a lock whose process is gone is stale.
    lock_->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::TryAcquire() {
    if (lock_->isLocked()) return true;
    return lock_->tryLock(0);
}

bool TakeSingleCopyLock(SingleInstanceLock& lock, Dialogs& dialogs) {
    if (lock.TryAcquire()) return true;
    dialogs.MessageBox(nullptr, AlreadyRunningMessage, "WARNING!", MessageIcon::Critical);
    return false;
}

QString DefaultLockPath() {
    // The user's runtime folder when the session has one; otherwise the user's cache folder. Never
    // a folder shared with other users, where anyone could hold the lock first.
    QString dir;
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    }
    if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(dir);
    return QDir(dir).filePath("orrerion.lock");
}

}  // namespace orrerion::gui
