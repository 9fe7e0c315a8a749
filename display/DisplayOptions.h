// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPalette>

class ProgressBand;
class QWidget;

// Shows what the preferences turn on besides the three texts (the progress band, the line that
// names the next phase, the time of day) and puts the display in its warning stage when the
// clock's outlook says so: light letters on a dark ground, so that the stage tells apart in
// greyscale and to a colour-blind eye, not by its colour alone.
class DisplayOptions : public QObject
{
    Q_OBJECT

public:
    static constexpr QRgb warningGround = 0x141414, warningText = 0xffc233;
    // The band's thickness, as a share of the display's height, and at least a few pixels.
    static constexpr int bandShare = 90, leastBandPixels = 6;

    DisplayOptions(QWidget *display, ProgressBand *band, QWidget *nextPhase, QWidget *timeOfDay);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyPreferences();
    void setWarning(bool warning);

    QWidget *_display;
    ProgressBand *_band;
    QWidget *_nextPhase;
    QWidget *_timeOfDay;
    QPalette _usual;
    bool _warning = false;
};
