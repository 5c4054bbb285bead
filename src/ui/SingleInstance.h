#pragma once
// "Is another copy of the program running?" on Linux. Every running copy holds one lock file
// of a small set in a per-user folder until it ends; a copy starting up takes the first free
// one and then looks whether any other is held. A copy that crashed leaves a stale lock that
// the next start takes over (the lock records the process id).
#include <QLockFile>
#include <QString>

#include <memory>
#include <vector>

class InstanceLock {
public:
    // Lock files velquor-0.lock .. velquor-(slotCount-1).lock in `folder`.
    explicit InstanceLock(QString folder = DefaultFolder(), int slotCount = 16);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the first free lock file; false when none could be taken (the folder is not
    // writable or every slot is held), in which case the program runs on as if alone.
    bool acquire();
    // True when a lock file other than ours is held by a running copy.
    bool otherCopyRuns() const;
    // Gives our lock file back (the program only does this when it does not start after all).
    void release();
    bool held() const { return held_ != nullptr; }

    static QString DefaultFolder();

private:
    QString pathFor(int slot) const;

    QString folder_;
    int slots_;
    int heldSlot_ = -1;
    std::unique_ptr<QLockFile> held_;
};
