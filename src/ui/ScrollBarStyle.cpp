#include "ui/ScrollBarStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOptionSlider>

namespace {

// Everything of the option and the device that a style may draw a scroll bar from.
QString KeyOf(const QStyleOptionSlider& o, const QPainter& painter, const QWidget* widget) {
    return QStringLiteral(
               "velquor-scrollbar-%1x%2-%3-%4-%5-%6-%7-%8-%9-%10-%11-%12-%13-%14-%15-%16")
        .arg(o.rect.width())
        .arg(o.rect.height())
        .arg(int(o.state))
        .arg(int(o.subControls))
        .arg(int(o.activeSubControls))
        .arg(int(o.orientation))
        .arg(o.minimum)
        .arg(o.maximum)
        .arg(o.sliderPosition)
        .arg(o.pageStep)
        .arg(int(o.upsideDown))
        .arg(int(o.direction))
        .arg(o.palette.cacheKey())
        .arg(painter.device() ? painter.device()->devicePixelRatio() : 1.0)
        .arg(quintptr(widget ? widget->metaObject() : nullptr))
        .arg(int(o.sliderValue));
}

} // namespace

void ScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    // Only plain drawing at the painter's own scale is copied: anything else is drawn as usual.
    if (control != CC_ScrollBar || !bar || !painter || bar->rect.isEmpty() ||
        painter->transform().type() > QTransform::TxTranslate) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QString key = KeyOf(*bar, *painter, widget);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        picture = QPixmap(bar->rect.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QStyleOptionSlider at(*bar);
        at.rect.moveTo(0, 0);
        {
            QPainter p(&picture);
            QProxyStyle::drawComplexControl(control, &at, &p, widget);
        }
        QPixmapCache::insert(key, picture);
    }
    painter->drawPixmap(bar->rect.topLeft(), picture);
}

void InstallScrollBarStyle() {
    // The application owns the style from here on.
    QApplication::setStyle(new ScrollBarStyle(QApplication::style()->name()));
}
