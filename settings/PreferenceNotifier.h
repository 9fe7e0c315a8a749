// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

// Tells listeners which preference was just set, saved or not. The store has no instance of
// its own to carry a signal, so this one stands for it.
class PreferenceNotifier : public QObject
{
    Q_OBJECT

public:
    static PreferenceNotifier &instance();

signals:
    void changed(const QString &key);
};
