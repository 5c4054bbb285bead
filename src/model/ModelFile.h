#pragma once
// Model files: the writer of the current ".vq2" layout ("qv8"), the readers of every version,
// and the load and save routines the document commands call.
//
// The writer and the readers work on bytes in memory; the disk is touched only by the load and
// save routines (through FileIo). A read fills a fresh Document and the open document is
// replaced only when the whole read succeeded, so a damaged or foreign file never changes it.
#include "model/FileQuestions.h"
#include "model/Model.h"
#include "model/ModelFileFields.h"
#include "model/fileio/FileIo.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The whole current-version file of `doc`. `currentScenario` is stored for the record; the
// readers do not restore it.
std::string WriteModelFile(const Document& doc, int32_t currentScenario);
// The open document and the scenario on screen.
std::string WriteModelFile();

// The readers. Each reads `file` (the whole file, tag included) from the byte after the
// four-byte tag into `doc`, which the caller starts from a fresh Document; fields the version
// does not hold keep the values `doc` had. On failure `doc` holds a partial read and must be
// thrown away.
ModelReadStatus ReadModelFileV8(std::string_view file, Document& doc);
ModelReadStatus ReadModelFileV6(std::string_view file, Document& doc);
ModelReadStatus ReadModelFileV2(std::string_view file, Document& doc);
ModelReadStatus ReadModelFileV5(std::string_view file, Document& doc);
ModelReadStatus ReadModelFileV7(std::string_view file, Document& doc);
ModelReadStatus ReadDiagnosisFileV8(std::string_view file, Document& doc);

enum class ModelFileKind {
    Unknown,   // not a model file of any version
    V2,        // "qv2"
    V5,        // "qv5" diagnosis file
    V6,        // "qv6"
    V7,        // "qv7" diagnosis file
    Diagnosis, // "qv8" in a file named ".vq0"
    Current    // "qv8" in any other file (".vq2", and its ".BAK" backup)
};

// The reader for a file's first bytes and its path. Tags are compared exactly; the extension
// ".vq0" is recognised in any case. A "qv8" file with another extension than ".vq0" is read as
// the current layout, so a backup can be opened. LoadModelFile tries the other "qv8" reader
// when this one refuses a ".vq0" or ".BAK" file.
ModelFileKind ChooseReader(std::string_view fileStart, std::string_view path);

// True for the kinds whose files hold the user panel materials.
bool HoldsUserPanels(ModelFileKind kind);

// Reads `file` with the reader of `kind` into `doc` (a fresh Document), then brings every
// table code of slots 0..2 and the overview, and every real without negative values, into its
// range. `repairs` counts the values that had to be changed.
ModelReadStatus ReadModelBytes(std::string_view file, ModelFileKind kind, Document& doc,
                               int& repairs);

// Brings the codes that index tables or bound loops into their ranges: element codes of
// slots 0..2, axis kinds, topStorey, weight and roof/wall classes, edition and method.
// Returns how many values were changed.
int RepairCodes(Document& doc);
// Brings the reals that have no negative values (snow term, zone factor, areas, storey heights,
// user panel values) to their smallest valid value. Returns how many values were changed.
int RepairReals(Document& doc);

// ---- load and save ---------------------------------------------------------------------------

inline constexpr const char* UnreadableFileText = "読み込み出来ないファイルです。";
inline constexpr const char* ReadErrorCaption = "読み込みエラー";
inline constexpr const char* ReadWarningCaption = "読み込み警告";

struct LoadOutcome {
    bool ok = false;
    ModelFileKind kind = ModelFileKind::Unknown;
    int repairs = 0;
    std::vector<std::string> leftOut; // what the file held and the document could not keep
    std::string reason;               // UTF-8; empty when ok
    fileio::FileAsRead state;         // the file as it was read
};

// Reads the file at `path` (UTF-8) into a fresh Document and, only when the whole read
// succeeded, calls `beforeReplace` (the caller's reset of the application state for a loaded
// document) and replaces `Doc` with it. Files without user panels start them from the defaults
// (ResetPanelElements, run after the replacement). A refused file is reported through
// Messages() ("読み込み出来ないファイルです。" / "読み込みエラー", with the reason and its
// byte offset) and leaves `Doc` as it was; repaired values and texts that found no place are
// reported once, caption "読み込み警告". Grid checks and centring are the caller's.
LoadOutcome LoadModelFile(const std::string& path, const std::function<void()>& beforeReplace = {});

// Writes the open document to `path` safely: the file is built in memory, written to a
// temporary file in the same folder and flushed to disk, an existing file at `path` becomes
// the backup (same name, extension ".BAK") and the temporary file takes its place. On any
// failure the file at `path` and its backup are left as they were and the reason is
// returned. App.Modified is cleared here, and only after a complete save. What the save leaves
// to the user is asked (SaveAsking); `terms` is what the save may replace without asking, from
// the read or the last save, and takes the user's answers.
fileio::SaveReport SaveModelFile(const std::string& path, fileio::SaveTerms& terms,
                                 const AskChanged& askChanged = {});
fileio::SaveReport SaveModelFile(const std::string& path);

// The backup of `path`: same folder and base name, extension ".BAK".
std::string BackupPathFor(const std::string& path);
