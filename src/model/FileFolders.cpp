// Names followed one at a time, so that a save knows every link it passes and the folder it
// ends in, and does everything after relative to that folder.
#include "model/FileParts.h"
#include "model/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace fileio {

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool Resolve(const std::string& path, bool forSave, const FileAsRead* read, const char* what,
             Resolved& out, std::string& error) {
    out = {};
    Fd here;
    std::string text, rest = path; // the folder reached, for the user; the names still to go
    const auto fail = [&](int err) {
        error = SystemReason(what, err);
        return false;
    };
    const auto startAt = [&](bool root) {
        here = Fd(Sys().openat(AT_FDCWD, root ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC, 0));
        text = root ? "/" : "";
        return here || fail(errno);
    };
    if (path.empty()) return fail(ENOENT);
    if (!startAt(path.front() == '/')) return false;
    for (int hops = 0;;) {
        const std::size_t begin = rest.find_first_not_of('/');
        if (begin == std::string::npos) { // the name ends in a folder
            error = Reason(what, NotAFile(S_IFDIR));
            return false;
        }
        const std::size_t end = std::min(rest.find('/', begin), rest.size());
        const std::string name = rest.substr(begin, end - begin);
        rest.erase(0, end);
        const bool last = rest.find_first_not_of('/') == std::string::npos;
        if (name == ".") continue;
        if (!last) {
            Fd next(Sys().openat(here.get(), name.c_str(),
                                 O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC, 0));
            if (next) {
                here = std::move(next);
                text = Join(text, name);
                continue;
            }
            if (errno != ENOTDIR && errno != ELOOP) return fail(errno);
        }
        struct stat st;
        if (Sys().fstatat(here.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (!last || errno != ENOENT) return fail(errno);
            st.st_mode = S_IFREG; // nothing stands there yet: the file to make
        }
        if (!S_ISLNK(st.st_mode)) {
            if (!last) return fail(ENOTDIR);
            struct stat folder;
            if (Sys().fstat(here.get(), &folder) != 0) return fail(errno);
            out.folder = std::make_shared<HeldFolder>();
            out.folder->fd = here.release();
            out.folder->device = folder.st_dev;
            out.folder->inode = folder.st_ino;
            out.folder->path = text.empty() ? "." : text;
            out.leaf = name;
            break;
        }
        char target[PATH_MAX];
        const ssize_t n = Sys().readlinkat(here.get(), name.c_str(), target, sizeof target);
        if (++hops > 40 || n <= 0 || n == static_cast<ssize_t>(sizeof target))
            return fail(hops > 40 ? ELOOP : n < 0 ? errno : ENAMETOOLONG);
        LinkStep step{st.st_dev, st.st_ino, st.st_uid,
                      std::string(target, static_cast<std::size_t>(n))};
        // Only a link that stood so at the read, or one the user or the administrator made:
        // another user's could steer the save anywhere the user may write, even to a file of
        // the user's own that does not exist yet.
        if (forSave && step.owner != ::geteuid() && step.owner != 0 &&
            (!read ||
             std::find(read->links.begin(), read->links.end(), step) == read->links.end())) {
            error =
                Reason(read ? "保存先のシンボリックリンクは、ファイルを開いた後に作られたか、"
                              "変えられています"
                            : "保存先は、他の利用者のシンボリックリンクです",
                       Join(text, name) + " → " +
                           (step.target.front() == '/' ? step.target : Join(text, step.target)));
            return false;
        }
        if (step.target.front() == '/' && !startAt(true)) return false;
        rest.insert(0, step.target);
        out.links.push_back(std::move(step));
    }
    // The name read or saved must still lead to the folder it was read from: a folder put in
    // its place, or a link to another, would take the save where the user never chose.
    if (forSave && read && read->folder &&
        (out.folder->device != read->folder->device || out.folder->inode != read->folder->inode)) {
        error = Reason("保存先のフォルダーは、ファイルを開いた後に別のフォルダーに置き換えられて"
                       "います",
                       out.folder->path);
        return false;
    }
    return true;
}

} // namespace fileio
