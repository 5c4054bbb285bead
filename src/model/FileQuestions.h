#pragma once
// What the user is asked and told about a save or a read, for the model file and the panel
// file alike: the file layer only reports what it finds.
#include "model/FileIo.h"

#include <string>
#include <string_view>

// Saves through fileio::SaveFile, asking the user whatever a save leaves to them, and saving
// again with each answer: another copy of the program saving the file (retry or cancel), the
// file read or saved here gone since, a write-protected file, a backup that cannot be made. A
// file changed on disk comes back as it is: what to ask depends on where the document came
// from. `terms` takes the answers; `declined` is set when the user chose not to save.
fileio::SaveReport SaveAsking(const std::string& path, std::string_view bytes,
                              std::string (*backupOf)(const std::string& fileName),
                              fileio::SaveTerms& terms, bool& declined);

// Tells the user when the file read is one another user's save was writing in place when it
// was cut off: it may be cut, and where its whole earlier version stands.
void TellIfCut(const fileio::FileAsRead& file);

// The questions' texts, each followed by the file's name and the answers.
inline constexpr const char* AnotherCopySavingQuestion =
    "このファイルは、別のVelquorが保存しているところです";
inline constexpr const char* FileGoneQuestion =
    "開いたファイルが、保存先にありません（削除されたか、名前が変えられています）。";
inline constexpr const char* ProtectedFileQuestion = "このファイルは書き込み禁止になっています。";
inline constexpr const char* CutFileNotice =
    "このファイルは、別の利用者の保存が途中で止まったため、内容が途切れている可能性があります。";
