// What a file the save makes takes from the file it comes from, and never more: a copy that
// changes owner or group must not let anyone read or write what the original kept from them.
#include "model/fileio/FileParts.h"
#include "model/fileio/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

namespace fileio {

namespace {

constexpr const char* AclName = "system.posix_acl_access";

// An access control list as the system keeps it in its extended attribute: a version (2), then
// entries of a tag, the permissions and a user or group number, in the order of tag and number,
// all little-endian. The tags are bits; the mask bounds every entry of the group class (named
// users, the owning group, named groups).
struct AclEntry {
    std::uint16_t tag, perms;
    std::uint32_t id;
};
enum : std::uint16_t { UserObj = 1, User = 2, GroupObj = 4, Group = 8, Mask = 16, Other = 32 };
constexpr std::uint16_t GroupClass = User | GroupObj | Group;

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    while (size-- > 0) v = v << 8 | static_cast<unsigned char>(bytes[at + size]);
    return v;
}

std::vector<AclEntry> ParseAcl(const std::string& bytes) {
    std::vector<AclEntry> entries;
    if (bytes.size() % 8 != 4 || LittleEndian(bytes, 0, 4) != 2) return entries;
    for (std::size_t i = 4; i < bytes.size(); i += 8)
        entries.push_back({static_cast<std::uint16_t>(LittleEndian(bytes, i, 2)),
                           static_cast<std::uint16_t>(LittleEndian(bytes, i + 2, 2)),
                           LittleEndian(bytes, i + 4, 4)});
    return entries;
}

std::string AclBytes(std::vector<AclEntry> entries) {
    std::ranges::sort(entries, {}, [](const AclEntry& e) { return std::pair(e.tag, e.id); });
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
    return Sys().fsetxattr(fd, name, value.data(), value.size(), 0) == 0 ||
           !OneOf(errno, {ENOSPC, EDQUOT, EIO}) ||
           Fail(error, SystemRefusal("ファイルの属性を書き込めませんでした", errno));
}

// Gives the user `owner`, who no longer owns the file, the access `perms` they had, through an
// entry of its list `entries`. The mask (the owning group's entry where the list has none)
// bounds that entry; where it must widen for it, every other entry of the group class is first
// narrowed to what it let do, so that nobody else gains anything.
void GrantOwner(int fd, std::vector<AclEntry> entries, uid_t owner, std::uint16_t perms) {
    std::uint16_t mask = 7;
    for (const AclEntry& e : entries) // in the order of tags: the mask, where there is one, last
        if (e.tag & (GroupObj | Mask)) mask = e.perms;
    std::erase_if(entries, [&](const AclEntry& e) {
        return e.tag == Mask || (e.tag == User && e.id == owner);
    });
    for (AclEntry& e : entries)
        if (e.tag & GroupClass) e.perms &= mask;
    entries.push_back({User, perms, owner});
    entries.push_back({Mask, static_cast<std::uint16_t>(mask | perms), 0});
    const std::string bytes = AclBytes(std::move(entries));
    (void)Sys().fsetxattr(fd, AclName, bytes.data(), bytes.size(), 0);
}

} // namespace

// A disk without permissions of its own (FAT) refuses modes it cannot show, and shows them all;
// a failure that leaves out one the file is to have fails the save, as a file kept private would
// lock the others out without a word.
bool SetMode(int fd, mode_t mode, std::string& error) {
    struct stat st;
    return Sys().fchmod(fd, mode) == 0 ||
           (Sys().fstat(fd, &st) == 0 && (st.st_mode & mode & 0777) == (mode & 0777)) ||
           Fail(error, SystemRefusal("ファイルのアクセス権を設定できませんでした", errno));
}

// The owner only the administrator may give, the group a member of it. Every extended attribute
// goes but the access control list, which goes whole, or not at all. The permission bits go
// without a set-ID bit; until the list gives the group class its mask again, and without it, the
// owning group may do only what its entry let it, and no more than others under another group or
// where the list cannot be read.
bool TakeAttributes(int fd, int sourceFd, const struct stat& source, std::string& error) {
    if (Sys().fchown(fd, source.st_uid, source.st_gid) != 0)
        (void)Sys().fchown(fd, static_cast<uid_t>(-1), source.st_gid);
    struct stat made;
    if (Sys().fstat(fd, &made) != 0)
        return Fail(error, SystemRefusal("ファイルの属性を書き込めませんでした", errno));
    const std::string names = Attribute(sourceFd, nullptr).value_or("");
    for (std::size_t at = 0; at < names.size(); at += std::strlen(&names[at]) + 1) {
        const char* const name = &names[at]; // every attribute but the access control list
        if (const std::optional<std::string> value = Attribute(sourceFd, name);
            value && std::strcmp(name, AclName) != 0 && !SetAttribute(fd, name, *value, error))
            return false;
    }
    const std::optional<std::string> acl = Attribute(sourceFd, AclName);
    const bool listed = made.st_gid == source.st_gid && (acl || OneOf(errno, {ENODATA, ENOTSUP}));
    std::vector<AclEntry> entries = listed && acl ? ParseAcl(*acl) : std::vector<AclEntry>{};
    mode_t group = source.st_mode & 070;
    if (!listed) group &= (source.st_mode & 07) << 3;
    for (const AclEntry& e : entries)
        if (e.tag & (GroupObj | Mask)) group &= static_cast<mode_t>(e.perms & 7) << 3;
    const mode_t mode = (source.st_mode & 0707) | group;
    if (!SetMode(fd, mode, error)) return false;
    if (entries.empty())
        entries = {{UserObj, static_cast<std::uint16_t>(mode >> 6 & 7), 0},
                   {GroupObj, static_cast<std::uint16_t>(mode >> 3 & 7), 0},
                   {Other, static_cast<std::uint16_t>(mode & 7), 0}};
    else if (!SetAttribute(fd, AclName, *acl, error))
        return false;
    if (made.st_uid != source.st_uid)
        GrantOwner(fd, std::move(entries), source.st_uid,
                   static_cast<std::uint16_t>(source.st_mode >> 6 & 7));
    return true;
}

} // namespace fileio
