#pragma once
// Puts a script between the file layer and the system: every call through fileio::Sys() is
// counted and shown to the script first, which may act (as another user would at that moment)
// and fail the call with an error number, or let it through (0). Restored when it goes.
#include "model/fileio/SystemCalls.h"

#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

namespace callscript {

// What happens at a call of the kind named: 0 goes on to the system call.
using Action = std::function<int(const std::string& kind)>;

inline Action current;
inline long calls = 0;

template <auto Call>
struct Entry;
template <typename R, typename... A, R (*fileio::SystemCalls::*Call)(A...)>
struct Entry<Call> {
    static inline R (*real)(A...) = nullptr;
    static inline const char* kind = "";
    static R call(A... args) {
        ++calls;
        if (const int err = current ? current(kind) : 0) {
            // A close that fails has closed the descriptor all the same.
            if (std::string_view(kind) == "close") real(args...);
            errno = err;
            return static_cast<R>(-1);
        }
        return real(args...);
    }
    static void swap(const char* name) {
        kind = name;
        real = fileio::Sys().*Call;
        fileio::Sys().*Call = &call;
    }
    static void restore() { fileio::Sys().*Call = real; }
};

#define VQ_SYSTEM_CALLS(X)                                                                         \
    X(openat)                                                                                      \
    X(close)                                                                                       \
    X(read) X(write) X(lseek) X(ftruncate) X(fsync) X(fstat) X(fstatat) X(faccessat) X(readlinkat) \
        X(linkat) X(renameat) X(unlinkat) X(fchown) X(fchmod) X(listxattr) X(getxattr)             \
            X(fsetxattr) X(flock)

class Script {
public:
    explicit Script(Action action) {
        current = std::move(action);
        calls = 0;
#define VQ_SWAP(name) Entry<&fileio::SystemCalls::name>::swap(#name);
        VQ_SYSTEM_CALLS(VQ_SWAP)
#undef VQ_SWAP
    }
    ~Script() {
#define VQ_RESTORE(name) Entry<&fileio::SystemCalls::name>::restore();
        VQ_SYSTEM_CALLS(VQ_RESTORE)
#undef VQ_RESTORE
        current = nullptr;
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;
};

// Fails `times` calls of `kind` (of any kind when empty) with `err`, from its `nth` on (from 1);
// `before`, when given, runs at the first of them.
inline Action FailNth(std::string kind, long nth, int err, long times = 1,
                      std::function<void()> before = {}) {
    auto seen = std::make_shared<long>(0);
    return [=](const std::string& k) {
        if (!kind.empty() && k != kind) return 0;
        const long n = ++*seen;
        if (n == nth && before) before();
        return n >= nth && n < nth + times ? err : 0;
    };
}

// For a child process: the file layer's writes stop after `bytes` more bytes, where the process
// dies, as a save killed in the middle of a write.
inline void DieAfterWriting(long long bytes) {
    static long long left;
    static ssize_t (*real)(int, const void*, size_t);
    left = bytes;
    real = fileio::Sys().write;
    fileio::Sys().write = [](int fd, const void* buffer, size_t size) -> ssize_t {
        if (static_cast<long long>(size) >= left) {
            if (left > 0) real(fd, buffer, static_cast<size_t>(left));
            ::_exit(9);
        }
        left -= static_cast<long long>(size);
        return real(fd, buffer, size);
    };
}

} // namespace callscript
