#include "model/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace cp932 {
namespace {

// iconv with error reporting; `replaceInvalid` decides between skipping bad input with a
// replacement and failing on it.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   bool replaceInvalid, std::string_view replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    char buf[256];
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char* outPtr = buf;
        std::size_t outLeft = sizeof buf;
        std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buf, static_cast<std::size_t>(outPtr - buf));
        if (r == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) continue;
            if (!replaceInvalid) {
                ok = false;
                break;
            }
            // EILSEQ or EINVAL (a lone lead byte at the end): skip one byte.
            out.append(replacement);
            ++inPtr;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

} // namespace

std::string toUtf8(std::string_view bytes) {
    auto r = convert("UTF-8", "CP932", bytes, true, "\xEF\xBF\xBD");
    return r ? *r : std::string();
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
    return convert("CP932", "UTF-8", utf8, false, {});
}

std::string programText(std::string_view utf8) {
    auto r = convert("CP932", "UTF-8", utf8, true, "?");
    return r ? *r : std::string(utf8.size(), '?');
}

std::size_t prefixOnBoundary(std::string_view bytes, std::size_t maxBytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t step = isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + step > maxBytes || i + step > bytes.size()) break;
        i += step;
    }
    return i;
}

} // namespace cp932
