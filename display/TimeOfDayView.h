// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableTextView.h"

#include <QDateTime>
#include <QTimer>

#include <functional>

// The time of day on the laptop's clock, in the system's 12- or 24-hour form, set afresh at
// each new minute.
class TimeOfDayView : public ResizableTextView
{
    Q_OBJECT

public:
    using WallClock = std::function<QDateTime()>;

    explicit TimeOfDayView(QWidget *parent = nullptr);
    // Tests read the time from a clock of their own.
    void setWallClock(WallClock wallClock);
    // The time in the system's short form: "18:30", or "6:30 PM".
    static QString format(const QTime &time);

private:
    void showTime();

    WallClock _wallClock = [] { return QDateTime::currentDateTime(); };
    QTimer _minute;
};
