// The lock beside a file that copies of the program saving it take in turn, and the hidden
// names a save makes beside it.
#include "model/FileParts.h"
#include "model/SystemCalls.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <pwd.h>
#include <sstream>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace fileio {

std::string HiddenName(const char* role, const std::string& leaf) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(DigestOf(leaf).hash));
    return std::string(".vq-") + role + "-" + hex;
}

namespace {

// What a lock file records, a line each: who holds it (user, computer, process) and, while a
// file is written in place, the name of its whole copy.
struct Record {
    std::string user, host, process, wholeCopy;
};

Record ReadRecord(int fd) {
    char text[4096];
    const ssize_t n = Sys().lseek(fd, 0, SEEK_SET) == 0 ? Sys().read(fd, text, sizeof text) : -1;
    std::istringstream lines(std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0));
    Record record;
    for (std::string* field : {&record.user, &record.host, &record.process, &record.wholeCopy})
        std::getline(lines, *field);
    return record;
}

} // namespace

std::string CutWriteMark(const HeldFolder& folder, const std::string& leaf) {
    std::string ignored;
    const Fd fd = OpenExamined(folder.fd, HiddenName("lock", leaf), O_RDONLY, nullptr, "", ignored);
    const std::string copy = fd ? ReadRecord(fd.get()).wholeCopy : std::string();
    return copy.find('/') == std::string::npos ? copy : std::string(); // beside the file only
}

SaveLock::SaveLock(const HeldFolder& folder, const std::string& leaf, const std::string& backup,
                   mode_t fileMode)
    : folder_(folder), name_(HiddenName("lock", leaf)) {
    // Readable by whoever may read the file, so that they learn who holds it.
    const mode_t mode = (fileMode & 0644) | 0600;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    const std::string path = Join(folder.path, name_);
    for (bool first = true;; first = false) {
        if (!first) {
            if (std::chrono::steady_clock::now() >= deadline) {
                if (holder_.empty()) holder_ = "利用者 不明、コンピューター 不明";
                state_ = State::Busy;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        bool writable = true;
        Fd fd(Sys().openat(folder.fd, name_.c_str(),
                           O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode));
        if (!fd && errno == EACCES) { // another user's lock file
            writable = false;
            fd = Fd(Sys().openat(folder.fd, name_.c_str(),
                                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0));
        }
        const int err = errno;
        struct stat st, there;
        if (!fd || Sys().fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
            // Anything but a regular file there would let racing saves go on unlocked.
            if (fd || Sys().fstatat(folder.fd, name_.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0)
                error_ = std::string("保存の順番を決めるロックファイルの名前に、") +
                         KindName(fd ? st.st_mode : there.st_mode) + "があります（" + path + "）";
            else
                error_ =
                    Reason("ロックファイルを作成できませんでした", ReasonText(err) + "：" + path);
            return;
        }
        // Another copy holds it: who, is told when the wait is over. A disk that takes no locks
        // is saved to without one.
        if (Sys().flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            const Record record = ReadRecord(fd.get());
            holder_ = "利用者 " + (record.user.empty() ? "不明" : record.user) +
                      "、コンピューター " + (record.host.empty() ? "不明" : record.host);
            continue;
        }
        // A lock file removed or replaced while this save waited for it is no lock.
        if (Sys().fstatat(folder.fd, name_.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0 ||
            !SameFile(there, st))
            continue;
        // A mark left by a holder that is gone: the file may be cut, its whole copy is kept. Only
        // a name a save of this file makes counts: anyone who may write the lock file may write
        // any name into it.
        if (std::string copy = ReadRecord(fd.get()).wholeCopy;
            !copy.empty() && (copy == backup || copy == HiddenName("copy", leaf)))
            wholeCopy_ = std::move(copy);
        // Another user's lock file, which this save cannot write its record to: replaced by its
        // own where the folder lets it (not where only owners may remove files).
        if (!writable && Sys().unlinkat(folder.fd, name_.c_str(), 0) == 0) continue;
        fd_ = std::move(fd);
        st_ = st;
        ownRecord_ = writable;
        state_ = State::Held;
        break;
    }
    if (ownRecord_ && !writeRecord(error_)) {
        state_ = State::Failed;
        return;
    }
    // What a save of this file cut off left: nobody else makes these names.
    for (const char* role : {"new", "copy", "old"})
        if (const std::string name = HiddenName(role, leaf); name != wholeCopy_)
            Sys().unlinkat(folder.fd, name.c_str(), 0);
}

SaveLock::~SaveLock() {
    // Removed while still held, so whoever waits on it finds it gone and makes a new one; kept
    // while it marks a file that may be cut.
    struct stat there;
    if (state_ == State::Held && wholeCopy_.empty() &&
        Sys().fstatat(folder_.fd, name_.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
        SameFile(there, st_))
        Sys().unlinkat(folder_.fd, name_.c_str(), 0);
}

bool SaveLock::writeRecord(std::string& error) {
    const passwd* user = ::getpwuid(::geteuid());
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const std::string text = (user ? user->pw_name : std::to_string(::geteuid())) + "\n" + host +
                             "\n" + std::to_string(::getpid()) + "\n" + wholeCopy_ + "\n";
    if (ownRecord_ &&
        Sys().pwrite(fd_.get(), text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()) &&
        Sys().ftruncate(fd_.get(), static_cast<off_t>(text.size())) == 0)
        return true;
    error = SystemReason("ロックファイルに書き込めませんでした", ownRecord_ ? errno : EACCES);
    return false;
}

bool SaveLock::stillHeld(std::string& error) const {
    struct stat there;
    if (Sys().fstatat(folder_.fd, name_.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
        SameFile(there, st_))
        return true;
    error = Reason("ファイルを置き換えられませんでした",
                   "保存の途中で、ロックファイルが消されたか、置き換えられました");
    return false;
}

bool SaveLock::markInPlace(const std::string& copy, std::string& error) {
    wholeCopy_ = copy;
    return writeRecord(error) && Sync(fd_.get(), error);
}

void SaveLock::clearMark() {
    wholeCopy_.clear();
    std::string ignored;
    writeRecord(ignored);
}

} // namespace fileio
