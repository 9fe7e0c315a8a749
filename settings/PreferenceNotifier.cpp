// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreferenceNotifier.h"

PreferenceNotifier &PreferenceNotifier::instance()
{
    static PreferenceNotifier notifier;
    return notifier;
}
