// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QTextLayout>

// One line of text laid out in a face and its fallbacks. Qt hands a letter to the next face
// when the first has no glyph for it; a face can also map a letter to an empty outline
// (Beteckna's "ś"), which Qt takes as drawn. Those letters go to the last face named too.
class FallbackLine
{
public:
    FallbackLine(const QString &text, const QFont &font);

    const QTextLayout &layout() const { return _layout; }
    double ascent() const { return _line.ascent(); }
    double advance() const { return _line.naturalTextWidth(); }

private:
    QTextLayout _layout;
    QTextLine _line;
};
