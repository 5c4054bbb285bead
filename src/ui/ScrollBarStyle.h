#pragma once
// The application's style with its scroll bars kept as pictures. Qt's own styles fill a scroll
// bar's groove with a gradient, and Qt's raster engine hands any fill of more than a few dozen
// rows to worker threads: waking them cost more than the rest of opening a short report. The
// picture of a scroll bar in one state is drawn once and then copied, pixel for pixel the same.
#include <QProxyStyle>

class ScrollBarStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

// Makes the style above the application's, over the style Qt chose for the desktop.
void InstallScrollBarStyle();
