// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GlyphCache.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QString>

class QPainter;

// One text rendered once into a pixmap and blitted at every later paint, so a repaint with
// the same text, size and colour costs a copy instead of a rasterisation of huge glyphs. A
// text too long for one pixmap keeps its glyphs in place instead and draws only those in
// the part being painted, so a banner step costs the same for any length of text.
class TextSprite
{
public:
    // Texts whose rendering would take more device pixels than this (32 MB) are not kept
    // whole.
    static constexpr qint64 maxPixels = 8 * 1024 * 1024;

    // Digits in cells of one width, so they stand still as they change.
    void setTabularDigits(bool tabular) { _tabularDigits = tabular; }

    // Draws `text` with the left end of its baseline at `baselineOrigin`, as far as it falls
    // in `exposed`.
    void draw(QPainter &painter, const QPointF &baselineOrigin, const QString &text,
        const QFont &font, const QColor &color, const QRect &exposed);

private:
    void render(const QString &text, const QFont &font, const QColor &color, qreal pixelRatio);
    void drawGlyphsIn(QPainter &painter, const QPoint &origin, const QRect &exposed) const;

    bool _tabularDigits = false;
    QString _text;
    QFont _font;
    QColor _color;
    qreal _pixelRatio = 0;
    QPixmap _pixmap;
    QPoint _offset; // top-left of the pixmap relative to the baseline origin
    QList<GlyphCache::Placed> _glyphsInPlace; // when there is no pixmap
    bool _rendered = false;
    GlyphCache _glyphs;
};
