#include "ui/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

InstanceLock::InstanceLock(QString folder, int slotCount)
    : folder_(std::move(folder)), slots_(slotCount < 1 ? 1 : slotCount) {}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::DefaultFolder() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return runtime;
}

QString InstanceLock::pathFor(int slot) const {
    return QDir(folder_).filePath(QStringLiteral("velquor-%1.lock").arg(slot));
}

bool InstanceLock::acquire() {
    if (held_) return true;
    QDir().mkpath(folder_);
    for (int slot = 0; slot < slots_; ++slot) {
        auto lock = std::make_unique<QLockFile>(pathFor(slot));
        // Held for the whole run: never stale by age, only when its process is gone.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            held_ = std::move(lock);
            heldSlot_ = slot;
            return true;
        }
    }
    return false;
}

bool InstanceLock::otherCopyRuns() const {
    for (int slot = 0; slot < slots_; ++slot) {
        if (slot == heldSlot_) continue;
        QLockFile probe(pathFor(slot));
        probe.setStaleLockTime(0);
        if (probe.tryLock(0)) {
            probe.unlock();
            continue;
        }
        if (probe.error() == QLockFile::LockFailedError) return true;
    }
    return false;
}

void InstanceLock::release() {
    if (held_) held_->unlock();
    held_.reset();
    heldSlot_ = -1;
}
