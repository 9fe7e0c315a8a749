// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GlyphCache.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

// One text laid out once from glyphs rasterised once each (see GlyphCache), drawn glyph by
// glyph and only those in the part being painted: a repaint with the same text, size and
// colour costs a few copies instead of a rasterisation of huge glyphs, a banner step costs the
// same for any length of text, and a countdown repaints only the cells whose digit changed. No
// picture of the whole text is kept: at 4K a banner's would take 12 MB.
class TextSprite
{
public:
    // Digits in cells of one width, so they stand still as they change.
    void setTabularDigits(bool tabular) { _tabularDigits = tabular; }

    // Where `text` would be drawn differently from the text drawn last, relative to the
    // baseline origin: the old and new boxes of the glyphs that change. Nothing when nothing
    // was drawn yet or `text` has another number of glyphs: then all of it changes. Otherwise
    // `text` becomes the one the next draw shows, as laid out here.
    std::optional<QRect> changedArea(const QString &text);

    // Draws `text` with the left end of its baseline at `baselineOrigin`, as far as it falls
    // in `exposed`.
    void draw(QPainter &painter, const QPointF &baselineOrigin, const QString &text,
        const QFont &font, const QColor &color, const QRect &exposed);

private:
    void render(const QString &text, const QFont &font, const QColor &color, qreal pixelRatio);

    bool _tabularDigits = false;
    QString _text;
    QFont _font;
    QColor _color;
    qreal _pixelRatio = 0;
    QList<GlyphCache::Placed> _glyphsInPlace;
    bool _rendered = false;
    GlyphCache _glyphs;
};
