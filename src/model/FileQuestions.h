#pragma once
// What the user is asked about a save, for the model file and the panel file alike: the file
// layer only reports what it finds.
#include "model/fileio/FileIo.h"

#include <functional>
#include <string>
#include <string_view>

// Asks about a file that holds other bytes than the save expected; true replaces it. What to
// ask depends on where the document came from, so the caller asks.
using AskChanged = std::function<bool(const fileio::SaveReport& changed)>;

// Saves through fileio::SaveFile, asking the user whatever a save leaves to them and saving
// again with each answer: another copy of the program saving the file (retry or cancel), the
// file read or saved here gone since, other bytes on disk (through `askChanged`; without it they
// come back as found), a write-protected file, a backup that cannot be made. `terms` takes the
// answers; a save the user chose not to make comes back Declined.
fileio::SaveReport SaveAsking(const std::string& path, std::string_view bytes,
                              std::string (*backupOf)(const std::string& fileName),
                              fileio::SaveTerms& terms, const AskChanged& askChanged = {});

// The questions' texts, each followed by the file's name and the answers.
inline constexpr const char* AnotherCopySavingQuestion =
    "このファイルは、別のVelquorが保存しているところです";
inline constexpr const char* FileGoneQuestion =
    "開いたファイルが、保存先にありません（削除されたか、名前が変えられています）。";
inline constexpr const char* ProtectedFileQuestion = "このファイルは書き込み禁止になっています。";
