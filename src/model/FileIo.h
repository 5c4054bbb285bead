#pragma once
// The disk side of model files, kept thin: whole-file reads and a safe replace of a file.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fileio {

// The whole file, or nothing with `error` set when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error);

bool FileExists(const std::string& path);

// The extension of the last path component, with its dot; empty when it has none.
std::string_view ExtensionOf(std::string_view path);

// ASCII letters compared without regard to case, as the program compares extensions.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Replaces the file at `path` with `bytes`: writes a temporary file in the same folder, checks
// every write, flushes it to disk, keeps the file that stood at `path` (if any) under
// `backupPath` (when not empty) and renames the temporary file over `path`. On failure the
// file at `path` and the backup are left as they were (apart from a failure of the very last
// rename, after which the backup already holds a copy of the unchanged file) and `error`
// says why.
bool ReplaceFileSafely(const std::string& path, std::string_view bytes,
                       const std::string& backupPath, std::string& error);

// Fault injection for tests: the step that should fail. None in normal use.
enum class Fault { None, Open, Write, ShortWrite, Sync, Close, Backup, Rename };
void InjectFault(Fault fault);

} // namespace fileio
