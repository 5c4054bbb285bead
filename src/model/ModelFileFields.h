#pragma once
// The byte fields of model files, in memory. A file is a plain run of fixed-width fields with no
// separators; a reader finds each field by counting widths, so the writer must never let a
// field grow past its width, and the reader must stop at the first field that is not what its
// place in the layout says.
//
// Field kinds:
//  - int field of k values: each "%5i", then a zero byte (5k + 1 bytes);
//  - real field: round(value x 1000) as "%16li", then a zero byte (17 bytes);
//  - text slot of W bytes: the text, a zero byte, zero filler up to W bytes.
// A layout is written once as a visitor over these primitives; ModelFileWriter and
// ModelFileReader give the primitives their two meanings, so the writer and the reader of a
// layout cannot disagree.
#include "model/FixedText.h"
#include "model/Model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Where and why a read stopped. `position` is the byte offset of the field that failed,
// counted from the start of the file.
struct ModelReadStatus {
    bool ok = true;
    std::size_t position = 0;
    std::string reason;     // UTF-8, shown to the user after the refusal text
    bool endsEarly = false; // refused because the bytes ended before the layout did
    // What a successful read found in the file and could not keep (UTF-8, one item each),
    // named in the load warning.
    std::vector<std::string> leftOut;
};

namespace modelfile {

inline constexpr int IntWidth = 5;
inline constexpr int32_t IntFieldMin = -9999;
inline constexpr int32_t IntFieldMax = 99999;
inline constexpr std::size_t RealFieldBytes = 17;

// value x 1000 rounded half away from zero in extended precision (for a value >= 0 exactly
// trunc(value x 1000 + 0.5)); `value` must be finite.
long double ThousandthsHalfAway(double value);
// ThousandthsHalfAway brought into the signed 32-bit range; not a number gives 0.
int32_t RealToThousandths(double value);
// What a real field holding `thousandths` reads as.
double ThousandthsToReal(long long thousandths);
// `value` as a save and a reopen give it back: its thousandth, as the reader makes it.
double AsSavedReal(double value);

// Appends `value` right-aligned in `width` characters (the caller keeps it inside the width).
void AppendRightAligned(std::string& out, long long value, int width);

// Appends `value` as "%W.3f" prints it (W = `width`, 5..13), brought first into what the width
// holds, with no sign on what prints as zero.
void AppendFixed3(std::string& out, double value, int width);
// The same into the `width` bytes at `p`.
void PutFixed3(char* p, double value, int width);
// `value` right-aligned in the `width` bytes at `p`; the caller keeps it inside the width.
void PutRightAligned(char* p, long long value, int width);

class ModelFileWriter {
public:
    static constexpr bool Reading = false;

    // `expectedSize`: the file's length when known, so the bytes are written in place.
    explicit ModelFileWriter(std::size_t expectedSize = 0) { out_.resize(expectedSize); }

    // One int field of the given values, each brought into -9999..99999.
    template <typename... T>
    void ints(const T&... values) {
        char* p = room(IntWidth * sizeof...(T) + 1);
        ((p = putInt(p, values)), ...);
        *p = '\0';
    }
    void intArray(const int32_t* values, int count) {
        char* p = room(static_cast<std::size_t>(IntWidth * count) + 1);
        for (int i = 0; i < count; ++i) p = putInt(p, values[i]);
        *p = '\0';
    }
    // "%5i" values with no zero byte of their own (the head of room-text and free-line records).
    template <typename... T>
    void bareInts(const T&... values) {
        char* p = room(IntWidth * sizeof...(T));
        ((p = putInt(p, values)), ...);
    }
    void real(const double& value);
    // "%W.3f" text with no zero byte, the value brought into what the width holds.
    void decimal(const double& value, int width);
    // "%1i%8i" and a zero byte: a free line's style (0..9) and colour (0..99999999).
    void styleColour(const int32_t& style, const int32_t& colour);
    // The text, its zero byte and zero filler: at most W - 1 bytes, cut on a character
    // boundary, so the zero byte is always there.
    template <std::size_t W>
    void text(const FixedText<W>& t) {
        textSlot(t.view(), W, W - 1);
    }
    // A text held in memory wider than its slot (room texts: 40 bytes in memory, 31 in the
    // file): at most `slot` bytes, cut on a character boundary; a text that fills the slot has
    // no zero byte, and readers take at most the slot.
    template <std::size_t W>
    void textIn(const FixedText<W>& t, std::size_t slot) {
        textSlot(t.view(), slot, slot);
    }
    void tag(std::string_view tag3);

    // A count line entry: the count actually written, never below 0 nor above `capacity`.
    static int32_t liveCount(int32_t count, int capacity) { return LiveCount(count, capacity); }
    void checkAxes(std::initializer_list<int32_t>) {}

    bool ok() const { return true; }
    std::string& bytes() {
        out_.resize(pos_);
        return out_;
    }

private:
    // The next `n` bytes of the file, to be filled by the caller.
    char* room(std::size_t n) {
        if (out_.size() - pos_ < n) out_.resize(2 * out_.size() + n);
        char* p = out_.data() + pos_;
        pos_ += n;
        return p;
    }
    static char* putInt(char* p, int32_t v);
    void textSlot(std::string_view text, std::size_t slot, std::size_t maxBytes);
    std::string out_;
    std::size_t pos_ = 0;
};

class ModelFileReader {
public:
    static constexpr bool Reading = true;

    // Reads `file` from `start` (the byte after the version tag).
    ModelFileReader(std::string_view file, std::size_t start) : data_(file), pos_(start) {}

    template <typename... T>
    void ints(T&... values) {
        constexpr int k = sizeof...(T);
        int32_t parsed[k];
        if (!parseInts(parsed, k, true)) return;
        int i = 0;
        ((values = parsed[i++]), ...);
    }
    void intArray(int32_t* values, int count);
    template <typename... T>
    void bareInts(T&... values) {
        constexpr int k = sizeof...(T);
        int32_t parsed[k];
        if (!parseInts(parsed, k, false)) return;
        int i = 0;
        ((values = parsed[i++]), ...);
    }
    void real(double& value);
    void decimal(double& value, int width);
    void styleColour(int32_t& style, int32_t& colour);
    template <std::size_t W>
    void text(FixedText<W>& t) {
        textIn(t, W);
    }
    template <std::size_t W>
    void textIn(FixedText<W>& t, std::size_t slot) {
        std::string_view slotBytes;
        if (!take(slot, slotBytes)) return;
        t.set(UpToZero(slotBytes));
    }
    // Reads past a slot whose contents the program does not use.
    void skip(std::size_t bytes);

    // A count read from the file: the read fails when it lies outside 0..capacity, so no loop
    // ever runs past a table. Returns the count to use (0 after a failure).
    int32_t liveCount(int32_t count, int capacity);
    // Fails the read when a grid node index of the record just read lies outside 0..99.
    void checkAxes(std::initializer_list<int32_t> indices);

    bool ok() const { return status_.ok; }
    const ModelReadStatus& status() const { return status_; }
    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    // Marks the read failed at `position` (the first failure is kept).
    void fail(std::size_t position, std::string reason);
    void failHere(std::string reason) { fail(fieldStart_, std::move(reason)); }

    static std::string_view UpToZero(std::string_view slot);

private:
    bool take(std::size_t n, std::string_view& out) {
        fieldStart_ = pos_;
        if (!status_.ok) return false;
        if (pos_ > data_.size() || data_.size() - pos_ < n) {
            failTruncated();
            return false;
        }
        out = data_.substr(pos_, n);
        pos_ += n;
        return true;
    }
    void failTruncated();
    bool parseInts(int32_t* out, int k, bool withZero);
    std::string_view data_;
    std::size_t pos_;
    std::size_t fieldStart_ = 0;
    ModelReadStatus status_;
};

// Texts of the refusals, for the reasons above.
std::string TruncatedReason(std::size_t position);

} // namespace modelfile
