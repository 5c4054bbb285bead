#pragma once
// The disk side of model files, kept thin: whole-file reads and a safe replace of a file.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fileio {

// The whole file, or nothing with `error` set when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string& error);

// The reason for a system error number, said to the user in Japanese.
std::string ReasonText(int err);

bool FileExists(const std::string& path);

// The extension of the last path component, with its dot; empty when it has none.
std::string_view ExtensionOf(std::string_view path);

// ASCII letters compared without regard to case, as the program compares extensions.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Replaces the file at `path` with `bytes`: writes a temporary file in the same folder, checks
// every write, flushes it to disk, keeps the file that stood at `path` (if any) under
// `backupPath` (when not empty) and renames the temporary file over `path`. On any failure the
// file at `path` and the backup that stood before are left as they were, and `error` says why
// in the user's words.
bool ReplaceFileSafely(const std::string& path, std::string_view bytes,
                       const std::string& backupPath, std::string& error);

// Fault injection for tests: the step that should fail. None in normal use.
enum class Fault { None, Open, Write, ShortWrite, Sync, Close, Backup, Rename };
void InjectFault(Fault fault);

} // namespace fileio
