#include "reports/ReportLines.h"

#include "model/Cp932.h"
#include "model/ShownNumbers.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

namespace {

// The CP932 form of a format literal, converted on its first use. Keyed by the literal's
// address; the UTF-8 text is kept beside it, so that a format that is not a literal (a buffer
// used again with other text) is converted anew rather than taken from the cache.
const std::string& Cp932FormatOf(const char* utf8) {
    static std::map<const char*, std::pair<std::string, std::string>> cache;
    auto it = cache.find(utf8);
    if (it != cache.end() && it->second.first == utf8) return it->second.second;
    auto& entry = cache[utf8];
    entry = {utf8, cp932::programText(utf8)};
    return entry.second;
}

} // namespace

std::string ReportText(const char* utf8) {
    return Cp932FormatOf(utf8 ? utf8 : "");
}

std::string ReportFormatV(const char* utf8Format, std::va_list args) {
    const std::string& format = Cp932FormatOf(utf8Format ? utf8Format : "");
    std::va_list measure;
    va_copy(measure, args);
    const int n = FormatShownV(nullptr, 0, format.c_str(), measure);
    va_end(measure);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    FormatShownV(out.data(), out.size(), format.c_str(), args);
    out.resize(static_cast<std::size_t>(n));
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) c = ' ';
    }
    return out;
}

std::string ReportFormat(const char* utf8Format, ...) {
    std::va_list args;
    va_start(args, utf8Format);
    std::string out = ReportFormatV(utf8Format, args);
    va_end(args);
    return out;
}

void ReportLines::add(ReportLineKind kind, int advance, std::string text) {
    lines.push_back({kind, std::move(text), font_, colour_, advance});
}

int PaintReportLines(Canvas& canvas, const std::vector<ReportLine>& lines, int x, int y0) {
    int y = y0;
    CanvasFont font = canvas.font();
    bool first = true;
    for (const ReportLine& line : lines) {
        y += line.advance;
        if (first || font.height != line.font.height || font.width != line.font.width ||
            font.face != line.font.face || font.colour != line.colour) {
            font.height = line.font.height;
            font.width = line.font.width;
            font.escapement = 0;
            font.weight = 400;
            font.italic = false;
            font.face = line.font.face;
            font.colour = line.colour;
            canvas.setFont(font);
            first = false;
        }
        // A line wholly out of sight is left out; a glyph may stand a little beyond its cell.
        const int h = line.font.height;
        if (!line.text.empty() && canvas.mayShow(y - h, y + 2 * h))
            canvas.textOut(x, y, line.text);
    }
    return y;
}
