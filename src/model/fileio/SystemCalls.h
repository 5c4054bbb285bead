#pragma once
// The system calls the file layer makes, called through one table. Tests swap an entry to fail
// the n-th call of any kind (a rename and then the rename that would undo it, a write cut short,
// a process killed half-way), so the save reads as plain POSIX, without a check of its own for
// every fault a disk or another user can cause.
#include <sys/types.h>

struct stat;

namespace fileio {

struct SystemCalls {
    int (*openat)(int dir, const char* name, int flags, mode_t mode);
    int (*close)(int fd);
    ssize_t (*read)(int fd, void* buffer, size_t size);
    ssize_t (*write)(int fd, const void* buffer, size_t size);
    off_t (*lseek)(int fd, off_t at, int whence);
    int (*ftruncate)(int fd, off_t size);
    int (*fsync)(int fd);
    int (*fstat)(int fd, struct stat* st);
    int (*fstatat)(int dir, const char* name, struct stat* st, int flags);
    int (*faccessat)(int dir, const char* name, int mode, int flags);
    ssize_t (*readlinkat)(int dir, const char* name, char* buffer, size_t size);
    int (*linkat)(int fromDir, const char* from, int toDir, const char* to, int flags);
    int (*renameat)(int fromDir, const char* from, int toDir, const char* to);
    int (*unlinkat)(int dir, const char* name, int flags);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    int (*fchmod)(int fd, mode_t mode);
    // By the name of an open file (/proc/self/fd/N): attributes are read also from a file the
    // user may not open for reading, whose access control list still says who may.
    ssize_t (*listxattr)(const char* path, char* names, size_t size);
    ssize_t (*getxattr)(const char* path, const char* name, void* value, size_t size);
    int (*fsetxattr)(int fd, const char* name, const void* value, size_t size, int flags);
    int (*flock)(int fd, int operation);
};

// The table every call of the file layer goes through: the C library's, unless a test swapped
// an entry.
SystemCalls& Sys();

} // namespace fileio
