#include "ui/StatusHints.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>

namespace {

QPointer<QStatusBar>& Bar() {
    static QPointer<QStatusBar> bar;
    return bar;
}

class HintForwarder final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::StatusTip) return false;
        QStatusBar* bar = Bar();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!bar || !widget) return false;
        // Within the bar's own window Qt delivers the tip itself; the tip of a widget in another
        // window would die at that window.
        if (widget->window() == bar->window()) return false;
        SetStatusText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
};

} // namespace

void InstallStatusHints(QStatusBar* bar) {
    Bar() = bar;
    static HintForwarder* forwarder = nullptr;
    if (!forwarder && qApp) {
        forwarder = new HintForwarder(qApp);
        qApp->installEventFilter(forwarder);
    }
}

void SetStatusText(const QString& text) {
    QStatusBar* bar = Bar();
    if (!bar) return;
    bar->showMessage(text);
    bar->repaint();
}

QString StatusText() {
    QStatusBar* bar = Bar();
    return bar ? bar->currentMessage() : QString();
}
