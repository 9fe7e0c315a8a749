// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Util
{
public:
    // True when `substring` occurs in `string` by a literal, case-sensitive search. An empty
    // substring is never found.
    static bool contains(const QString &string, const QString &substring);

    // Posts `name` on the default center with exactly one user-info entry, `value` under
    // `key`. A post without a key or a value would reach its observers empty: it is dropped.
    static void postNotification(const QString &name, const QString &key, const QString &value);

    // `value` truncated toward zero and clamped to the 32-bit range; NaN gives 0.
    static int saturatedInt(double value);
};
