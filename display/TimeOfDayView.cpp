// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeOfDayView.h"

#include <QLocale>
#include <QRegularExpression>

TimeOfDayView::TimeOfDayView(QWidget *parent)
    : ResizableTextView(parent)
{
    setTabularDigits(true);
    _minute.setSingleShot(true);
    connect(&_minute, &QTimer::timeout, this, &TimeOfDayView::showTime);
    showTime();
}

// Hours and minutes only, whatever seconds the system's short form would add.
QString TimeOfDayView::format(const QTime &time)
{
    QString form = QLocale::system().timeFormat(QLocale::ShortFormat);
    form.remove(QRegularExpression(QStringLiteral("[:.]ss?")));
    return QLocale::system().toString(time, form);
}

void TimeOfDayView::showTime()
{
    const QTime now = QTime::currentTime();
    const QString text = format(now);
    if (text != this->text()) {
        setText(text);
        update();
    }
    // Woken just past the next minute rather than every second.
    _minute.start(60'000 - (now.second() * 1000 + now.msec()) + 10);
}
