// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableTextView.h"

#include <QTimer>

// The banner: moves its text from right to left and starts it again from the right edge,
// with the stored banner text, once the text has passed out on the left. A step shifts the
// pixels already on screen and paints only the strip it uncovers.
class ScrollingView : public ResizableTextView
{
    Q_OBJECT

public:
    static constexpr int TICK_MILLISECONDS = 111;
    static constexpr double STEP = -10.0;

    explicit ScrollingView(QWidget *parent = nullptr);

    void resetPointToRight();
    void movePoint();
    // The banner keeps the position that scrolling gave it.
    void center() override { }

    const QTimer &timer() const { return _timer; }

public slots:
    void doUpdate() { movePoint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void configureTimers();

    QTimer _timer;
};
