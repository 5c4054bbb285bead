// What a file the save makes takes from the file it comes from, and never more: a copy that
// changes owner or group must not let anyone read or write what the original kept from them.
#include "model/FileParts.h"
#include "model/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace fileio {

namespace {

constexpr const char* AclName = "system.posix_acl_access";

// An access control list as the system keeps it in its extended attribute: a version (2), then
// entries of a tag, the permissions and a user or group number, in the order of tag and number,
// all little-endian. The mask bounds every entry of the group class (named users, the owning
// group, named groups).
struct AclEntry {
    std::uint16_t tag, perms;
    std::uint32_t id;
};
enum : std::uint16_t { UserObj = 1, User = 2, GroupObj = 4, Group = 8, Mask = 16, Other = 32 };

std::vector<AclEntry> ParseAcl(const std::string& bytes) {
    const auto at = [&](std::size_t i, int size) {
        std::uint32_t v = 0;
        while (size-- > 0) v = v << 8 | static_cast<unsigned char>(bytes[i + size]);
        return v;
    };
    std::vector<AclEntry> entries;
    if (bytes.size() < 4 || (bytes.size() - 4) % 8 != 0 || at(0, 4) != 2) return entries;
    for (std::size_t i = 4; i < bytes.size(); i += 8)
        entries.push_back({static_cast<std::uint16_t>(at(i, 2)),
                           static_cast<std::uint16_t>(at(i + 2, 2)), at(i + 4, 4)});
    return entries;
}

std::string AclBytes(std::vector<AclEntry> entries) {
    std::sort(entries.begin(), entries.end(), [](const AclEntry& a, const AclEntry& b) {
        return a.tag != b.tag ? a.tag < b.tag : a.id < b.id;
    });
    std::string bytes;
    const auto put = [&](std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(v >> 8 * i & 0xFF));
    };
    put(2, 4);
    for (const AclEntry& e : entries) put(e.tag, 2), put(e.perms, 2), put(e.id, 4);
    return bytes;
}

// The value of the attribute `name` of the open file `fd`, also of one open only by name, whole:
// no value or list of names is larger than 64 KiB. None, with errno set, when it has none.
std::optional<std::string> Attribute(int fd, const char* name) {
    std::string value(64 * 1024, '\0');
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = name ? Sys().getxattr(path.c_str(), name, value.data(), value.size())
                           : Sys().listxattr(path.c_str(), value.data(), value.size());
    if (n < 0) return std::nullopt;
    value.resize(static_cast<std::size_t>(n));
    return value;
}

// Sets an attribute, leaving it out where the disk or the user's rights do not allow it; only a
// disk that is full or fails fails the save.
bool SetAttribute(int fd, const char* name, const std::string& value, std::string& error) {
    if (Sys().fsetxattr(fd, name, value.data(), value.size(), 0) == 0 ||
        (errno != ENOSPC && errno != EDQUOT && errno != EIO))
        return true;
    error = SystemReason("ファイルの属性を書き込めませんでした", errno);
    return false;
}

// Gives the user `owner`, who no longer owns the file, the access `perms` they had, through an
// entry of the list. The mask bounds that entry; where it must widen for it, every other entry
// of the group class is first narrowed to what it let do, so that nobody else gains anything.
void GrantOwner(int fd, uid_t owner, std::uint16_t perms) {
    const std::optional<std::string> list = Attribute(fd, AclName);
    std::vector<AclEntry> entries = list ? ParseAcl(*list) : std::vector<AclEntry>{};
    struct stat st;
    if (list ? entries.empty() : errno != ENODATA || Sys().fstat(fd, &st) != 0)
        return; // a list of another form, or a disk without lists: left as it is
    if (!list)
        entries = {{UserObj, static_cast<std::uint16_t>(st.st_mode >> 6 & 7), 0},
                   {GroupObj, static_cast<std::uint16_t>(st.st_mode >> 3 & 7), 0},
                   {Other, static_cast<std::uint16_t>(st.st_mode & 7), 0}};
    std::uint16_t mask = 7;
    for (const AclEntry& e : entries)
        if (e.tag == (list ? Mask : GroupObj)) mask = e.perms;
    std::erase_if(entries, [&](const AclEntry& e) {
        return e.tag == Mask || (e.tag == User && e.id == owner);
    });
    for (AclEntry& e : entries)
        if (e.tag == User || e.tag == GroupObj || e.tag == Group) e.perms &= mask;
    entries.push_back({User, static_cast<std::uint16_t>(perms & 7), owner});
    entries.push_back({Mask, static_cast<std::uint16_t>((mask | perms) & 7), 0});
    const std::string bytes = AclBytes(std::move(entries));
    (void)Sys().fsetxattr(fd, AclName, bytes.data(), bytes.size(), 0);
}

} // namespace

bool SetMode(int fd, mode_t mode, std::string& error) {
    if (Sys().fchmod(fd, mode) == 0) return true;
    // A disk without permissions of its own (FAT) refuses modes it cannot show, and shows
    // them all; a failure that leaves out one the file is to have fails the save, as a file
    // kept private would lock the others out without a word.
    const int err = errno;
    struct stat st;
    if (Sys().fstat(fd, &st) == 0 && (st.st_mode & mode & 0777) == (mode & 0777)) return true;
    error = SystemReason("ファイルのアクセス権を設定できませんでした", err);
    return false;
}

bool TakeAttributes(int fd, int sourceFd, const struct stat& source, std::string& error) {
    // The owner only the administrator may give, the group a member of it.
    if (Sys().fchown(fd, source.st_uid, source.st_gid) != 0)
        (void)Sys().fchown(fd, static_cast<uid_t>(-1), source.st_gid);
    struct stat made;
    if (Sys().fstat(fd, &made) != 0) {
        error = SystemReason("ファイルの属性を書き込めませんでした", errno);
        return false;
    }
    const std::optional<std::string> names = Attribute(sourceFd, nullptr);
    for (std::size_t at = 0; names && at < names->size(); at += std::strlen(&(*names)[at]) + 1) {
        const char* const name = &(*names)[at];
        if (const std::optional<std::string> value = Attribute(sourceFd, name);
            value && std::strcmp(name, AclName) != 0 && !SetAttribute(fd, name, *value, error))
            return false;
    }
    // The permission bits, never a set-ID bit. The list goes whole, which gives the group class
    // its mask again, or not at all; until then, and without it, the owning group may do only
    // what its entry let it, and no more than others under another group or where the list
    // cannot be read.
    const std::optional<std::string> acl = Attribute(sourceFd, AclName);
    const bool known = acl || errno == ENODATA || errno == ENOTSUP;
    const std::vector<AclEntry> entries = acl ? ParseAcl(*acl) : std::vector<AclEntry>{};
    const bool groupKept = made.st_gid == source.st_gid;
    const mode_t others = (source.st_mode & 07) << 3;
    mode_t group = source.st_mode & 070;
    if (!groupKept || !known) group &= others;
    for (const AclEntry& e : entries)
        if (e.tag == GroupObj || e.tag == Mask) group &= static_cast<mode_t>(e.perms & 7) << 3;
    if (!SetMode(fd, (source.st_mode & 0707) | group, error)) return false;
    if (groupKept && !entries.empty() && !SetAttribute(fd, AclName, *acl, error)) return false;
    if (made.st_uid != source.st_uid)
        GrantOwner(fd, source.st_uid, static_cast<std::uint16_t>(source.st_mode >> 6 & 7));
    return true;
}

} // namespace fileio
