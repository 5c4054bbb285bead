#include "ui/ViewCentre.h"

#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

ViewCentreKeeper::ViewCentreKeeper(QScrollArea* area) : QObject(area), area_(area) {
    area_->viewport()->installEventFilter(this);
    for (QScrollBar* bar : {area_->horizontalScrollBar(), area_->verticalScrollBar()}) {
        connect(bar, &QScrollBar::valueChanged, this, [this] { follow(); });
        // The range of a resize arrives after the view's resize event.
        connect(bar, &QScrollBar::rangeChanged, this, [this] {
            if (settling_) apply();
        });
    }
    follow();
}

void ViewCentreKeeper::centreOn(QPointF point) {
    if (!std::isfinite(point.x()) || !std::isfinite(point.y())) return;
    centre_ = point;
    apply();
}

bool ViewCentreKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_->viewport() && event->type() == QEvent::Resize) {
        settling_ = true;
        apply();
        if (!settleQueued_) {
            settleQueued_ = true;
            QTimer::singleShot(0, this, [this] {
                settleQueued_ = false;
                apply();
                settling_ = false;
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

namespace {
// A scroll value for `wanted`, within what a scroll bar can hold.
int ScrollValue(double wanted) {
    constexpr double limit = 1e9;
    return int(std::lround(std::clamp(wanted, -limit, limit)));
}
} // namespace

void ViewCentreKeeper::apply() {
    const QSize view = area_->viewport()->size();
    applying_ = true;
    area_->horizontalScrollBar()->setValue(ScrollValue(centre_.x() - view.width() / 2.0));
    area_->verticalScrollBar()->setValue(ScrollValue(centre_.y() - view.height() / 2.0));
    applying_ = false;
}

void ViewCentreKeeper::follow() {
    if (applying_ || settling_) return;
    const QSize view = area_->viewport()->size();
    centre_ = QPointF(area_->horizontalScrollBar()->value() + view.width() / 2.0,
                      area_->verticalScrollBar()->value() + view.height() / 2.0);
}
