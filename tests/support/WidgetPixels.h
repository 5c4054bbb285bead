#pragma once
// The colour the user sees at a point of a widget. A widget's palette is not what it paints
// (a radio paints its background from the button role, a paint box from its cache), so the
// colour is read from a grab, which paints the widget and its children as the screen would.
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QWidget>

inline QColor VisibleColour(QWidget& widget, QPoint at) {
    const QImage image = widget.grab(QRect(at, QSize(1, 1))).toImage();
    if (image.isNull()) return QColor();
    return QColor(image.pixel(0, 0));
}
