// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

// A band along the display's edge that fills with the share of the phase gone. A tick that
// moves it repaints only the strip between its old and new ends; most ticks move it not at all.
class ProgressBand : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressBand(QWidget *parent = nullptr);

    double progress() const { return _progress; }
    void setProgress(double progress);
    // The colour of the part gone; the rest shows the display's own background.
    void setColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int filledWidth(double progress) const;

    double _progress = 0;
    QColor _color;
};
