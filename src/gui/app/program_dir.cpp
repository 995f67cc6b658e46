#include "gui/app/program_dir.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include "gui/ui/dialogs.h"

namespace orrerion::gui {

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
