#pragma once
// The column table of the score reports (on screen and on paper): one row a line, a value of
// every storey for X and then for Y (X 1F, X 2F, X 3F, Y 1F, Y 2F, Y 3F), the pieces of the
// storeys above the top storey left out. The X 1F piece carries the row's label, padded to 19
// bytes. Qt-free.
#include "model/Model.h"

#include <string>

// One value per storey and direction.
struct StoreyPair {
    double x[Storeys] = {};
    double y[Storeys] = {};
};

// The formats of the pieces after the label piece.
struct StoreyPieceFormats {
    const char* xMore = " %10.3f";   // X 2F, X 3F
    const char* yFirst = "  %10.3f"; // Y 1F
    const char* yMore = " %10.3f";   // Y 2F, Y 3F
};

// A row of storey columns; `labelFormat` is the X 1F piece (the label and the value's format).
std::string StoreyColumnsRow(int topStorey, const char* labelFormat, const StoreyPair& values,
                             const StoreyPieceFormats& formats = {});
// The same value in every piece.
std::string StoreyColumnsRow(int topStorey, const char* labelFormat, const double (&value)[Storeys],
                             const StoreyPieceFormats& formats = {});

// The two header rows of a section: "方向 Ｘ … Ｙ" and "階 １階 ２階 …".
std::string DirectionRow(int topStorey);
std::string StoreyHeaderRow(int topStorey);

// A storey pair from result arrays [scenario][storey] or [scenario][storey][n] (the basic case,
// index 0, of the last dimension).
namespace storeytable {
inline double Basic(double v) {
    return v;
}
template <std::size_t N>
double Basic(const double (&v)[N]) {
    return v[0];
}
} // namespace storeytable

template <typename Row>
StoreyPair PairOf(const Row (&x)[Scenarios][Storeys], const Row (&y)[Scenarios][Storeys],
                  int scenario) {
    StoreyPair p;
    for (int f = 0; f < Storeys; ++f) {
        p.x[f] = storeytable::Basic(x[scenario][f]);
        p.y[f] = storeytable::Basic(y[scenario][f]);
    }
    return p;
}
template <typename Row>
void StoreyValuesOf(const Row (&a)[Scenarios][Storeys], int scenario, double (&out)[Storeys]) {
    for (int f = 0; f < Storeys; ++f) out[f] = storeytable::Basic(a[scenario][f]);
}
