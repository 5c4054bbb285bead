// What a save makes and changes, undone together, and the whole copies it keeps.
#include "model/fileio/FileParts.h"
#include "model/fileio/SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fileio {

namespace {

const std::string CannotCreate = "保存先のフォルダーにファイルを作成できませんでした：";
const char* const EarlierBackupAside =
    "以前のバックアップファイルを元の名前に戻せなかったため、次の名前で残しています。";
const char* const CutInPlace =
    "\n\n元のファイルは途中まで書き換えられています。元の内容は、次のファイルに残っています。\n";
const char* const EarlierBackupKept =
    "\n\n保存に使う隠れた名前に残っていたファイル（以前のバックアップと思われます）を、次の名前で"
    "残しています。\n";
const char* const LeftoverStays = "以前のバックアップファイルを、見える名前で残せませんでした";
const char* const RenameIt = "それを別の名前に変えてから、もう一度保存してください。";
const std::string NameTaken = "保存に使う名前を空けられませんでした：";
const char* const RemoveIt =
    "それを削除してから、もう一度保存するか、別の名前で、または別のフォルダーに保存してください。";

} // namespace

bool Transaction::writeNew(const std::string& name, int sourceFd, const struct stat* source,
                           const std::function<bool(int fd, std::string& error)>& fill,
                           FileId& made, std::string& error) {
    const Fd fd(Sys().openat(folder_.fd, name.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd) steps_.push_back({Step::Made, name, {}, {}, Fd()});
    struct stat st;
    if (!fd || Sys().fstat(fd.get(), &st) != 0)
        return Fail(error, SystemRefusal(CannotCreate + folder_.path, errno));
    made = IdOf(st);
    return fill(fd.get(), error) &&
           (source ? TakeAttributes(fd.get(), sourceFd, *source, error)
                   : SetMode(fd.get(), NewFileMode(), error)) &&
           Sync(fd.get(), error);
}

// A second name, never of a link or another file put in the file's place meanwhile; a copy
// where the disk takes no second names, or where the file must stay its owner's. The earlier
// file of the name `keep` takes a hidden name until the save is done.
bool Transaction::keepWhole(const std::string& leaf, const struct stat& st, const std::string& keep,
                            Keep how, FileId& made, std::string& error) {
    const std::string copy = HiddenName("copy", leaf), old = HiddenName("old", leaf);
    made = IdOf(st);
    if (how == Keep::Linked &&
        Sys().linkat(folder_.fd, leaf.c_str(), folder_.fd, copy.c_str(), 0) == 0) {
        steps_.push_back({Step::Made, copy, {}, {}, Fd()});
        if (!Holds(folder_.fd, copy, made))
            return Fail(error, Refusal(BackupFailed, Swapped, SaveAgain));
    } else if (how == Keep::Linked && !OneOf(errno, {EPERM, EXDEV, ENOTSUP, EMLINK})) {
        return Fail(error, SystemRefusal(BackupFailed, errno));
    } else {
        const Fd in = OpenExamined(folder_.fd, leaf, O_RDONLY, st, BackupFailed, error);
        const auto fill = [&](int out, std::string& e) { return CopyBytes(in.get(), out, e); };
        if (!in || !writeNew(copy, in.get(), &st, fill, made, error)) return false;
    }
    struct stat earlier;
    const bool there = Sys().fstatat(folder_.fd, keep.c_str(), &earlier, AT_SYMLINK_NOFOLLOW) == 0;
    if (there && !S_ISREG(earlier.st_mode))
        return Fail(error, Refusal(BackupFailed, Swapped, SaveAgain));
    if (there ? Sys().renameat(folder_.fd, keep.c_str(), folder_.fd, old.c_str()) != 0
              : errno != ENOENT)
        return Fail(error, SystemRefusal(BackupFailed, errno));
    if (there)
        steps_.push_back({Step::Moved, old, keep, IdOf(earlier), Fd(), EarlierBackupAside, true});
    if (Sys().renameat(folder_.fd, copy.c_str(), folder_.fd, keep.c_str()) != 0)
        return Fail(error, SystemRefusal(BackupFailed, errno));
    steps_.push_back({Step::Moved, keep, copy, made, Fd(), nullptr, how == Keep::CopiedUntilDone});
    return true;
}

int Transaction::rewrite(Fd fd, const std::string& copy, const FileId& copyId) {
    steps_.push_back({Step::Rewritten, copy, {}, copyId, std::move(fd)});
    return steps_.back().fd.get();
}

// Puts back what `step` changed; false when the file written in place cannot be made whole
// again, so that nothing done before it is undone: the copy it names must stay.
bool Transaction::undo(const Step& step) {
    if (step.kind == Step::Made) Sys().unlinkat(folder_.fd, step.name.c_str(), 0);
    if (step.kind == Step::Moved && Holds(folder_.fd, step.name, step.id) &&
        Sys().renameat(folder_.fd, step.name.c_str(), folder_.fd, step.from.c_str()) != 0 &&
        step.note)
        notes += std::string("\n\n") + step.note + "\n" + Join(folder_.path, step.name);
    if (step.kind != Step::Rewritten) return true;
    struct stat copy;
    const std::optional<std::string> whole = Holds(folder_.fd, step.name, step.id, &copy)
                                                 ? BytesOf(folder_.fd, step.name, copy)
                                                 : std::nullopt;
    std::string ignored;
    if (whole && WriteOver(step.fd.get(), *whole, ignored)) return true;
    notes += CutInPlace + Join(folder_.path, step.name);
    return false;
}

void Transaction::commit() {
    for (const Step& step : steps_)
        if (step.dropped && Holds(folder_.fd, step.name, step.id))
            Sys().unlinkat(folder_.fd, step.name.c_str(), 0);
    steps_ = std::vector<Step>();
}

void Transaction::rollback() {
    for (auto step = steps_.rbegin(); step != steps_.rend() && undo(*step); ++step) {
    }
    steps_ = std::vector<Step>();
}

// Only a save of this file makes these names. A new file never reported saved, a second name or
// a copy of a file that still stands whole, and an earlier backup that a later one replaced,
// hold nothing the user may need; an earlier backup set aside where none stands now may be the
// only one left, and stays where the user sees it. What has another name is someone's other
// file, and only loses this one.
bool TakeOverLeftovers(const HeldFolder& folder, const std::string& leaf, const std::string& backup,
                       std::string& notes, std::string& error) {
    const std::string old = HiddenName("old", leaf);
    struct stat st;
    if (Sys().fstatat(folder.fd, backup.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 &&
        Sys().fstatat(folder.fd, old.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode) && st.st_nlink == 1) {
        const std::string keep = FreeName(folder.fd, backup);
        if (Sys().renameat(folder.fd, old.c_str(), folder.fd, keep.c_str()) != 0)
            return Fail(error, Refusal(LeftoverStays, Join(folder.path, old), RenameIt));
        notes += EarlierBackupKept + Join(folder.path, keep);
    }
    for (const char* role : {"new", "copy", "old"})
        if (Sys().fstatat(folder.fd, HiddenName(role, leaf).c_str(), &st, AT_SYMLINK_NOFOLLOW) ==
                0 &&
            Sys().unlinkat(folder.fd, HiddenName(role, leaf).c_str(), 0) != 0)
            return Fail(error, Refusal(NameTaken + Join(folder.path, HiddenName(role, leaf)),
                                       ReasonText(errno), RemoveIt));
    return true;
}

} // namespace fileio
