// Reads, the bytes of files, and the texts the user is told.
#include "model/fileio/FileIo.h"

#include "model/fileio/FileParts.h"
#include "model/fileio/SystemCalls.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace fileio {

// ---- Texts -----------------------------------------------------------------------------------

std::string Reason(const char* what, const std::string& why) {
    return std::string(what) + "（" + why + "）";
}

std::string Refusal(const std::string& what, const std::string& why, const char* todo) {
    return what + "（" + why + "）。\n" + todo;
}

bool Fail(std::string& error, std::string why) {
    error = std::move(why);
    return false;
}

namespace {

const char* const FreeSpace =
    "不要なファイルを削除して空きを作るか、別のフォルダーに保存してください。";
const char* const AskForRights =
    "別のフォルダーに保存するか、フォルダーの管理者に書き込みの権限を確かめてください。";

// A system error number in the user's words, and what to do about it in a save.
struct ErrorText {
    int number;
    const char* reason;
    const char* todo;
};
const ErrorText Errors[] = {
    {ENOSPC, "ディスクの空き容量が足りません", FreeSpace},
    {EDQUOT, "ディスクの使用量の上限を超えています", FreeSpace},
    {EACCES, "アクセスする権限がありません", AskForRights},
    {EPERM, "アクセスする権限がありません", AskForRights},
    {EROFS, "書き込みの出来ない場所です", AskForRights},
    {ENOENT, "ファイルまたはフォルダーがありません", RetryOrSaveElsewhere},
    {ENOTDIR, "フォルダーの指定が正しくありません", RetryOrSaveElsewhere},
    {EISDIR, "ファイルではなくフォルダーです", RetryOrSaveElsewhere},
    {ENAMETOOLONG, "ファイル名が長すぎます", "短い名前で保存してください。"},
    {ELOOP, "リンクが循環していて、たどれません", RetryOrSaveElsewhere},
    {EIO, "ディスクの読み書きで異常が起きました", RetryOrSaveElsewhere},
    {EMFILE, "開いているファイルが多すぎます", RetryOrSaveElsewhere},
    {ENFILE, "開いているファイルが多すぎます", RetryOrSaveElsewhere},
    {EBUSY, "ファイルが使用中です", RetryOrSaveElsewhere},
    {ETXTBSY, "ファイルが使用中です", RetryOrSaveElsewhere},
    {EEXIST, "同じ名前のファイルがあります", RetryOrSaveElsewhere},
    {EXDEV, "別のドライブへは移せません", RetryOrSaveElsewhere},
};

const ErrorText* TextOf(int err) {
    for (const ErrorText& e : Errors)
        if (e.number == err) return &e;
    return nullptr;
}

// What a name holds that is not a regular file.
const std::pair<mode_t, const char*> Kinds[] = {
    {S_IFDIR, "フォルダー"}, {S_IFIFO, "名前付きパイプ"}, {S_IFLNK, "リンク"},
    {S_IFSOCK, "ソケット"},  {S_IFCHR, "デバイス"},       {S_IFBLK, "デバイス"},
};

} // namespace

std::string ReasonText(int err) {
    const ErrorText* text = TextOf(err);
    return text ? text->reason : "システムのエラー（番号 " + std::to_string(err) + "）";
}

std::string SystemReason(const char* what, int err) {
    return Reason(what, ReasonText(err));
}

std::string SystemRefusal(const std::string& what, int err) {
    const ErrorText* text = TextOf(err);
    return Refusal(what, ReasonText(err), text ? text->todo : RetryOrSaveElsewhere);
}

const char* KindName(mode_t mode) {
    for (const auto& [kind, name] : Kinds)
        if ((mode & S_IFMT) == kind) return name;
    return "特殊なファイル";
}

std::string NotAFile(mode_t mode) {
    return std::string("ファイルではなく") + KindName(mode) + "です";
}

std::string UserName(uid_t uid) {
    passwd entry, *found = nullptr;
    char buffer[4096];
    ::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found);
    return found ? found->pw_name : "番号 " + std::to_string(uid);
}

// ---- Descriptors, files and bytes -----------------------------------------------------------

Fd::~Fd() {
    if (fd_ >= 0) Sys().close(fd_);
}

HeldFolder::~HeldFolder() {
    if (fd >= 0) Sys().close(fd);
}

FileId IdOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool SameState(const struct stat& a, const struct stat& b) {
    return IdOf(a) == IdOf(b) && a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

bool Holds(int dir, const std::string& name, const FileId& id, struct stat* now) {
    struct stat st;
    if (!now) now = &st;
    return Sys().fstatat(dir, name.c_str(), now, AT_SYMLINK_NOFOLLOW) == 0 && IdOf(*now) == id;
}

// A link or another file put in its place since it was looked at is told as such.
Fd OpenExamined(int dir, const std::string& name, int flags, const struct stat& examined,
                const char* what, std::string& error) {
    Fd fd(
        Sys().openat(dir, name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    struct stat opened;
    if (fd && Sys().fstat(fd.get(), &opened) == 0 && IdOf(opened) == IdOf(examined)) return fd;
    error = fd || errno == ELOOP ? Reason(what, Swapped) : SystemReason(what, errno);
    return Fd();
}

// Regular files only, where a read or a write is not interrupted by a signal.
bool ReadChunks(int fd, std::size_t limit, std::string& error,
                const std::function<bool(std::string_view)>& sink) {
    char buf[65536];
    for (std::size_t done = 0; done < limit;) {
        const ssize_t n = Sys().read(fd, buf, std::min(sizeof buf, limit - done));
        if (n < 0) return Fail(error, SystemReason("ファイルを読めませんでした", errno));
        if (n == 0) break;
        if (!sink(std::string_view(buf, static_cast<std::size_t>(n)))) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::function<bool(std::string_view)> AppendTo(std::string& bytes) {
    return [&bytes](std::string_view chunk) {
        bytes += chunk;
        return true;
    };
}

std::optional<std::string> BytesOf(int dir, const std::string& name, const struct stat& st) {
    std::string bytes, ignored;
    const Fd fd = OpenExamined(dir, name, O_RDONLY, st, "", ignored);
    if (fd && ReadChunks(fd.get(), Largest + 1, ignored, AppendTo(bytes)) &&
        bytes.size() <= Largest)
        return bytes;
    return std::nullopt;
}

// A write that goes nowhere would never end: it fails as the disk's.
bool WriteAll(int fd, std::string_view bytes, std::string& error) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = Sys().write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            return Fail(error,
                        SystemRefusal("ファイルに書き込めませんでした", n < 0 ? errno : EIO));
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteOver(int fd, std::string_view bytes, std::string& error) {
    return ((Sys().ftruncate(fd, 0) == 0 && Sys().lseek(fd, 0, SEEK_SET) == 0) ||
            Fail(error, SystemRefusal("ファイルに書き込めませんでした", errno))) &&
           WriteAll(fd, bytes, error) && Sync(fd, error);
}

bool CopyBytes(int from, int to, std::string& error) {
    return ReadChunks(from, SIZE_MAX, error,
                      [&](std::string_view chunk) { return WriteAll(to, chunk, error); });
}

bool Sync(int fd, std::string& error) {
    return Sys().fsync(fd) == 0 ||
           Fail(error, SystemRefusal("ファイルをディスクに書き出せませんでした", errno));
}

void SyncFolder(const HeldFolder& folder) {
    const Fd fd(Sys().openat(folder.fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (fd) Sys().fsync(fd.get());
}

std::optional<Digest> DigestOfFile(int dir, const std::string& name, const struct stat& st) {
    const std::optional<std::string> bytes = BytesOf(dir, name, st);
    return bytes ? std::optional(DigestOf(*bytes)) : std::nullopt;
}

namespace {

// The user's umask, read once as the program starts, before any thread runs: it can only be
// read by setting it.
const mode_t StartUmask = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}();

} // namespace

mode_t NewFileMode() {
    return 0666 & ~StartUmask;
}

void Digest::update(std::string_view bytes) {
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    size += bytes.size();
}

Digest DigestOf(std::string_view bytes) {
    Digest digest;
    digest.update(bytes);
    return digest;
}

// ---- Reads -----------------------------------------------------------------------------------

std::string FileAsRead::path() const {
    return folder ? Join(folder->path, leaf) : name;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t limit,
                                         std::string& error, FileAsRead* asRead) {
    const char* const what = "ファイルを開けませんでした";
    Resolved where;
    if (!Resolve(path, false, nullptr, what, where, error)) return std::nullopt;
    std::string data;
    struct stat before, after;
    // Read again when the file changed while it was read: another user's save writing it in
    // place would otherwise give a mix of two versions.
    for (int attempt = 0;; ++attempt) {
        // Refused by what the name holds before it is opened, so that nothing waits.
        const bool there =
            Sys().fstatat(where.folder->fd, where.leaf.c_str(), &before, AT_SYMLINK_NOFOLLOW) == 0;
        if (!there || !S_ISREG(before.st_mode)) {
            error = there ? Reason(what, NotAFile(before.st_mode)) : SystemReason(what, errno);
            return std::nullopt;
        }
        const Fd fd = OpenExamined(where.folder->fd, where.leaf, O_RDONLY, before, what, error);
        if (!fd || Sys().fstat(fd.get(), &before) != 0) {
            if (fd) error = SystemReason(what, errno);
            return std::nullopt;
        }
        data = "";
        if (!ReadChunks(fd.get(), limit, error, AppendTo(data))) return std::nullopt;
        if (attempt == 2 || (Sys().fstat(fd.get(), &after) == 0 && SameState(before, after))) break;
    }
    if (asRead)
        *asRead = {path,
                   std::move(where.folder),
                   std::move(where.leaf),
                   std::move(where.links),
                   DigestOf(data),
                   IdOf(before)};
    return data;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error,
                                         FileAsRead* asRead) {
    std::optional<std::string> data = ReadFileStart(path, Largest + 1, error, asRead);
    if (data && data->size() > Largest) {
        error = "ファイルが大きすぎます";
        return std::nullopt;
    }
    return data;
}

bool NamesFile(const std::string& path, const FileAsRead& file) {
    Resolved where;
    std::string ignored;
    return file.folder && Resolve(path, false, nullptr, "", where, ignored) &&
           where.folder->id == file.folder->id && where.leaf == file.leaf;
}

std::string CutFileAdvice(const FileAsRead& file, const std::string& backupLeaf,
                          bool (*endsEarly)(std::string_view, std::string_view)) {
    if (!file.folder) return {};
    if (LockHeldNow(*file.folder, file.leaf)) return BeingSavedNotice;
    std::string copies;
    for (int n = 1; n < 100; ++n) {
        const std::string name = n == 1 ? backupLeaf : NumberedName(backupLeaf, n);
        struct stat st;
        struct tm local;
        char when[64];
        const std::optional<std::string> bytes =
            Sys().fstatat(file.folder->fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                    S_ISREG(st.st_mode)
                ? BytesOf(file.folder->fd, name, st)
                : std::nullopt;
        // A copy that ends midway too holds nothing to go back to.
        if (!bytes || endsEarly(*bytes, name) || !::localtime_r(&st.st_mtim.tv_sec, &local))
            continue;
        std::strftime(when, sizeof when, "%Y/%m/%d %H:%M:%S", &local);
        copies += "\n" + Join(file.folder->path, name) + "（" + when + " 保存）";
    }
    if (copies.empty()) return {};
    return std::string(CutFileNotice) + "保存前の内容は、次のファイルに残っています。" + copies +
           "\nこのファイルを開いて、内容を確かめてください。";
}

std::string NumberedName(const std::string& name, int n) {
    const std::size_t base = name.size() - ExtensionOf(name).size();
    return name.substr(0, base) + "_" + std::to_string(n) + name.substr(base);
}

std::string_view ExtensionOf(std::string_view path) {
    const std::string_view name = path.substr(path.rfind('/') + 1); // npos + 1: the whole path
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    return std::ranges::equal(a, b, {}, lower, lower);
}

} // namespace fileio
