#pragma once

#include "ResizableTextView.h"

// The time left. It measures the text with every digit made a nine, so the time keeps one
// size and one place while it counts down.
class CountdownView : public ResizableTextView
{
    Q_OBJECT

public:
    explicit CountdownView(QWidget *parent = nullptr);

    QString maxText() const override;
};
