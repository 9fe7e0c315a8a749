#pragma once

#include "GlyphCache.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QString>

class QPainter;

// One text rendered once into a pixmap and blitted at every later paint, so a repaint with
// the same text, size and colour costs a copy instead of a rasterisation of huge glyphs.
class TextSprite
{
public:
    // Texts whose rendering would take more device pixels than this (32 MB) are not kept.
    static constexpr qint64 maxPixels = 8 * 1024 * 1024;

    // Draws `text` with the left end of its baseline at `baselineOrigin`.
    void draw(QPainter &painter, const QPointF &baselineOrigin, const QString &text,
        const QFont &font, const QColor &color);

    int renderCount() const { return _renderCount; }

private:
    void render(const QString &text, const QFont &font, const QColor &color, qreal pixelRatio);

    QString _text;
    QFont _font;
    QColor _color;
    qreal _pixelRatio = 0;
    QPixmap _pixmap;
    QPoint _offset; // top-left of the pixmap relative to the baseline origin
    int _renderCount = 0;
    GlyphCache _glyphs;
};
