#pragma once
// The one conversion between the drawings' COLORREF values (0x00BBGGRR) and Qt colours.
#include "ports/Canvas.h"

#include <QColor>

inline QColor ColorFromRef(ColorRef c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline ColorRef RefFromColor(const QColor& c) {
    return Rgb(c.red(), c.green(), c.blue());
}
