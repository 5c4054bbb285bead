#include "print/PrintSheet.h"

#include "model/ShownNumbers.h"
#include "print/PrintFrame.h"

#include <cstdio>

namespace {

constexpr const char* VerticalGothicFace = "@ＭＳ ゴシック";
constexpr int SheetFontWeight = 800;

void SolidPen(PrintDevice& device, double dotsPerMm, double widthMm) {
    device.canvas().setPen(0x000000, TruncPixel(widthMm * dotsPerMm), PenStyle::Solid);
}

void SetUp(PrintDevice& device, double dotsPerMm) {
    Canvas& canvas = device.canvas();
    BlackTextOnClearBrush(canvas);
    PrintSheetHeader(device, dotsPerMm);
    SolidPen(device, dotsPerMm, 0.3);
}

// The field's value in its format, CP932 bytes.
std::string FieldText(const sheet::Entry& e) {
    const std::string format = Sj(e.text);
    char text[256];
    if (e.step == sheet::Step::NumberField)
        FormatShown(text, sizeof text, format.c_str(), e.number());
    else
        std::snprintf(text, sizeof text, format.c_str(), e.field().c_str());
    return text;
}

} // namespace

void PrintSheet(PrintDevice& device, double dotsPerMm, std::span<const sheet::Entry> table,
                sheet::Variant variant) {
    using sheet::Step;
    const double d = dotsPerMm;
    SetUp(device, d);
    Canvas& canvas = device.canvas();
    for (const sheet::Entry& e : table) {
        if (e.only != sheet::EveryVariant && e.only != variant) continue;
        switch (e.step) {
        case Step::Pen:
            SolidPen(device, d, e.a);
            break;
        case Step::DashPen:
            canvas.setPen(0x000000, 1, PenStyle::Dash);
            break;
        case Step::Font:
            canvas.setFont(MmFont(d, e.a, e.b, SheetFontWeight));
            break;
        case Step::VerticalFont: {
            CanvasFont font = MmFont(d, e.a, e.b, SheetFontWeight, VerticalGothicFace);
            font.escapement = -900;
            canvas.setFont(font);
            break;
        }
        case Step::Rect:
            RectMm(device, d, e.a, e.b, e.c, e.d);
            break;
        case Step::Line:
            LineMm(device, d, e.a, e.b, e.c, e.d);
            break;
        case Step::Text:
            TextOutMm(device, d, e.a, e.b, Sj(e.text));
            break;
        case Step::TextField:
        case Step::NumberField:
            if (e.c > 0)
                TextOutMmWithin(device, d, e.a, e.b, e.c, FieldText(e));
            else
                TextOutMm(device, d, e.a, e.b, FieldText(e));
            break;
        case Step::PageBreak:
            if (!device.newPage()) return;
            PrintSheetHeader(device, d);
            SolidPen(device, d, 0.3);
            break;
        }
    }
}
