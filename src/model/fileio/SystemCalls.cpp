#include "model/fileio/SystemCalls.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fileio {

namespace {

SystemCalls Table{
    [](int dir, const char* name, int flags, mode_t mode) {
        return ::openat(dir, name, flags, mode);
    },
    ::close,
    ::read,
    ::write,
    ::lseek,
    ::ftruncate,
    ::fsync,
    ::fstat,
    ::fstatat,
    ::faccessat,
    ::readlinkat,
    ::linkat,
    ::renameat,
    ::unlinkat,
    ::fchown,
    ::fchmod,
    ::listxattr,
    ::getxattr,
    ::fsetxattr,
    ::flock,
};

} // namespace

SystemCalls& Sys() {
    return Table;
}

} // namespace fileio
