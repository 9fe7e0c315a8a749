#include "ScrollingView.h"

#include "NotificationNames.h"
#include "PreferenceController.h"

ScrollingView::ScrollingView(QWidget *parent)
    : ResizableTextView(parent)
{
    configureTimers();
    setText(PreferenceController::preferenceMarquisText());
    setFitWidth(false);
    setKey(SCROLLING_DEFAULT_KEY);
}

void ScrollingView::configureTimers()
{
    _timer.setTimerType(Qt::PreciseTimer);
    _timer.setInterval(TICK_MILLISECONDS);
    connect(&_timer, &QTimer::timeout, this, &ScrollingView::doUpdate);
    _timer.start();
}

void ScrollingView::movePoint()
{
    QPointF moved = point();
    moved.rx() += STEP;
    setPoint(moved);
    const double textWidth = measure(text(), fontSize()).width();
    if (-textWidth > moved.x())
        resetPointToRight();
    update();
}

void ScrollingView::resetPointToRight()
{
    setPoint(QPointF(0, 0));
    setText(PreferenceController::preferenceMarquisText());
    setPoint(QPointF(width(), 0));
}
