// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableTextView.h"

// The time left. Its digits stand in cells of one width, and it measures the text with
// every digit made a nine, so the time keeps one size and one place while it counts down
// and the measured text bounds every time of its form.
class CountdownView : public ResizableTextView
{
    Q_OBJECT

public:
    explicit CountdownView(QWidget *parent = nullptr);

    QString maxText() const override;
};
