// The names a save makes and moves, undone together, and the backup it keeps.
#include "model/FileParts.h"
#include "model/SystemCalls.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>

namespace fileio {

void Transaction::made(const std::string& name, const struct stat& st) {
    undo_.push_back({name, {}, st.st_dev, st.st_ino, nullptr});
}

void Transaction::moved(const std::string& from, const std::string& to, const struct stat& st,
                        const char* note) {
    undo_.push_back({to, from, st.st_dev, st.st_ino, note});
}

void Transaction::dropOnCommit(const std::string& name, const struct stat& st) {
    drops_.push_back({name, {}, st.st_dev, st.st_ino, nullptr});
}

bool Transaction::holds(const Step& step) const {
    struct stat st;
    return Sys().fstatat(folder_.fd, step.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           st.st_dev == step.device && st.st_ino == step.inode;
}

void Transaction::commit() {
    for (const Step& step : drops_)
        if (holds(step)) Sys().unlinkat(folder_.fd, step.name.c_str(), 0);
    undo_.clear();
    drops_.clear();
}

void Transaction::rollback() {
    for (auto step = undo_.rbegin(); step != undo_.rend(); ++step) {
        if (!holds(*step)) continue;
        if (step->from.empty()) {
            Sys().unlinkat(folder_.fd, step->name.c_str(), 0);
        } else if (Sys().renameat(folder_.fd, step->name.c_str(), folder_.fd, step->from.c_str()) !=
                       0 &&
                   step->note) {
            notes += std::string("\n\n") + step->note + "\n" + Join(folder_.path, step->name);
        }
    }
    undo_.clear();
    drops_.clear();
}

bool WriteNewFile(Transaction& t, const HeldFolder& folder, const std::string& name, int sourceFd,
                  const struct stat* source,
                  const std::function<bool(int fd, std::string& error)>& fill, struct stat& made,
                  std::string& error) {
    // Private (0600) until its bytes are complete.
    Fd fd(Sys().openat(folder.fd, name.c_str(),
                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd || Sys().fstat(fd.get(), &made) != 0) {
        error = SystemReason("一時ファイルを作成できませんでした", errno);
        return false;
    }
    t.made(name, made);
    bool ok = fill(fd.get(), error) &&
              (source ? TakeAttributes(fd.get(), sourceFd, *source, error)
                      : SetMode(fd.get(), NewFileMode(), error)) &&
              Sync(fd.get(), error);
    if (Sys().close(fd.release()) != 0 && ok) {
        error = SystemReason("ファイルを閉じられませんでした", errno);
        ok = false;
    }
    return ok;
}

bool MakeBackup(Transaction& t, const HeldFolder& folder, const std::string& leaf,
                const struct stat& st, const std::string& backup, bool copy, std::string& whole,
                std::string& error) {
    const std::string copyName = HiddenName("copy", leaf);
    const auto fail = [&](const char* why) {
        error = why ? Reason(BackupFailed, why) : SystemReason(BackupFailed, errno);
        return false;
    };
    struct stat made;
    // A second name, never of a link or another file put in the file's place meanwhile; a copy
    // where the disk takes no second names, or where the file must stay its owner's.
    if (!copy && Sys().linkat(folder.fd, leaf.c_str(), folder.fd, copyName.c_str(), 0) == 0) {
        if (Sys().fstatat(folder.fd, copyName.c_str(), &made, AT_SYMLINK_NOFOLLOW) != 0)
            return fail(nullptr);
        t.made(copyName, made);
        if (!SameFile(made, st)) return fail(Swapped);
    } else if (!copy && errno != EPERM && errno != EXDEV && errno != ENOTSUP && errno != EMLINK) {
        return fail(nullptr);
    } else {
        const Fd in = OpenExamined(folder.fd, leaf, O_RDONLY, &st, BackupFailed, error);
        const auto fill = [&](int out, std::string& e) {
            return ReadChunks(in.get(), SIZE_MAX, e,
                              [&](std::string_view chunk) { return WriteAll(out, chunk, e); });
        };
        if (!in || !WriteNewFile(t, folder, copyName, in.get(), &st, fill, made, error))
            return false;
    }
    whole = copyName;
    if (backup.empty()) return true;
    // The earlier backup keeps a hidden name until the save is done, to be put back on failure.
    struct stat earlier;
    const std::string old = HiddenName("old", leaf);
    if (Sys().fstatat(folder.fd, backup.c_str(), &earlier, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(earlier.st_mode)) return fail(Swapped);
        if (Sys().renameat(folder.fd, backup.c_str(), folder.fd, old.c_str()) != 0)
            return fail(nullptr);
        t.moved(backup, old, earlier,
                "以前のバックアップファイルを元の名前に戻せなかったため、次の名前で残しています。");
        t.dropOnCommit(old, earlier);
    } else if (errno != ENOENT) {
        return fail(nullptr);
    }
    if (Sys().renameat(folder.fd, copyName.c_str(), folder.fd, backup.c_str()) != 0)
        return fail(nullptr);
    t.moved(copyName, backup, made);
    whole = backup;
    return true;
}

} // namespace fileio
