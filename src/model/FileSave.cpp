// A save, told as one story: the name followed to the folder it may write in, the lock taken,
// what stands there looked at once, what the user must decide reported back, and the file
// replaced, every name made on the way undone together on failure.
#include "model/FileParts.h"
#include "model/SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fileio {

namespace {

const char* const ChangedMeanwhile =
    "ファイルを置き換えられませんでした（保存の途中で、別のプログラムがファイルを変更しました）";

// What stands at the file's name: `exists` says whether anything does.
struct Target {
    const HeldFolder& folder;
    const std::string& leaf;
    struct stat st {};
    bool exists = false;
};

// Looks at what stands there, without following a link; false when it cannot be looked at or
// is no regular file.
bool Look(Target& target, std::string& error) {
    target.exists =
        Sys().fstatat(target.folder.fd, target.leaf.c_str(), &target.st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!target.exists && errno != ENOENT) {
        error = SystemReason(SaveTargetUnclear, errno);
        return false;
    }
    if (target.exists && !S_ISREG(target.st.st_mode)) {
        error = "保存先は" + NotAFile(target.st.st_mode);
        return false;
    }
    return true;
}

// Whether the user may put another file in the place of another user's file: in a folder with
// the sticky bit (as /tmp) only its owner, the folder's owner and the administrator may.
bool MayTakeName(const Target& target) {
    const uid_t me = ::geteuid();
    struct stat folder;
    if (me == 0 || target.st.st_uid == me || Sys().fstat(target.folder.fd, &folder) != 0)
        return true; // else the save itself will say
    return (folder.st_mode & S_ISVTX) == 0 || folder.st_uid == me;
}

// A file the user cannot write, or one that nobody may write: the user protected it.
bool Protected(const Target& target) {
    return (target.st.st_mode & 0222) == 0 ||
           (Sys().faccessat(target.folder.fd, target.leaf.c_str(), W_OK, AT_EACCESS) != 0 &&
            errno == EACCES);
}

// Why no backup can be made under `backup`, in the user's words; empty when one can. Whatever
// holds the name and is not the user's to replace stays where it is.
std::string BackupBlocked(const HeldFolder& folder, const std::string& backup) {
    Target there{folder, backup};
    if (Sys().fstatat(folder.fd, backup.c_str(), &there.st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENAMETOOLONG
                   ? "バックアップのファイル名が長すぎるため、バックアップを作れません。"
                   : "";
    if (!S_ISREG(there.st.st_mode))
        return std::string("バックアップと同じ名前の") + KindName(there.st.st_mode) +
               "があるため、バックアップを作れません。";
    if (!MayTakeName(there))
        return "バックアップと同じ名前の、他の利用者のファイルがあるため、"
               "バックアップを作れません。";
    return {};
}

// Just before the file is replaced: the lock is still this save's, and what stands there is as
// the save found it under the lock (the same file, of the same size, written last at the same
// time, or still nothing); else Changed, with the digest of what stands there now.
bool StillAsFound(const SaveLock& lock, const Target& target, SaveReport& out) {
    if (!lock.stillHeld(out.reason)) return false;
    struct stat now;
    const bool there =
        Sys().fstatat(target.folder.fd, target.leaf.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0;
    if (there ? target.exists && SameState(now, target.st) : !target.exists && errno == ENOENT)
        return true;
    out.reason = ChangedMeanwhile;
    out.finding = Finding::Changed;
    out.found = there ? DigestOfFile(target.folder.fd, target.leaf, now) : std::nullopt;
    return false;
}

// Writes `bytes` over another user's file, open for writing as `fd`, once a whole copy of it
// stands on disk as its backup (or the one a cut write left) and a mark beside it names that
// copy: the file keeps its owner so, whom a new file, which would be the user's, would lock out.
// A write that fails puts the whole bytes back; where even that fails, the mark stays and the
// copy is kept.
bool WriteInPlace(Transaction& t, SaveLock& lock, const Target& target, int fd,
                  std::string_view bytes, const std::string& backup, SaveReport& out) {
    std::string whole = lock.wholeCopy();
    const bool cut = !whole.empty();
    if (!cut &&
        !MakeBackup(t, target.folder, target.leaf, target.st, backup, true, whole, out.reason))
        return false;
    SyncFolder(target.folder); // the copy stands on disk before the file is touched
    struct stat now;
    if (!lock.markInPlace(whole, out.reason) || !StillAsFound(lock, target, out) ||
        Sys().fstat(fd, &now) != 0 || !SameState(now, target.st)) {
        if (out.reason.empty()) out.reason = ChangedMeanwhile;
        if (!cut) lock.clearMark(); // the file is as it was, whole
        return false;
    }
    const auto failed = [&] {
        out.reason = SystemReason("ファイルに書き込めませんでした", errno);
        return false;
    };
    off_t size = static_cast<off_t>(bytes.size());
    if ((Sys().lseek(fd, 0, SEEK_SET) == 0 || failed()) && WriteAll(fd, bytes, out.reason) &&
        (Sys().ftruncate(fd, size) == 0 || failed()) && Sync(fd, out.reason))
        return true;
    std::string ignored;
    size = 0;
    const Fd in = OpenExamined(target.folder.fd, whole, O_RDONLY, nullptr, "", ignored);
    if (in && Sys().lseek(fd, 0, SEEK_SET) == 0 &&
        ReadChunks(in.get(), SIZE_MAX, ignored,
                   [&](std::string_view chunk) {
                       size += static_cast<off_t>(chunk.size());
                       return WriteAll(fd, chunk, ignored);
                   }) &&
        Sys().ftruncate(fd, size) == 0 && Sync(fd, ignored)) {
        lock.clearMark();
        return false; // rolled back
    }
    out.reason += "\n\n元のファイルの内容は、次のファイルに残っています。\n" +
                  Join(target.folder.path, whole);
    t.commit(); // the copy stays, as does the mark that names it
    return false;
}

// Writes `bytes` complete under a hidden name of its own, keeps what stood there as `backup`,
// and gives the new file the file's name.
bool ReplaceByNewFile(Transaction& t, SaveLock& lock, const Target& target, int sourceFd,
                      std::string_view bytes, const std::string& backup, SaveReport& out) {
    const std::string name = HiddenName("new", target.leaf);
    struct stat made;
    std::string whole;
    const bool ok = WriteNewFile(
                        t, target.folder, name, sourceFd, target.exists ? &target.st : nullptr,
                        [&](int fd, std::string& error) { return WriteAll(fd, bytes, error); },
                        made, out.reason) &&
                    (backup.empty() || MakeBackup(t, target.folder, target.leaf, target.st, backup,
                                                  false, whole, out.reason)) &&
                    StillAsFound(lock, target, out);
    if (!ok) return false;
    if (Sys().renameat(target.folder.fd, name.c_str(), target.folder.fd, target.leaf.c_str()) !=
        0) {
        out.reason = SystemReason("ファイルを置き換えられませんでした", errno);
        return false;
    }
    return true;
}

} // namespace

SaveReport SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& fileName), const SaveTerms& terms) {
    SaveReport out;
    Resolved where;
    if (!Resolve(path, true, terms.read, SaveTargetUnclear, where, out.reason)) return out;
    const HeldFolder& folder = *where.folder;
    Target target{folder, where.leaf};
    out.file = Join(folder.path, target.leaf);
    if (!Look(target, out.reason)) return out;
    const std::string backupName = backupOf(target.leaf);
    SaveLock lock(folder, target.leaf, backupName,
                  target.exists ? target.st.st_mode : NewFileMode());
    if (lock.state() != SaveLock::State::Held) {
        out.finding = lock.state() == SaveLock::State::Busy ? Finding::Busy : Finding::Failed;
        out.holder = lock.holder();
        out.reason = lock.error();
        return out;
    }
    // Looked at once more under the lock: another copy may have saved meanwhile.
    if (!Look(target, out.reason)) return out;
    // Checked before anything is made: a second name of it would be one the user cannot remove.
    if (target.exists && !MayTakeName(target)) {
        out.reason = Reason("保存先は、持ち主しか置き換えられないフォルダーにある、他の利用者の"
                            "ファイルです",
                            out.file);
        return out;
    }
    // What the user must decide, in the order asked: never while the lock is held.
    if (terms.read && !target.exists && !terms.createAgain) {
        out.finding = Finding::Gone;
        return out;
    }
    if (terms.expected && target.exists) {
        out.found = DigestOfFile(folder.fd, target.leaf, target.st);
        if (out.found != terms.expected) {
            out.finding = Finding::Changed;
            return out;
        }
    }
    if (target.exists && !terms.replaceProtected && Protected(target)) {
        out.finding = Finding::Protected;
        return out;
    }
    // A file a cut in-place write left is not kept as the backup: its whole copy already is.
    std::string backup = target.exists && lock.wholeCopy().empty() ? backupName : "";
    if (backup == target.leaf) backup.clear(); // saving over a backup: nothing to keep it in
    if (const std::string blocked = backup.empty() ? "" : BackupBlocked(folder, backup);
        !blocked.empty()) {
        out.backup = Join(folder.path, backup);
        if (!terms.withoutBackup) {
            out.finding = Finding::NoBackup;
            out.reason = blocked;
            return out;
        }
        backup.clear();
        out.withoutBackup = true;
    }

    Transaction t(folder);
    bool saved = false;
    // Another user's file keeps its owner by being written in place; one the user may not
    // write (replaced after the question) becomes a new file that gives the owner their access.
    const bool ownerKept = ::geteuid() == 0 || !target.exists || target.st.st_uid == ::geteuid();
    const Fd writable = ownerKept ? Fd()
                                  : OpenExamined(folder.fd, target.leaf, O_WRONLY, &target.st,
                                                 "ファイルに書き込めませんでした", out.reason);
    if (writable) {
        saved = WriteInPlace(t, lock, target, writable.get(), bytes, backup, out);
    } else if (ownerKept || errno == EACCES || errno == EPERM) {
        out.reason.clear();
        const Fd source = target.exists
                              ? OpenExamined(folder.fd, target.leaf, O_PATH, &target.st,
                                             "ファイルを置き換えられませんでした", out.reason)
                              : Fd();
        saved = (source || !target.exists) &&
                ReplaceByNewFile(t, lock, target, source.get(), bytes, backup, out);
    }
    if (!saved) {
        t.rollback();
        // Changed under the save's hands: asked about where the bytes expected are known, and
        // told what the rollback could not put back.
        if (out.finding != Finding::Changed || !terms.expected) {
            out.finding = Finding::Failed;
            out.reason += t.notes;
        } else {
            out.reason = t.notes;
        }
        return out;
    }
    t.commit();
    // The file is whole: no mark stays, nor a whole copy under a hidden name.
    if (!lock.wholeCopy().empty()) lock.clearMark();
    Sys().unlinkat(folder.fd, HiddenName("copy", target.leaf).c_str(), 0);
    SyncFolder(folder);
    out.finding = Finding::Saved;
    out.saved = {path,
                 std::move(where.folder),
                 std::move(where.leaf),
                 std::move(where.links),
                 DigestOf(bytes),
                 {}};
    return out;
}

} // namespace fileio
