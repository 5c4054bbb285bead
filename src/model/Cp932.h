#pragma once
// Texts in model files and records are CP932 (Windows Shift-JIS) bytes. They are converted
// only where they meet the user: on screen, in dialogs, in file names shown to the user.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cp932 {

// CP932 bytes to UTF-8. Bytes that are not valid CP932 become U+FFFD, so a damaged text
// still shows what it can.
std::string toUtf8(std::string_view cp932Bytes);

// UTF-8 to CP932 bytes; nothing when a character has no CP932 form.
std::optional<std::string> fromUtf8(std::string_view utf8);

// The CP932 bytes of one of the program's own texts (UTF-8 in the source). A character without
// a CP932 form would be a fault of those texts; each of its bytes becomes '?', so that the rest
// still shows and a text is never lost.
std::string programText(std::string_view utf8);

// True when the byte starts a double-byte character.
inline bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The longest prefix of at most maxBytes bytes that does not split a double-byte character.
std::size_t prefixOnBoundary(std::string_view bytes, std::size_t maxBytes);

// How many of `bytes` a field of at most maxBytes keeps: all of them when they fit, as they
// stand (a stored text ending in a lone lead byte is kept byte for byte), otherwise the
// prefix on a character boundary.
inline std::size_t keptBytes(std::string_view bytes, std::size_t maxBytes) {
    return bytes.size() <= maxBytes ? bytes.size() : prefixOnBoundary(bytes, maxBytes);
}

} // namespace cp932
