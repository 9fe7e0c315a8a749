// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>

// A text laid out with every digit in a cell as wide as the face's widest digit, its glyph
// centred in the cell, so no digit moves unless its own value changes. The ends leave room
// for the most any digit's ink reaches past its cell (an italic leans out), so width()
// bounds the ink of every text of the same form.
class TabularText
{
public:
    struct Glyph
    {
        quint32 index;
        QPointF position; // the glyph's origin on the baseline, from the left end of width()
    };

    explicit TabularText(const QFont &font);

    // False when the face lacks a character of `text`; such a text is laid out as usual.
    bool canPlace(const QString &text) const;
    QList<Glyph> place(const QString &text) const;
    double width(const QString &text) const;
    const QRawFont &rawFont() const { return _rawFont; }

private:
    struct Metrics
    {
        quint32 index = 0;
        double advance = 0; // the room it takes: its cell, for a digit
        double offset = 0; // where its origin sits in that room
        double leftInk = 0; // how far its ink reaches left of the room, at most
        double rightInk = 0; // and right of it
    };

    Metrics metricsOf(QChar character) const;
    Metrics proportional(QChar character) const;

    QRawFont _rawFont;
    Metrics _digits[10];
    // The other characters met so far: reading a glyph's advance loads the glyph afresh, and
    // the last minute lays out its colon and point ten times a second.
    mutable QHash<QChar, Metrics> _others;
};
