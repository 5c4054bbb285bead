#pragma once
// The text lines of the result reports. A report is built once as a list of lines, each with
// its kind, font, colour and advance (how far the line position moves down before the line is
// written), so that the screen places them in pixels and the printed pages in millimetres.
//
// Texts are CP932 bytes, so that the widths of the fixed-pitch columns count bytes, a
// full-width character two. Qt-free.
#include "model/ColorRef.h"
#include "ports/Canvas.h"

#include <cstdarg>
#include <string>
#include <vector>

// What a line is, so that a printed page can give each kind its own pitch: a table's header,
// a row, a rule, a total, a blank (or a gap of its advance); the title of a report or storey
// block, the heading of a section, a line of a quarter-strip block, and a row between two line
// rows of the floor check.
enum class ReportLineKind { Header, Row, Rule, Total, Blank, Title, Section, Quarter, Strip };

// The fonts of the reports: "ＭＳ ゴシック" at a size in pixels.
struct ReportFont {
    int height = 16;
    int width = 8;
    const char* face = "ＭＳ ゴシック"; // UTF-8
    bool operator==(const ReportFont&) const = default;
};

struct ReportLine {
    ReportLineKind kind = ReportLineKind::Row;
    std::string text; // CP932
    ReportFont font;
    ColorRef colour = 0x000000;
    int advance = 0; // pixels on the screen
};

// printf into CP932 bytes. The format is a UTF-8 literal; it is converted to CP932 once (the
// conversion is kept for the next call) and then given to vsnprintf, so that its field widths
// count CP932 bytes. Arguments given to %s are CP932 already. Numbers are written as
// FormatShown writes them: never "nan", "inf" or "-0". A control character in the result
// (a tab or a line break from a file's text) becomes one blank, so that it cannot move the
// columns that follow.
std::string ReportFormat(const char* utf8Format, ...) __attribute__((format(printf, 1, 2)));
// A text without arguments: the CP932 form of a UTF-8 literal, converted once.
std::string ReportText(const char* utf8);
std::string ReportFormatV(const char* utf8Format, std::va_list args);

class ReportLines {
public:
    std::vector<ReportLine> lines;

    // Lines from here on take this font and colour.
    void setFont(const ReportFont& font) { font_ = font; }
    void setColour(ColorRef colour) { colour_ = colour; }

    void add(ReportLineKind kind, int advance, std::string text);
    void add(int advance, std::string text) { add(ReportLineKind::Row, advance, std::move(text)); }

private:
    ReportFont font_;
    ColorRef colour_ = 0x000000;
};

// Writes the lines at x from the line position y0: for every line the position first moves
// down by its advance and the line is then written there. Returns the position of the last
// line (y0 when there is none).
int PaintReportLines(Canvas& canvas, const std::vector<ReportLine>& lines, int x, int y0);
