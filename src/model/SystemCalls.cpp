#include "model/SystemCalls.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace fileio {

SystemCalls& Sys() {
    static SystemCalls calls{
        [](int dir, const char* name, int flags, mode_t mode) {
            return ::openat(dir, name, flags, mode);
        },
        ::close,
        ::read,
        ::write,
        ::pwrite,
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
    return calls;
}

} // namespace fileio
