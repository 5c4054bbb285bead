#pragma once
// The city's application sheets are fixed drawings: frames, lines and texts at fixed
// millimetre positions, a few of them filled from the overview settings. Each sheet is a
// constant table of drawing steps in the order they are drawn, one step a line, and this one
// renderer draws every table after the set-up all sheets share (black text on a clear white
// brush, the sheet header, a solid 0.3 mm pen).
//
// A pen or font holds until the next pen or font step. A page break starts a new page, prints
// the sheet header on it (so that the header's number counts on) and sets the 0.3 mm pen again.
// Every font is weight 800.
#include "ports/PrintDevice.h"

#include <cstdint>
#include <span>
#include <string>

namespace sheet {

enum class Step : uint8_t {
    Pen,          // solid, a: width in mm
    DashPen,      // the canvas's dash style, 1 dot wide
    Font,         // gothic, a x b mm
    VerticalFont, // vertical gothic, a x b mm, escapement -900: the text runs downwards
    Rect,         // (a, b)-(c, d)
    Line,         // (a, b)-(c, d)
    Text,         // (a, b), text
    TextField,    // (a, b), text as printf format of the CP932 value of `field`; c > 0: the
                  // right edge it must end before (a narrower font when it is too wide)
    NumberField,  // (a, b), text as printf format of the value of `number`
    PageBreak,
};

// Values of the settings a filled-in sheet prints: CP932 bytes, or a number.
using FieldText = std::string (*)();
using FieldNumber = double (*)();

// A sheet variant that an entry belongs to; 0 for every variant (see PrintSheet).
using Variant = uint8_t;
inline constexpr Variant EveryVariant = 0;

struct Entry {
    Step step;
    double a = 0, b = 0, c = 0, d = 0;
    const char* text = nullptr; // UTF-8: a text, or the format of a field
    FieldText field = nullptr;
    FieldNumber number = nullptr;
    Variant only = EveryVariant;
};

constexpr Entry Pen(double widthMm) {
    return {Step::Pen, widthMm};
}
constexpr Entry DashPen() {
    return {Step::DashPen};
}
constexpr Entry Font(double heightMm, double widthMm) {
    return {Step::Font, heightMm, widthMm};
}
constexpr Entry VerticalFont(double heightMm, double widthMm) {
    return {Step::VerticalFont, heightMm, widthMm};
}
constexpr Entry Rect(double x1, double y1, double x2, double y2) {
    return {Step::Rect, x1, y1, x2, y2};
}
constexpr Entry Line(double x1, double y1, double x2, double y2) {
    return {Step::Line, x1, y1, x2, y2};
}
constexpr Entry Text(double x, double y, const char* utf8) {
    return {Step::Text, x, y, 0, 0, utf8};
}
constexpr Entry Field(double x, double y, const char* format, FieldText field) {
    return {Step::TextField, x, y, 0, 0, format, field};
}
// A field that must end left of `rightMm`, the edge of its cell.
constexpr Entry Field(double x, double y, const char* format, FieldText field, double rightMm) {
    return {Step::TextField, x, y, rightMm, 0, format, field};
}
constexpr Entry Number(double x, double y, const char* format, FieldNumber number) {
    return {Step::NumberField, x, y, 0, 0, format, nullptr, number};
}
constexpr Entry PageBreak() {
    return {Step::PageBreak};
}
// The entry drawn only for one variant of a sheet.
constexpr Entry Only(Variant variant, Entry entry) {
    entry.only = variant;
    return entry;
}

} // namespace sheet

// The set-up every sheet starts with, then the entries of `table` for every variant and those
// for `variant`. Stops when the printer refuses a new page.
void PrintSheet(PrintDevice& device, double dotsPerMm, std::span<const sheet::Entry> table,
                sheet::Variant variant = sheet::EveryVariant);
