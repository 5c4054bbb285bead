#pragma once
// A scroll area that keeps the point of its content at the middle of its view when the view
// changes size, as drawing programs do: the window maximised by the window manager some time
// after it was first shown, restored or resized, a palette band docked under the view or
// taken away. Qt itself keeps the top left corner, so that a view centred once for a smaller
// window stands off to the right and below the middle on the larger one.
#include <QObject>
#include <QPointF>

class QScrollArea;

class ViewCentreKeeper final : public QObject {
public:
    // Watches `area`'s view and scroll bars; the area owns the keeper.
    explicit ViewCentreKeeper(QScrollArea* area);

    // Scrolls so that `point` (content pixels) stands at the middle of the view, now and after
    // every change of the view's size, until the user scrolls or the program scrolls elsewhere.
    // A point the scroll ranges cannot bring to the middle is kept all the same: a larger view
    // or content brings it there later.
    void centreOn(QPointF point);
    // The content point kept at the middle of the view.
    QPointF centre() const { return centre_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Scrolls to the kept point with the view's present size.
    void apply();
    // A scroll bar moved (the user, or the program scrolling elsewhere): the middle of the
    // view is the point to keep from now on.
    void follow();

    QScrollArea* area_;
    QPointF centre_;
    // Set while the keeper scrolls, and from a resize of the view until the events it brings
    // have been handled: the scroll ranges follow the new size only after the view's resize
    // event, and the scroll bars may appear or go after that, so that a scroll bar moving
    // meanwhile is the resize's doing, not the user's.
    bool applying_ = false;
    bool settling_ = false;
    bool settleQueued_ = false;
};
