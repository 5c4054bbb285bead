#include "model/PanelFile.h"

#include "model/FileQuestions.h"
#include "model/ModelFileFields.h"
#include "model/fileio/FileIo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>

namespace CustomPanelFile {
namespace {

constexpr char Tag[TagSize] = {'y', 'd', '0', '\0'};
constexpr long long MaxThousandths = 999'999'999'999'999LL; // 15 digits and room for a sign

const char* const ReadCaption = "読み込みエラー";
const char* const WriteCaption = "書き込みエラー";
const char* const SavedCaption = "面材データファイルの保存";

Result Failure(std::string message, const char* caption) {
    return {false, std::move(message), caption};
}

// A text slot: the text up to its zero byte, which must lie inside the slot.
template <std::size_t W>
bool DecodeText(const char* slot, FixedText<W>& text) {
    const void* end = std::memchr(slot, 0, W);
    if (!end) return false;
    text.set(
        std::string_view(slot, static_cast<std::size_t>(static_cast<const char*>(end) - slot)));
    return true;
}

template <std::size_t W>
void EncodeText(const FixedText<W>& text, char* slot) {
    std::string_view v = text.view();
    std::size_t n = cp932::keptBytes(v, W - 1);
    std::memset(slot, 0, W);
    std::memcpy(slot, v.data(), n);
}

// The panel file last read or saved: a save to that name again works in its folder and
// follows only the links that stood then.
fileio::FileAsRead last;

// Whether `bytes` are a beginning of a panel file, as a save cut off while it wrote the file in
// place leaves it; any name may hold one.
bool EndsEarly(std::string_view bytes, std::string_view = {}) {
    return bytes.size() < FileSize &&
           bytes.substr(0, TagSize) == std::string_view(Tag, TagSize).substr(0, bytes.size());
}

// A refused record, named as the dialog names it and by its place in the file.
Result Damaged(int slot, const std::string& what) {
    return Failure("面材データファイルが壊れています。\n\n" + CustomPanelLabel(slot) +
                       "：ファイルの " + std::to_string(slot + 1) + " 番目の面材の" + what,
                   ReadCaption);
}

} // namespace

ValueFault CheckValue(double value) {
    if (value < 0.0) return ValueFault::Negative;
    char field[RealFieldSize];
    return EncodeReal(value, field) ? ValueFault::None : ValueFault::TooLarge;
}

bool EncodeReal(double value, char (&field)[RealFieldSize]) {
    if (!std::isfinite(value)) return false;
    long double scaled = modelfile::ThousandthsHalfAway(value); // as the model file rounds
    if (std::fabs(scaled) > static_cast<long double>(MaxThousandths)) return false;
    char buffer[RealFieldSize + 8];
    std::snprintf(buffer, sizeof buffer, "%16lld", static_cast<long long>(scaled));
    std::memcpy(field, buffer, RealFieldSize - 1);
    field[RealFieldSize - 1] = '\0';
    return true;
}

bool DecodeReal(const char* field, double& value) {
    const void* endPtr = std::memchr(field, 0, RealFieldSize);
    if (!endPtr) return false;
    const char* p = field;
    const char* end = static_cast<const char*>(endPtr);
    while (p < end && *p == ' ') ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    if (p == end) return false;
    long long n = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + (*p - '0'); // at most 16 digits: no overflow
    }
    value = static_cast<double>(negative ? -n : n) / 1000.0;
    return true;
}

bool EncodeRecord(const CustomPanelRecord& record, char (&bytes)[RecordSize]) {
    char strength[RealFieldSize], stiffness[RealFieldSize], ratio[RealFieldSize];
    if (!EncodeReal(record.strength, strength) || !EncodeReal(record.stiffness, stiffness) ||
        !EncodeReal(record.ratio, ratio)) {
        return false;
    }
    char* p = bytes;
    EncodeText(record.symbol, p);
    p += SymbolSlotSize;
    for (const char* field : {strength, stiffness, ratio}) {
        std::memcpy(p, field, RealFieldSize);
        p += RealFieldSize;
    }
    EncodeText(record.name, p);
    return true;
}

bool DecodeRecord(const char* bytes, CustomPanelRecord& record, const char** field) {
    CustomPanelRecord r;
    const char* p = bytes;
    const char* failed = nullptr;
    if (!DecodeText(p, r.symbol)) failed = "記号";
    p += SymbolSlotSize;
    double* const values[3] = {&r.strength, &r.stiffness, &r.ratio};
    for (int f = 0; f < 3 && !failed; ++f, p += RealFieldSize)
        if (!DecodeReal(p, *values[f])) failed = ValueNames[f];
    if (!failed && !DecodeText(p, r.name)) failed = "名称";
    if (failed) {
        if (field) *field = failed;
        return false;
    }
    record = r;
    return true;
}

Result Parse(std::string_view bytes, Panels& panels) {
    if (bytes.size() < TagSize || std::memcmp(bytes.data(), Tag, TagSize) != 0) {
        return Failure("Velquorの面材データファイルではありません。", ReadCaption);
    }
    if (bytes.size() < FileSize) {
        return Failure("面材データファイルが途中で切れています（" + std::to_string(bytes.size()) +
                           " バイト、" + std::to_string(FileSize) + " バイト必要）。",
                       ReadCaption);
    }
    Panels read;
    for (int k = 0; k < CustomPanelCount; ++k) {
        const char* field = "";
        if (!DecodeRecord(bytes.data() + TagSize + k * RecordSize, read[k], &field))
            return Damaged(k, std::string(field) + "が読めません。");
        // A value the dialog's OK would refuse is refused here, before it takes a slot.
        const double values[3] = {read[k].strength, read[k].stiffness, read[k].ratio};
        for (int f = 0; f < 3; ++f) {
            const ValueFault fault = CheckValue(values[f]);
            if (fault != ValueFault::None)
                return Damaged(k, std::string(ValueNames[f]) + (fault == ValueFault::Negative
                                                                    ? "が負の値です（0 以上）。"
                                                                    : "が大き過ぎます。"));
        }
    }
    std::copy(std::begin(read), std::end(read), std::begin(panels));
    return {};
}

Result Serialize(const Panels& panels, std::string& bytes) {
    std::string out(Tag, TagSize);
    out.reserve(FileSize);
    for (int k = 0; k < CustomPanelCount; ++k) {
        char record[RecordSize];
        if (!EncodeRecord(panels[k], record)) {
            return Failure(CustomPanelLabel(k) + "（" + std::to_string(k + 1) +
                               " 番目の面材）の数値が大き過ぎるか不正なため、保存できません。",
                           WriteCaption);
        }
        out.append(record, RecordSize);
    }
    bytes = std::move(out);
    return {};
}

Result Load(const std::string& path, Panels& panels) {
    std::string error;
    fileio::FileAsRead read;
    const std::optional<std::string> bytes = fileio::ReadFileStart(path, FileSize, error, &read);
    if (!bytes)
        return Failure("面材データファイルを開けません。\n\n" + path + "\n\n" + error, ReadCaption);
    Result r = Parse(*bytes, panels);
    if (r) last = std::move(read);
    if (const std::string advice =
            !r && EndsEarly(*bytes) ? fileio::CutFileAdvice(read, BackupPath(read.leaf), EndsEarly)
                                    : "";
        !advice.empty())
        r.message += "\n\n" + advice;
    return r;
}

std::string BackupPath(const std::string& path) {
    // A name of its own: "house.BAK" belongs to the model file "house.vq2" in the same folder.
    return path + ".BAK";
}

Result Save(const std::string& path, const Panels& panels) {
    std::string bytes;
    if (Result r = Serialize(panels, bytes); !r) return r;
    // Its own file, by the document's rule, is held to the folder it was read from.
    fileio::SaveTerms terms;
    if (fileio::NamesFile(path, last)) terms.read = &last;
    terms.endsEarly = EndsEarly;
    fileio::SaveReport report = SaveAsking(path, bytes, BackupPath, terms);
    if (report.finding == fileio::Finding::Declined) return {false, {}, {}, true};
    if (report.ok()) {
        last = std::move(report.saved);
        // What the user must still be told, as a copy kept under a visible name.
        return {true, report.reason.empty() ? "" : "保存しました。" + report.reason, SavedCaption};
    }
    return Failure("面材データファイルを保存できません。\n\n" + path + "\n\n" + report.reason,
                   WriteCaption);
}

} // namespace CustomPanelFile
