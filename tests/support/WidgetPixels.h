#pragma once
// What the user sees of a widget: the colour of one pixel of its rendering, background,
// style and children included (a palette entry says nothing about what is painted).
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

inline QColor VisibleColour(QWidget& widget, QPoint at) {
    return widget.grab().toImage().pixelColor(at);
}
