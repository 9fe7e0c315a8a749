// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScrollingView.h"

#include "NotificationNames.h"
#include "PreferenceStore.h"

#include <QPaintEvent>
#include <QPainter>

ScrollingView::ScrollingView(QWidget *parent)
    : ResizableTextView(parent)
{
    configureTimers();
    setText(PreferenceStore::preferenceMarquisText());
    setFitWidth(false);
    setKey(SCROLLING_DEFAULT_KEY);
    // Painting its own background lets Qt shift the banner's pixels instead of repainting.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    if (-textWidth > moved.x()) {
        resetPointToRight();
        update();
    } else {
        scroll(static_cast<int>(STEP), 0);
    }
}

void ScrollingView::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), palette().window());
    ResizableTextView::paintEvent(event);
}

void ScrollingView::resetPointToRight()
{
    setPoint(QPointF(0, 0));
    setText(PreferenceStore::preferenceMarquisText());
    setPoint(QPointF(width(), 0));
}
