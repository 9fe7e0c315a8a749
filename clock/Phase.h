// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// The game calendar: season, game-year and whether the players are writing orders.
class Phase
{
    Q_DECLARE_TR_FUNCTIONS(Phase)

public:
    Phase();

    static QString SPRING();
    static QString FALL();
    static QString AFTER_WIERD_SEASON();

    int year() const { return _year; }
    void setYear(int year) { _year = year; }
    QString season() const { return _season; }
    void setSeason(const QString &season) { _season = season; }
    bool isInOrderWriting() const { return _isInOrderWriting; }
    void setIsInOrderWriting(bool isInOrderWriting) { _isInOrderWriting = isInOrderWriting; }

    bool isSpring() const;
    bool isFall() const;

    // The next season, leaving order writing as it is.
    void simpleIncrement();
    // The next phase: negotiation, then order writing unless the store says drop-dead.
    void increment();
    // The phase before, by the same rule; Spring 1901, where the calendar starts, stays.
    void decrement();
    // The last phase of its game-year: the next one starts a new year.
    bool isLastOfYear() const;

    // The phase as the room reads it, in the language in force: "Spring (Orders) 1901".
    QString description() const;

private:
    int _year;
    QString _season;
    bool _isInOrderWriting;
};
