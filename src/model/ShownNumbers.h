#pragma once
// printf for every number the program shows or prints, on screen and on paper alike. It takes
// the formats and arguments of snprintf and writes the same text, with two differences for the
// floating conversions (%f, %e, %g, %a and their capitals):
// - a value that is not a number or infinite is written as 0, so that no text reads "nan" or
//   "inf";
// - a negative value that rounds to zero at the shown places is written without its sign, so
//   that no text reads "-0" or "-0.000".
// Writes into the caller's buffer and allocates nothing, so that the diagnosis run may use it.
#include <cstdarg>
#include <cstddef>

// As vsnprintf: writes at most size - 1 bytes and a zero byte (nothing when size is 0) and
// returns the length of the whole text.
int FormatShownV(char* out, std::size_t size, const char* format, std::va_list args);
int FormatShown(char* out, std::size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
