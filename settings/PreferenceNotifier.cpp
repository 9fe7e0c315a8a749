#include "PreferenceNotifier.h"

PreferenceNotifier &PreferenceNotifier::instance()
{
    static PreferenceNotifier notifier;
    return notifier;
}
