// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QVariant>

// What an entry in a preferences field comes to: the value to store (none when it is refused)
// and the words shown beside the field either way.
struct EntryVerdict
{
    QVariant value;
    QString message;
};

// How the operator's entries are read, and what the window says of them; the bounds are the
// store's own.
class EntryRule
{
    Q_DECLARE_TR_FUNCTIONS(EntryRule)

public:
    // Any text; at the limit the field says so.
    static EntryVerdict banner(const QString &entry);
    // Any whole number of minutes an int holds; none or fewer skip the phase, and say so.
    static EntryVerdict minutes(const QString &entry);
    // A game-year, or 0 for no end.
    static EntryVerdict lastYear(const QString &entry);
    static EntryVerdict port(const QString &entry);
    // Whole minutes before a phase's end, from 0 (none) to the store's most.
    static EntryVerdict warningMinutes(const QString &entry);
    // A time of day on the 24-hour clock, "18:30".
    static EntryVerdict timeOfDay(const QString &entry);
    static EntryVerdict pin(const QString &entry);

private:
    static EntryVerdict wholeNumber(
        const QString &entry, int lowest, int highest, const QString &refusal);
};
