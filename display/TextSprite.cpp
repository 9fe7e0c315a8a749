// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextSprite.h"

#include <QPaintDevice>
#include <QPainter>

void TextSprite::draw(QPainter &painter, const QPointF &baselineOrigin, const QString &text,
    const QFont &font, const QColor &color, const QRect &exposed)
{
    const qreal pixelRatio = painter.device()->devicePixelRatioF();
    if (!_rendered || text != _text || font != _font || color != _color ||
        pixelRatio != _pixelRatio)
        render(text, font, color, pixelRatio);
    const QPoint origin(qRound(baselineOrigin.x()), qRound(baselineOrigin.y()));
    if (!_pixmap.isNull())
        painter.drawPixmap(origin + _offset, _pixmap);
    else
        drawGlyphsIn(painter, origin, exposed);
}

void TextSprite::drawGlyphsIn(QPainter &painter, const QPoint &origin, const QRect &exposed) const
{
    for (const GlyphCache::Placed &glyph : _glyphsInPlace) {
        const QRect box(origin + glyph.topLeft, glyph.image.deviceIndependentSize().toSize());
        if (box.intersects(exposed))
            painter.drawImage(box.topLeft(), glyph.image);
    }
}

void TextSprite::render(
    const QString &text, const QFont &font, const QColor &color, qreal pixelRatio)
{
    _text = text;
    _font = font;
    _color = color;
    _pixelRatio = pixelRatio;
    _rendered = true;
    _pixmap = QPixmap();
    _glyphsInPlace = _glyphs.place(text, font, color, pixelRatio, _tabularDigits);
    const QRect ink = GlyphCache::inkOf(_glyphsInPlace);
    const QSizeF box = QSizeF(ink.size()) * pixelRatio;
    if (box.width() * box.height() > maxPixels)
        return;
    _offset = ink.topLeft();
    QImage image = GlyphCache::compose(_glyphsInPlace, ink, pixelRatio);
    _glyphsInPlace.clear();
    if (!image.isNull())
        _pixmap = QPixmap::fromImage(std::move(image));
}
