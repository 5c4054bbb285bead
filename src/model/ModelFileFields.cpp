#include "model/ModelFileFields.h"

#include "model/DecimalDigits.h"
#include "model/Model.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace modelfile {

namespace {

std::string At(std::size_t position) {
    return "（オフセット " + std::to_string(position) + "）";
}

bool IsBlank(char c) {
    return c == ' ';
}

// A right-aligned decimal integer filling exactly the given characters: blanks, an optional
// sign, at least one digit, nothing after the digits.
bool ParseAlignedInt(std::string_view s, long long& value) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    if (i == s.size()) return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        if (v > std::numeric_limits<long long>::max() / 100) return false;
        v = v * 10 + (s[i] - '0');
    }
    value = negative ? -v : v;
    return true;
}

// ParseAlignedInt for the five characters of an int field value: blanks, an optional sign, at
// least one digit up to the end. The five bytes are tested and converted side by side in one
// 64-bit word (byte i holds character i), as a file is mostly such fields.
inline bool ParseInt5(const char* s, int32_t& value) {
    constexpr uint64_t Ones = 0x0101010101ULL; // 0x01 in each of the five bytes
    constexpr uint64_t High = 0x80 * Ones;     // bit 7 of each byte
    constexpr uint64_t Low7 = 0x7F * Ones;
    uint32_t head;
    std::memcpy(&head, s, 4);
    const uint64_t x = head | static_cast<uint64_t>(static_cast<unsigned char>(s[4])) << 32;
    const uint64_t y = x & Low7;
    const uint64_t ascii = ~x & High; // bit 7 set where the byte is below 0x80
    // Bit 7 of each byte set where y equals the byte `c` (exact per byte, no carries).
    auto equals = [&](uint64_t c) {
        const uint64_t z = y ^ (c * Ones);
        return ~(((z & Low7) + Low7) | z | Low7) & ascii;
    };
    const uint64_t atLeast0 = (y + (0x80 - '0') * Ones) & High;
    const uint64_t above9 = (y + (0x80 - '9' - 1) * Ones) & High;
    const uint64_t digits = atLeast0 & ~above9 & ascii;
    const uint64_t blanks = equals(' ');
    const uint64_t firstDigit = digits & (0 - digits);
    // One run of digits to the end, and blanks before it, with a sign only in the byte just
    // before the digits (most fields have none).
    const bool digitRun = digits != 0 && digits == (High & ~(firstDigit - 1));
    uint64_t minus = 0, signs = 0;
    if ((digits | blanks) != High) {
        minus = equals('-');
        signs = minus | equals('+');
        if (signs != firstDigit >> 8 || (digits | signs | blanks) != High) return false;
    }
    if (!digitRun) return false;
    // Blanks have a low nibble of 0 and count as leading zeros; the sign byte is cleared. Three
    // leading '0' make eight digits, converted pairwise.
    const uint64_t signBytes = (signs >> 7) * 0xFF;
    uint64_t v = ((x & ~signBytes) << 24) | 0x303030ULL;
    v = ((v & 0x0F0F0F0F0F0F0F0FULL) * 2561) >> 8;
    v = ((v & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
    v = ((v & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32;
    const int32_t magnitude = static_cast<int32_t>(v);
    value = minus != 0 ? -magnitude : magnitude;
    return true;
}

// A decimal number with an optional sign and point ("-12.346", "5.", ".5"), nothing else, as
// an exactly rounded double: the digits make an integer N below 2^53 and the value is N / 10^k,
// one correctly rounded division, so it is the double nearest the decimal as written.
bool ParseFixedDecimal(std::string_view s, double& value) {
    static constexpr double Powers[] = {1.0, 10.0, 100.0, 1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9,  1e10,  1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && s[i] == '-') {
        negative = true;
        ++i;
    }
    long long n = 0;
    int digits = 0, fractionDigits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return false;
        if (++digits > 15) return false; // far wider than any field that holds a decimal
        n = n * 10 + (c - '0');
        if (point) ++fractionDigits;
    }
    if (digits == 0) return false;
    const double v = static_cast<double>(n) / Powers[fractionDigits];
    value = negative ? -v : v;
    return true;
}

} // namespace

long double ThousandthsHalfAway(double value) {
    // The files hold trunc(v x 1000 + 0.5) worked out in extended precision, where the product
    // is exact: 1.0005 (a double just below it) gives 1000. Rounding the double product instead
    // gives 1001, and a file saved again would change. A negative value is rounded as its
    // magnitude, so -2.8 is -2800 and not the -2799 that adding 0.5 and cutting gives.
    long double scaled = static_cast<long double>(value) * 1000.0L;
    return scaled < 0 ? -std::floor(-scaled + 0.5L) : std::floor(scaled + 0.5L);
}

int32_t RealToThousandths(double value) {
    if (!std::isfinite(value)) {
        if (std::isnan(value)) return 0;
        return value > 0 ? std::numeric_limits<int32_t>::max()
                         : std::numeric_limits<int32_t>::min();
    }
    long double n = ThousandthsHalfAway(value);
    if (n >= static_cast<long double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (n <= static_cast<long double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(n);
}

double ThousandthsToReal(long long thousandths) {
    // Divided rather than multiplied by 0.001, so 2800 gives exactly the double nearest 2.8.
    return static_cast<double>(thousandths) / 1000.0;
}

double AsSavedReal(double value) {
    return ThousandthsToReal(RealToThousandths(value));
}

using decimal::DigitsBackwards;
using decimal::Magnitude;

void PutRightAligned(char* p, long long value, int width) {
    char* first = DigitsBackwards(p + width, Magnitude(value));
    if (value < 0) *--first = '-';
    while (first > p) *--first = ' ';
}

void AppendRightAligned(std::string& out, long long value, int width) {
    char buf[24];
    char* end = buf + sizeof buf;
    char* first = DigitsBackwards(end, Magnitude(value));
    if (value < 0) *--first = '-';
    const std::size_t n = static_cast<std::size_t>(end - first);
    if (width > 0 && n < static_cast<std::size_t>(width))
        out.append(static_cast<std::size_t>(width) - n, ' ');
    out.append(first, n);
}

void PutFixed3(char* p, double value, int width) {
    // The widest values "%W.3f" holds: W - 4 integer digits, one fewer when negative. A value
    // beyond them is brought to them first, so the field never grows.
    static constexpr double Powers[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    const int intDigits = width < 5 ? 1 : (width - 4 > 9 ? 9 : width - 4);
    const double maxVal = Powers[intDigits] - 0.001;
    const double minVal = -(Powers[intDigits - 1] - 0.001);
    double v = std::isnan(value) ? 0.0 : std::fmin(std::fmax(value, minVal), maxVal);
    // What prints as zero is written without a sign: Y offsets are held negated, so a typed 0
    // is -0.0, and "-0.000" would only puzzle a reader of the file.
    if (std::fabs(v) < 0.0005) v = 0.0;
    // Rounded as "%.3f" rounds, from the value's exact binary digits, to the nearest (halves to
    // even): 1.0005 (a double just below it) is "1.000", as the files have always held it.
    const long long thousandths = decimal::RoundedScaled(v, 1000.0);
    const unsigned long long magnitude = Magnitude(thousandths);
    char* first = p + width - 4;
    const unsigned long long fraction = magnitude % 1000;
    first[0] = '.';
    first[1] = static_cast<char>('0' + fraction / 100);
    first[2] = static_cast<char>('0' + fraction / 10 % 10);
    first[3] = static_cast<char>('0' + fraction % 10);
    first = DigitsBackwards(first, magnitude / 1000);
    if (thousandths < 0) *--first = '-';
    while (first > p) *--first = ' ';
}

void AppendFixed3(std::string& out, double value, int width) {
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(width));
    PutFixed3(out.data() + at, value, width);
}

// ---- writer ----------------------------------------------------------------------------------

char* ModelFileWriter::putInt(char* p, int32_t v) {
    // A value wider than five characters would shift every later field.
    if (v < IntFieldMin) v = IntFieldMin;
    if (v > IntFieldMax) v = IntFieldMax;
    // Five characters, right-aligned: most values are small, so the digits are written from the
    // right and the rest filled with blanks.
    std::memcpy(p, "     ", IntWidth);
    uint32_t u = static_cast<uint32_t>(v < 0 ? -v : v);
    char* q = p + IntWidth;
    do {
        *--q = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (v < 0) *--q = '-';
    return p + IntWidth;
}

void ModelFileWriter::real(const double& value) {
    char* p = room(RealFieldBytes);
    PutRightAligned(p, RealToThousandths(value), 16);
    p[16] = '\0';
}

void ModelFileWriter::decimal(const double& value, int width) {
    PutFixed3(room(static_cast<std::size_t>(width)), value, width);
}

void ModelFileWriter::styleColour(const int32_t& style, const int32_t& colour) {
    char* p = room(10);
    PutRightAligned(p, style < 0 ? 0 : (style > 9 ? 9 : style), 1);
    PutRightAligned(p + 1, colour < 0 ? 0 : (colour > 99999999 ? 99999999 : colour), 8);
    p[9] = '\0';
}

void ModelFileWriter::textSlot(std::string_view text, std::size_t slot, std::size_t maxBytes) {
    const std::size_t n = cp932::keptBytes(text, maxBytes);
    char* p = room(slot);
    std::memcpy(p, text.data(), n);
    std::memset(p + n, 0, slot - n);
}

void ModelFileWriter::tag(std::string_view tag3) {
    char* p = room(4);
    std::memcpy(p, tag3.data(), 3);
    p[3] = '\0';
}

// ---- reader ----------------------------------------------------------------------------------

std::string TruncatedReason(std::size_t position) {
    return "ファイルが途中で終わっています" + At(position);
}

void ModelFileReader::fail(std::size_t position, std::string reason) {
    if (!status_.ok) return;
    status_.ok = false;
    status_.position = position;
    status_.reason = std::move(reason);
}

void ModelFileReader::failTruncated() {
    if (status_.ok) status_.endsEarly = true;
    fail(pos_, TruncatedReason(pos_));
}

std::string_view ModelFileReader::UpToZero(std::string_view slot) {
    std::size_t end = slot.find('\0');
    return end == std::string_view::npos ? slot : slot.substr(0, end);
}

bool ModelFileReader::parseInts(int32_t* out, int k, bool withZero) {
    std::string_view field;
    if (!take(static_cast<std::size_t>(IntWidth * k + (withZero ? 1 : 0)), field)) return false;
    const char* f = field.data();
    for (int i = 0; i < k; ++i) {
        if (!ParseInt5(f + IntWidth * i, out[i])) {
            fail(fieldStart_ + IntWidth * i,
                 "整数として読めない欄があります" + At(fieldStart_ + IntWidth * i));
            return false;
        }
    }
    if (withZero && field.back() != '\0') {
        fail(fieldStart_ + field.size() - 1,
             "欄の終わりの位置が正しくありません" + At(fieldStart_ + field.size() - 1));
        return false;
    }
    return true;
}

void ModelFileReader::intArray(int32_t* values, int count) {
    int32_t parsed[32];
    if (count > 32) {
        fail(pos_, "internal: int field too wide");
        return;
    }
    if (!parseInts(parsed, count, true)) return;
    std::memcpy(values, parsed, sizeof(int32_t) * static_cast<std::size_t>(count));
}

void ModelFileReader::real(double& value) {
    std::string_view field;
    if (!take(RealFieldBytes, field)) return;
    long long n = 0;
    if (!ParseAlignedInt(field.substr(0, 16), n) || n > std::numeric_limits<int32_t>::max() ||
        n < std::numeric_limits<int32_t>::min()) {
        failHere("数値として読めない欄があります" + At(fieldStart_));
        return;
    }
    if (field[16] != '\0') {
        fail(fieldStart_ + 16, "欄の終わりの位置が正しくありません" + At(fieldStart_ + 16));
        return;
    }
    value = ThousandthsToReal(n);
}

void ModelFileReader::decimal(double& value, int width) {
    std::string_view field;
    if (!take(static_cast<std::size_t>(width), field)) return;
    // The form the writer gives, "%W.3f": blanks, perhaps a minus, digits, a point and three
    // digits. Read straight as thousandths; any other form goes the general way.
    const std::size_t w = field.size();
    if (w >= 5 && field[w - 4] == '.') {
        int32_t f3 = 0;
        bool ok = true;
        for (std::size_t k = w - 3; k < w; ++k) {
            const unsigned d = static_cast<unsigned char>(field[k]) - static_cast<unsigned>('0');
            ok = ok && d <= 9;
            f3 = f3 * 10 + static_cast<int32_t>(d);
        }
        std::size_t k = w - 4;
        long long whole = 0, scale = 1;
        while (ok && k > 0 && static_cast<unsigned>(field[k - 1] - '0') <= 9) {
            whole += scale * (field[k - 1] - '0');
            scale *= 10;
            --k;
        }
        const bool negative = ok && k > 0 && field[k - 1] == '-';
        if (negative) --k;
        bool blanks = ok && scale > 1; // at least one digit before the point
        for (std::size_t b = 0; blanks && b < k; ++b) blanks = IsBlank(field[b]);
        if (blanks) {
            const double v = static_cast<double>(whole * 1000 + f3) / 1000.0;
            value = negative ? -v : v;
            return;
        }
    }
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i])) ++i;
    std::string_view number = field.substr(i);
    if (!number.empty() && number[0] == '+') number.remove_prefix(1);
    double v = 0;
    if (!ParseFixedDecimal(number, v)) {
        failHere("数値として読めない欄があります" + At(fieldStart_));
        return;
    }
    value = v;
}

void ModelFileReader::styleColour(int32_t& style, int32_t& colour) {
    std::string_view field;
    if (!take(10, field)) return;
    long long s = 0, c = 0;
    if (!ParseAlignedInt(field.substr(0, 1), s) || !ParseAlignedInt(field.substr(1, 8), c)) {
        failHere("整数として読めない欄があります" + At(fieldStart_));
        return;
    }
    if (field[9] != '\0') {
        fail(fieldStart_ + 9, "欄の終わりの位置が正しくありません" + At(fieldStart_ + 9));
        return;
    }
    style = static_cast<int32_t>(s);
    colour = static_cast<int32_t>(c);
}

void ModelFileReader::skip(std::size_t bytes) {
    std::string_view ignored;
    take(bytes, ignored);
}

int32_t ModelFileReader::liveCount(int32_t count, int capacity) {
    if (!status_.ok) return 0;
    if (count < 0 || count > capacity) {
        fail(fieldStart_,
             "要素の数が範囲を超えています（" + std::to_string(count) + "）" + At(fieldStart_));
        return 0;
    }
    return count;
}

void ModelFileReader::checkAxes(std::initializer_list<int32_t> indices) {
    if (!status_.ok) return;
    for (int32_t v : indices) {
        if (v < 0 || v >= AxisCountX) {
            fail(fieldStart_, "通り芯の番号が 0〜99 の外にあります（" + std::to_string(v) + "）" +
                                  At(fieldStart_));
            return;
        }
    }
}

} // namespace modelfile
