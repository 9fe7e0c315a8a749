// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressBand.h"

#include "NotificationCenter.h"
#include "NotificationNames.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

ProgressBand::ProgressBand(QWidget *parent)
    : QWidget(parent)
    , _color(palette().color(QPalette::Highlight))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    NotificationCenter::defaultCenter().addObserver(
        this, OUTLOOK_NOTIFICATION_NAME, [this](const QVariantMap &outlook) {
            setProgress(outlook.value(PROGRESS_KEY).toDouble());
        });
}

void ProgressBand::setProgress(double progress)
{
    const int before = filledWidth(_progress), after = filledWidth(progress);
    _progress = progress;
    if (before != after)
        update(std::min(before, after), 0, std::abs(after - before), height());
}

void ProgressBand::setColor(const QColor &color)
{
    if (color == _color)
        return;
    _color = color;
    update();
}

int ProgressBand::filledWidth(double progress) const
{
    return int(std::lround(progress * width()));
}

void ProgressBand::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const int filled = filledWidth(_progress);
    const QRect exposed = event->rect();
    painter.fillRect(exposed.intersected(QRect(0, 0, filled, height())), _color);
    painter.fillRect(
        exposed.intersected(QRect(filled, 0, width() - filled, height())), palette().window());
}
