// A save in its steps: look at the place (the name followed to the folder it may write in, and
// what stands there), take the lock, decide (what the user must answer comes back before
// anything is written), write (a new file takes the file's name, or another user's file is
// written in place once a whole copy of it stands), and finish (or undo every step together).
#include "model/fileio/FileParts.h"
#include "model/fileio/SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fileio {

namespace {

const char* const ChangedMeanwhile =
    "ファイルを置き換えられませんでした（保存の途中で、別のプログラムがファイルを変更しました）";
const char* const OnlyOwnersReplace =
    "保存先は、持ち主しか置き換えられないフォルダーにある、他の利用者のファイルです";
const char* const BackupNameTooLong =
    "バックアップのファイル名が長すぎるため、バックアップを作れません。";
const char* const OthersFileAtBackup =
    "バックアップと同じ名前の、他の利用者のファイルがあるため、バックアップを作れません。";
const char* const CutFilePassedOver =
    "\n\n保存先のファイルは途中で切れていたため、バックアップにはしていません。";

// Where a save writes: the folder held and the file's name in it, what stands there (nothing:
// all zero), the name the file that stands there is kept under (empty: it is not kept), and
// which file the save wrote.
struct Place {
    Resolved where;
    struct stat st {};
    bool exists = false;
    std::string backup;
    FileId written;
    int dir() const { return where.folder->fd; }
    const std::string& leaf() const { return where.leaf; }
};

bool Found(SaveReport& out, Finding finding) {
    out.finding = finding;
    return false;
}

// Looks at what stands at the name, without following a link; false when it cannot be looked
// at or is no regular file.
bool Look(Place& place, std::string& error) {
    place.exists =
        Sys().fstatat(place.dir(), place.leaf().c_str(), &place.st, AT_SYMLINK_NOFOLLOW) == 0;
    if (!place.exists) {
        place.st = {};
        return errno == ENOENT || Fail(error, SystemRefusal(SaveTargetUnclear, errno));
    }
    return S_ISREG(place.st.st_mode) ||
           Fail(error, "保存先は" + NotAFile(place.st.st_mode) + "。\n" + SaveElsewhere);
}

// Whether the user may put another file in the place of the file `st` at `dir`: in a folder
// with the sticky bit (as /tmp) only its owner, the folder's owner and the administrator may.
bool MayTakeName(int dir, const struct stat& st) {
    const uid_t me = ::geteuid();
    struct stat folder;
    if (me == 0 || st.st_uid == me || Sys().fstat(dir, &folder) != 0)
        return true; // else the save itself will say
    return (folder.st_mode & S_ISVTX) == 0 || folder.st_uid == me;
}

// A file the user cannot write, or one that nobody may write: the user protected it.
bool Protected(const Place& place) {
    return (place.st.st_mode & 0222) == 0 ||
           (Sys().faccessat(place.dir(), place.leaf().c_str(), W_OK, AT_EACCESS) != 0 &&
            errno == EACCES);
}

// Why no backup can be made under `backup`, in the user's words; empty when one can. Whatever
// holds the name and is not the user's to replace stays where it is.
std::string BackupBlocked(int dir, const std::string& backup) {
    struct stat there;
    if (Sys().fstatat(dir, backup.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENAMETOOLONG ? BackupNameTooLong : "";
    if (!S_ISREG(there.st_mode))
        return std::string("バックアップと同じ名前の") + KindName(there.st_mode) +
               "があるため、バックアップを作れません。";
    return MayTakeName(dir, there) ? "" : OthersFileAtBackup;
}

// Under the lock: what the user must decide comes back, in the order asked, before anything is
// made; and another user's file where only owners may replace files is refused before a second
// name of it is made, which the user could not remove.
bool Decide(Place& place, const std::string& backup, const SaveTerms& terms, SaveReport& out) {
    if (!place.exists) return !terms.read || terms.createAgain || Found(out, Finding::Gone);
    if (!MayTakeName(place.dir(), place.st))
        return Fail(out.reason, Refusal(OnlyOwnersReplace, out.file, SaveElsewhere));
    if (terms.expected &&
        (out.found = DigestOfFile(place.dir(), place.leaf(), place.st)) != terms.expected)
        return Found(out, Finding::Changed);
    if (!terms.replaceProtected && Protected(place)) return Found(out, Finding::Protected);
    place.backup = backup;
    out.backup = Join(place.where.folder->path, backup);
    out.reason = BackupBlocked(place.dir(), backup);
    if (out.reason.empty()) return true;
    place.backup = "";
    return terms.withoutBackup || Found(out, Finding::NoBackup);
}

// A file that ends midway, as a save cut off while it wrote the file in place leaves it, is not
// kept as the backup: the backup there holds the whole earlier version.
void PassOverCutFile(Place& place, const SaveTerms& terms, std::string& notes) {
    const std::optional<std::string> bytes =
        place.backup.empty() ? std::nullopt : BytesOf(place.dir(), place.leaf(), place.st);
    if (!bytes || !terms.endsEarly(*bytes, place.leaf())) return;
    notes += CutFilePassedOver;
    place.backup = "";
}

// Just before the file is replaced: the lock is still this save's, and what stands there is as
// the save found it under the lock (the same file, of the same size, written last at the same
// time, or still nothing); else Changed, with the digest of what stands there now.
bool StillAsFound(const SaveLock& lock, const Place& place, SaveReport& out) {
    if (!lock.stillHeld(out.reason)) return false;
    struct stat now;
    const bool there =
        Sys().fstatat(place.dir(), place.leaf().c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0;
    if (there ? SameState(now, place.st) : !place.exists) return true;
    out.reason = std::string(ChangedMeanwhile) + "。\n" + SaveAgain;
    out.found = there ? DigestOfFile(place.dir(), place.leaf(), now) : std::nullopt;
    return Found(out, Finding::Changed);
}

// Writes `bytes` over another user's file, open for writing as `fd`: the file keeps its owner
// so, whom a new file, which would be the user's, would lock out. A whole copy of it stands on
// disk first, under a name the user can open (the backup, or a numbered one beside it, which
// goes once the file is whole again); then the file is emptied and written, so that a save cut
// off leaves a beginning of the new file, which no reader takes for a whole one.
bool WriteInPlace(Place& place, Transaction& t, const SaveLock& lock, Fd fd,
                  const std::string& backup, std::string_view bytes, SaveReport& out) {
    const bool kept = !place.backup.empty();
    const std::string keep = kept ? place.backup : FreeName(place.dir(), backup);
    FileId copy;
    if (!t.keepWhole(place.leaf(), place.st, keep, kept ? Keep::Copied : Keep::CopiedUntilDone,
                     copy, out.reason))
        return false;
    SyncFolder(*place.where.folder);
    out.backupMade = kept;
    place.written = IdOf(place.st);
    return StillAsFound(lock, place, out) &&
           WriteOver(t.rewrite(std::move(fd), keep, copy), bytes, out.reason);
}

// Writes `bytes` complete under a hidden name of its own, keeps what stood there as its backup,
// and gives the new file the file's name.
bool ReplaceByNewFile(Place& place, Transaction& t, const SaveLock& lock, std::string_view bytes,
                      SaveReport& out) {
    const char* const what = "ファイルを置き換えられませんでした";
    const Fd source =
        place.exists ? OpenExamined(place.dir(), place.leaf(), O_PATH, place.st, what, out.reason)
                     : Fd();
    const std::string name = HiddenName("new", place.leaf());
    const auto fill = [&](int fd, std::string& error) { return WriteAll(fd, bytes, error); };
    FileId kept;
    if ((place.exists && !source) ||
        !t.writeNew(name, source.get(), place.exists ? &place.st : nullptr, fill, place.written,
                    out.reason) ||
        (!place.backup.empty() &&
         !t.keepWhole(place.leaf(), place.st, place.backup, Keep::Linked, kept, out.reason)) ||
        !StillAsFound(lock, place, out))
        return false;
    if (Sys().renameat(place.dir(), name.c_str(), place.dir(), place.leaf().c_str()) != 0)
        return Fail(out.reason, SystemRefusal(what, errno));
    out.backupMade = !place.backup.empty();
    return true;
}

// The document's own file, as it was read or last saved, keeps its owner, when that is another
// user, by being written in place: only that file, and only while it has no other name (one
// another user could read it by) and is no larger than a model file. Any other file, and one the
// user may not write (replaced after the question), becomes a new file that gives the owner
// their access.
bool Write(Place& place, Transaction& t, const SaveLock& lock, const SaveTerms& terms,
           const std::string& backup, std::string_view bytes, SaveReport& out) {
    if (!OneOf(::geteuid(), {uid_t{0}, place.st.st_uid}) && terms.read &&
        IdOf(place.st) == terms.read->file && place.st.st_nlink == 1 &&
        place.st.st_size <= static_cast<off_t>(Largest)) {
        Fd fd = OpenExamined(place.dir(), place.leaf(), O_WRONLY, place.st,
                             "ファイルに書き込めませんでした", out.reason);
        if (fd) return WriteInPlace(place, t, lock, std::move(fd), backup, bytes, out);
        if (!OneOf(errno, {EACCES, EPERM})) return false;
    }
    return ReplaceByNewFile(place, t, lock, bytes, out);
}

// A failed write undone together. Changed under the save's hands is asked about where the bytes
// expected are known; a refusal without a word of its own on what to do gets the general one.
void Undo(Transaction& t, const SaveTerms& terms, const std::string& notes, SaveReport& out) {
    t.rollback();
    const bool ask = out.finding == Finding::Changed && terms.expected;
    if (out.reason.find('\n') == std::string::npos)
        out.reason += std::string("。\n") + RetryOrSaveElsewhere;
    out.finding = ask ? Finding::Changed : Finding::Failed;
    out.reason = (ask ? "" : out.reason) + notes + t.notes;
}

// The lock taken, or what keeps it from the save: another copy holding it (its error names the
// lock file's owner), or what stands at its name.
bool Locked(const SaveLock& lock, SaveReport& out) {
    out.reason = lock.error();
    return lock.state() == SaveLock::State::Held ||
           Found(out, lock.state() == SaveLock::State::Busy ? Finding::Busy : Finding::Failed);
}

} // namespace

// What stands at the name is looked at under the lock, as another copy may save meanwhile.
// Saving over a backup itself leaves nothing to keep it in.
SaveReport SaveFile(const std::string& path, std::string_view bytes,
                    std::string (*backupOf)(const std::string& fileName), const SaveTerms& terms) {
    SaveReport out;
    Place place;
    if (!Resolve(path, true, terms.read, SaveTargetUnclear, place.where, out.reason)) return out;
    const HeldFolder& folder = *place.where.folder;
    out.file = Join(folder.path, place.leaf());
    const SaveLock lock(folder, place.leaf());
    const std::string backupName = backupOf(place.leaf());
    const std::string backup = backupName == place.leaf() ? "" : backupName;
    std::string notes;
    if (!Locked(lock, out) || !Look(place, out.reason) || !Decide(place, backup, terms, out) ||
        !TakeOverLeftovers(folder, place.leaf(), backupName, notes, out.reason))
        return out;
    PassOverCutFile(place, terms, notes);
    Transaction t(folder);
    if (!Write(place, t, lock, terms, backupName, bytes, out)) {
        Undo(t, terms, notes, out);
        return out;
    }
    t.commit();
    SyncFolder(folder);
    out.finding = Finding::Saved;
    out.reason = notes;
    out.saved = {path,
                 std::move(place.where.folder),
                 std::move(place.where.leaf),
                 std::move(place.where.links),
                 DigestOf(bytes),
                 place.written};
    return out;
}

} // namespace fileio
