// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhaseView.h"

#include "NotificationNames.h"

PhaseView::PhaseView(QWidget *parent)
    : ResizableTextView(parent)
{
    setText(PHASE_DEFAULT_TEXT);
    setKey(PHASE_DEFAULT_KEY);
}
