#pragma once
// The colour the user sees at a point of a widget. A widget's palette is not what it paints
// (a radio paints its background from the button role, a paint box from its cache), so the
// colour is read from a grab, which paints the widget and its children as the screen would.
#include "ui/Controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPoint>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QWidget>

#include <algorithm>
#include <map>

inline QColor VisibleColour(QWidget& widget, QPoint at) {
    const QImage image = widget.grab(QRect(at, QSize(1, 1))).toImage();
    if (image.isNull()) return QColor();
    return QColor(image.pixel(0, 0));
}

// A text as the user sees it within `area` of a widget (all of it for an empty area): written
// on the commonest colour there, and as readable as its pixel that stands out most.
struct ShownText {
    QColor ground;
    double contrast = 1.0;
};
inline ShownText ShownTextIn(QWidget& widget, QRect area = {}) {
    const QImage image = widget.grab().toImage();
    area = area.isEmpty() ? image.rect() : area & image.rect();
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
    if (counts.empty()) return {};
    ShownText shown;
    shown.ground = QColor(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                              return a.second < b.second;
                          })->first);
    for (const auto& [pixel, count] : counts)
        shown.contrast = std::max(shown.contrast, ColourContrast(QColor(pixel), shown.ground));
    return shown;
}

// Where a label, button or group box writes its caption: a group box's title, a radio button's
// or check box's text beside its indicator, a push button's inside its bevel. Empty for a
// widget without a caption.
inline QRect CaptionArea(QWidget& widget) {
    QStyle* style = widget.style();
    if (auto* box = qobject_cast<QGroupBox*>(&widget)) {
        if (box->title().isEmpty()) return {};
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxLabel;
        return style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        if (button->text().isEmpty()) return {};
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement contents =
            qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
            : qobject_cast<QCheckBox*>(button)  ? QStyle::SE_CheckBoxContents
                                                : QStyle::SE_PushButtonContents;
        return style->subElementRect(contents, &option, button);
    }
    if (auto* label = qobject_cast<QLabel*>(&widget))
        return label->text().isEmpty() ? QRect() : label->rect();
    return {};
}
