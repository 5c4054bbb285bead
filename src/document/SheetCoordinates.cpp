#include "document/SheetCoordinates.h"

#include "model/AppState.h"
#include "model/Model.h"
#include "ports/Canvas.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Widgets cannot be larger than this; a damaged grid must not make the sheet larger.
constexpr int MaxSheetExtent = 16777215;

double Ppm() {
    return App.PixelsPerMetre;
}

double Origin(const double (&axes)[100]) {
    return std::isfinite(axes[0]) && axes[0] < 0.0 ? axes[0] : 0.0;
}

int Extent(const double (&axes)[100]) {
    const double span = (axes[99] - Origin(axes)) * Ppm();
    return std::clamp(TruncPixel(span), 1, MaxSheetExtent);
}

} // namespace

// ---- Sheet coordinates ----

double SheetOriginX() {
    return Origin(Doc.AxisX);
}
double SheetOriginY() {
    return Origin(Doc.AxisY);
}
int SheetPixelX(double metres) {
    return TruncPixel((metres - SheetOriginX()) * Ppm());
}
int SheetPixelY(double metres) {
    return TruncPixel((metres - SheetOriginY()) * Ppm());
}
int NodePixelX(int ix) {
    return SheetPixelX(AxisPosX(ix));
}
int NodePixelY(int iy) {
    return SheetPixelY(AxisPosY(iy));
}
double SheetMetresX(int px) {
    return px / (Ppm() > 0 ? Ppm() : 1.0) + SheetOriginX();
}
double SheetMetresY(int py) {
    return py / (Ppm() > 0 ? Ppm() : 1.0) + SheetOriginY();
}
int SheetWidthPixels() {
    return Extent(Doc.AxisX);
}
int SheetHeightPixels() {
    return Extent(Doc.AxisY);
}

// ---- Scale ----

bool ParseScale(std::string_view text, int& denominator) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    int n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return false;
    if (n < MinScaleDenominator || n > MaxScaleDenominator) return false;
    denominator = n;
    return true;
}

bool SetScale(int denominator) {
    if (denominator < MinScaleDenominator || denominator > MaxScaleDenominator) return false;
    App.ScaleDenominator = denominator;
    App.PixelsPerMetre = 4000 / denominator;
    return true;
}

int ProportionalScroll(int position, int oldMaximum, int newMaximum) {
    if (newMaximum <= 0) return 0;
    if (oldMaximum <= 0) return newMaximum / 2;
    const long long p = std::clamp(position, 0, oldMaximum);
    return static_cast<int>(p * newMaximum / oldMaximum);
}

// ---- Snapping ----

int CatchmentAxis(const double (&axes)[100], double v) {
    if (!(v > (axes[0] + axes[1]) / 2)) return 1; // also NaN
    for (int i = 1; i < 99; ++i)
        if (v <= (axes[i] + axes[i + 1]) / 2) return i;
    return 99;
}

int GapAxis(const double (&axes)[100], double v) {
    for (int i = 0; i < 99; ++i)
        if (axes[i] < v && v < axes[i + 1]) return i + 1;
    return NoAxis;
}

int NearAxis(const double (&axes)[100], double v, double tolerance) {
    for (int i = 0; i < 100; ++i)
        if (axes[i] - tolerance < v && v < axes[i] + tolerance) return i;
    return NoAxis;
}

double AxisPickTolerance() {
    return 0.000025 * App.PixelsPerMetre * App.ScaleDenominator;
}
