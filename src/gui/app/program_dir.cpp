#include "gui/app/program_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include "gui/ui/dialogs.h"

namespace orrerion::gui {

SingleInstanceLock::SingleInstanceLock(const QString& lockPath)
    : path_(lockPath), lock_(std::make_unique<QLockFile>(lockPath)) {
    // Never treat a lock as stale by its age: only a lock whose process is gone is stale.
    lock_->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::TryAcquire() {
    if (lock_->isLocked()) return true;
    return lock_->tryLock(0);
}

bool SingleInstanceLock::HeldByAnotherCopy() const {
    // Only an existing lock of a live process is "held"; a file that cannot be created is not.
    return lock_->error() == QLockFile::LockFailedError;
}

QString SingleInstanceLock::Folder() const { return QFileInfo(path_).absolutePath(); }

QString LockFolderMessage(const QString& folder) {
    const QString problem = QFileInfo(folder).isDir() ? "cannot be written"
                                                      : "does not exist and cannot be created";
    return "Orrerion cannot start: while it runs it keeps a lock file in the folder " + folder +
           ", and that folder " + problem +
           ". Make the folder writable, or set HOME (or XDG_RUNTIME_DIR) to a folder you can write.";
}

bool TakeSingleCopyLock(SingleInstanceLock& lock, Dialogs& dialogs) {
    if (lock.TryAcquire()) return true;
    if (lock.HeldByAnotherCopy()) {
        dialogs.MessageBox(nullptr, AlreadyRunningMessage, "WARNING!", MessageIcon::Critical);
    } else {
        dialogs.MessageBox(nullptr, LockFolderMessage(lock.Folder()), "Error!", MessageIcon::Critical);
    }
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
