#pragma once
// The one reading of numbers the user types into edits and combo boxes. Japanese input
// methods often leave full-width characters, so the digits "０".."９", the signs "＋", "－"
// and "−", the point "．" and the full-width blank count as their ASCII forms. A number is an
// optional sign, digits with at most one point and an optional exponent ("1e3"; never "inf"
// or "nan"); it must be finite. Plain C++: the forms read their texts through here, the tests need
// no window.
#include <optional>
#include <string>
#include <string_view>

// The text with the full-width forms above turned into ASCII; every other non-ASCII character
// becomes 0x01, which no number contains.
std::string NumberText(std::string_view utf8);

// The whole text (blanks around it allowed) as a number; nothing for an empty text, a text that
// is not one number or a value that is not finite.
std::optional<double> ParseNumber(std::string_view utf8);

// The same, nothing also when the value lies outside [low, high].
std::optional<double> ParseNumber(std::string_view utf8, double low, double high);

// Whether a number may carry an exponent. Without one, "1e5" reads as 1 followed by text.
enum class NumberExponent { Read, Ignored };

// The number at the start of the text (leading blanks skipped), whatever follows it; nothing
// when the text does not start with one.
std::optional<double> ParseLeadingNumber(std::string_view utf8,
                                         NumberExponent exponent = NumberExponent::Read);
