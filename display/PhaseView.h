// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResizableTextView.h"

inline constexpr char PHASE_DEFAULT_TEXT[] = "Spring 1901";

// The name of the phase under way.
class PhaseView : public ResizableTextView
{
    Q_OBJECT

public:
    explicit PhaseView(QWidget *parent = nullptr);
};
