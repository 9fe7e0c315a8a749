// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableTextView.h"

#include <QTime>
#include <QTimer>

// The time of day on the laptop's clock, in the system's 12- or 24-hour form, set afresh at
// each new minute.
class TimeOfDayView : public ResizableTextView
{
    Q_OBJECT

public:
    explicit TimeOfDayView(QWidget *parent = nullptr);
    // The time in the system's short form: "18:30", or "6:30 PM".
    static QString format(const QTime &time);

private:
    void showTime();

    QTimer _minute;
};
