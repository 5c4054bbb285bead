#pragma once
// The panel-material file (".yd0"), which carries the ten user panel materials from one
// document to another: the tag "yd0" and a zero byte, then the ten records in slot order, 79
// bytes each, 794 bytes in all. The model file stores the user panels in the same record layout.
//
// Record: symbol slot 5 bytes, strength, stiffness and ratio as thousandths in 17-byte fields
// ("%16li" and a zero byte), name slot 23 bytes; a text slot holds the text, a zero byte and
// zero filler.
#include "model/CustomPanels.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace CustomPanelFile {

inline constexpr std::size_t TagSize = 4;
inline constexpr std::size_t RealFieldSize = 17;
inline constexpr std::size_t SymbolSlotSize = 5;
inline constexpr std::size_t NameSlotSize = 23;
inline constexpr std::size_t RecordSize = SymbolSlotSize + 3 * RealFieldSize + NameSlotSize; // 79
inline constexpr std::size_t FileSize = TagSize + CustomPanelCount * RecordSize;             // 794

using Panels = CustomPanelRecord[CustomPanelCount];

// The outcome of a read or a write: ok, or a message for the user (UTF-8) with its caption, or
// a save the user chose not to make when asked (no message then). A save that went through may
// still carry a message the user must read.
struct Result {
    bool ok = true;
    std::string message;
    std::string caption;
    bool cancelled = false;
    explicit operator bool() const { return ok; }
};

// The three values of a panel, as the dialog and the messages name them.
inline constexpr const char* ValueNames[3] = {"耐力", "剛性", "壁倍率"};

// Whether a strength, stiffness or ratio can stand: never negative (its walls would get negative
// stiffness), and within what the files store.
enum class ValueFault { None, Negative, TooLarge };
ValueFault CheckValue(double value);

// A real as the files store it: the number of thousandths, rounded half away from zero, as
// "%16li" and a zero byte. False (and the field untouched) when the value is not finite or
// needs more than 15 digits.
bool EncodeReal(double value, char (&field)[RealFieldSize]);
// The value of a real field: blanks, an optional sign and at most 16 digits, then the zero byte
// within the field; anything else is refused.
bool DecodeReal(const char* field, double& value);

// One 79-byte record. Encoding fails only on a value that cannot be stored; decoding refuses a
// text slot without its zero byte and an unreadable number, naming the field in `field`
// ("記号", "耐力", "剛性", "壁倍率", "名称"), and leaves `record` untouched then.
bool EncodeRecord(const CustomPanelRecord& record, char (&bytes)[RecordSize]);
bool DecodeRecord(const char* bytes, CustomPanelRecord& record, const char** field);

// The whole file in memory. Parse changes `panels` only when the whole file was read and every
// value can stand; a refusal names the panel as the dialog does.
Result Parse(std::string_view bytes, Panels& panels);
Result Serialize(const Panels& panels, std::string& bytes);

// The file on disk (UTF-8 paths). Load reads at most the 794 bytes of the layout and changes
// `panels` only on success. Save writes a temporary file beside the target and checks it; an
// existing target is then kept as its backup (BackupPath, replacing an older backup) as the
// new file takes its name. On any failure the target and its earlier backup are left as they
// were and the failure is reported. Both go through fileio, as the model file does.
Result Load(const std::string& path, Panels& panels);
Result Save(const std::string& path, const Panels& panels);

// The backup name of `path`: the whole name followed by ".BAK", so that it never takes the
// backup of a model file of the same base name.
std::string BackupPath(const std::string& path);

} // namespace CustomPanelFile
