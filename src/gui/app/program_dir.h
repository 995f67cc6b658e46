#pragma once
// The guard against a second running copy. Where the program keeps its data files (ProgramDir) is
// chosen by the core (core/records/program_folders.h), the same way for both programs.
#include <QString>
#include <memory>

#include "core/records/program_folders.h"

class QLockFile;

namespace orrerion::gui {

inline constexpr const char* AlreadyRunningMessage =
    "Orrerion is already running. For your protection you cannot have more than one copy of "
    "Orrerion running at a time.";

// A lock file held while the program runs. A lock left behind by a copy that crashed belongs to a
// process that no longer exists and does not block the next start.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& lockPath);
    ~SingleInstanceLock();
    // True when this copy now holds the lock; false when another running copy holds it or the lock
    // file cannot be written.
    bool TryAcquire();
    // After a failed TryAcquire: true when another running copy holds the lock, false when the
    // lock file could not be written at all.
    bool HeldByAnotherCopy() const;
    // The folder the lock file goes in.
    QString Folder() const;

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

class Dialogs;

// Why the lock could not be taken when its folder cannot be written (or made): names the folder.
QString LockFolderMessage(const QString& folder);

// Takes the lock for this copy; when another running copy holds it, says so ("WARNING!", critical
// icon) and returns false: the program then ends, leaving the other copy untouched. When the lock
// file cannot be written, says which folder is at fault ("Error!", LockFolderMessage) and returns
// false.
bool TakeSingleCopyLock(SingleInstanceLock& lock, Dialogs& dialogs);

// The lock's path in a folder of the user's own: the runtime folder ($XDG_RUNTIME_DIR) when the
// session has one, otherwise the user's cache folder (created when missing); never a shared one.
QString DefaultLockPath();

}  // namespace orrerion::gui
