// Names followed one at a time, so that a save knows every link it passes and the folder it
// ends in, and does everything after relative to that folder.
#include "model/fileio/FileParts.h"
#include "model/fileio/SystemCalls.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace fileio {

std::string Join(const std::string& folder, const std::string& name) {
    return name.starts_with('/') ? name : folder + "/" + name; // the root folder's name is ""
}

std::string HiddenName(const char* role, const std::string& leaf) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(DigestOf(leaf).hash));
    return std::string(".vq-") + role + "-" + hex;
}

std::string FreeName(int dir, const std::string& name) {
    struct stat st;
    for (int n = 2; n < 100; ++n) {
        const std::string numbered = NumberedName(name, n);
        if (Sys().fstatat(dir, numbered.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return numbered;
    }
    return {};
}

namespace {

const char* const OthersLink =
    "保存先のリンクは、他の利用者が作ったか、ファイルを開いた後に変えられたものです";
const char* const ChooseLinkedOrAnother =
    "「名前を付けて保存」で、リンクの先のファイルか、別の保存先を選んでください。";
const char* const FolderReplaced =
    "保存先のフォルダーは、ファイルを開いた後に別のフォルダーに置き換えられています";
const char* const ChooseAnotherPlace = "「名前を付けて保存」で、保存先を選び直してください。";

// A name followed one component at a time: the folder reached so far (open, and its name for
// the user) and the names still to go.
struct Walk {
    bool forSave;
    const FileAsRead* read;
    const char* what;
    Resolved& out;
    std::string& error;
    Fd here;
    std::string text, rest;
    int hops = 0;

    bool failed(int err) {
        error = forSave ? SystemRefusal(what, err) : SystemReason(what, err);
        return false;
    }
    bool startAt(bool root) {
        text = root ? "" : ".";
        here = Fd(Sys().openat(AT_FDCWD, root ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC, 0));
        return here || failed(errno);
    }
    bool enter(const std::string& name) {
        here = Fd(Sys().openat(here.get(), name.c_str(),
                               O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC, 0));
        if (here) text = Join(text, name);
        return bool(here);
    }
};

// Follows the link at `name`: its text goes before the names still to go. A save follows only a
// link that stood so at the read, or one the user or the administrator made: another user's
// could steer the save anywhere the user may write, even to a file of the user's own that does
// not exist yet. Where another user's link leads is told on one line: its text is theirs.
bool FollowLink(Walk& w, const std::string& name, const struct stat& st) {
    char target[PATH_MAX];
    const ssize_t n = Sys().readlinkat(w.here.get(), name.c_str(), target, sizeof target);
    if (++w.hops > 40 || n <= 0) return w.failed(n <= 0 ? errno : ELOOP);
    LinkStep step{IdOf(st), st.st_uid, std::string(target, static_cast<std::size_t>(n))};
    const LinkPath stood = w.read ? w.read->links : LinkPath();
    std::string leads = Join(w.text, name) + " → " + Join(w.text, step.target);
    std::replace_if(
        leads.begin(), leads.end(), [](unsigned char c) { return std::iscntrl(c); }, ' ');
    if (w.forSave && !OneOf(step.owner, {::geteuid(), uid_t{0}}) &&
        std::find(stood.begin(), stood.end(), step) == stood.end())
        return Fail(w.error, Refusal(OthersLink, leads, ChooseLinkedOrAnother));
    if (step.target.starts_with('/') && !w.startAt(true)) return false;
    w.rest.insert(0, step.target);
    w.out.links.push_back(std::move(step));
    return true;
}

// The last name, of a file or of nothing yet: the folder reached is held. With the name read
// before (only a save has one), it must still be the folder read from: a folder put in its
// place, or a link to another, would take the save where the user never chose.
bool Hold(Walk& w, const std::string& name) {
    struct stat folder;
    if (Sys().fstat(w.here.get(), &folder) != 0) return w.failed(errno);
    w.out.folder = std::make_shared<HeldFolder>();
    w.out.folder->fd = w.here.release();
    w.out.folder->id = IdOf(folder);
    w.out.folder->path = w.text;
    w.out.leaf = name;
    return !w.read || w.out.folder->id == w.read->folder->id ||
           Fail(w.error, Refusal(FolderReplaced, w.out.folder->path, ChooseAnotherPlace));
}

} // namespace

// Nothing at the last name yet is the file to make.
bool Resolve(const std::string& path, bool forSave, const FileAsRead* read, const char* what,
             Resolved& out, std::string& error) {
    out = {};
    Walk w{forSave, read, what, out, error, Fd(), "", path};
    if (!w.startAt(path.starts_with('/'))) return false;
    for (;;) {
        const std::size_t begin = w.rest.find_first_not_of('/');
        if (begin == std::string::npos) return w.failed(EISDIR); // the name ends in a folder
        const std::size_t end = std::min(w.rest.find('/', begin), w.rest.size());
        const std::string name = w.rest.substr(begin, end - begin);
        w.rest.erase(0, end);
        const bool last = w.rest.find_first_not_of('/') == std::string::npos;
        struct stat st {};
        if (Sys().fstatat(w.here.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 &&
            (!last || errno != ENOENT))
            return w.failed(errno);
        if (S_ISLNK(st.st_mode)) {
            if (!FollowLink(w, name, st)) return false;
        } else if (last) {
            return Hold(w, name);
        } else if (!w.enter(name)) {
            return w.failed(errno);
        }
    }
}

} // namespace fileio
