// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextSprite.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {
// Qt splits a drawing of 96 rows or more among its thread pool and waits for the pieces: for a
// 4K digit ten times a second, waking the threads costs more than the drawing they share.
// Pieces of fewer rows it draws on the spot.
constexpr int rowsPerDrawing = 64;

void drawInPieces(QPainter &painter, const QPoint &topLeft, const QImage &image)
{
    const qreal ratio = image.devicePixelRatio();
    for (int row = 0; row < image.height(); row += rowsPerDrawing) {
        const QRect piece(0, row, image.width(), std::min(rowsPerDrawing, image.height() - row));
        painter.drawImage(QPointF(topLeft.x(), topLeft.y() + row / ratio), image, piece);
    }
}
} // namespace

void TextSprite::draw(QPainter &painter, const QPointF &baselineOrigin, const QString &text,
    const QFont &font, const QColor &color, const QRect &exposed)
{
    const qreal pixelRatio = painter.device()->devicePixelRatioF();
    if (!_rendered || text != _text || font != _font || color != _color ||
        pixelRatio != _pixelRatio)
        render(text, font, color, pixelRatio);
    const QPoint origin(qRound(baselineOrigin.x()), qRound(baselineOrigin.y()));
    for (const GlyphCache::Placed &glyph : _glyphsInPlace) {
        const QRect box(origin + glyph.topLeft, glyph.image.deviceIndependentSize().toSize());
        if (box.intersects(exposed))
            drawInPieces(painter, box.topLeft(), glyph.image);
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
    // Let go of the old glyphs first: at a new size the cache starts afresh, and at 4K the old
    // and new countdown glyphs together would take 12 MB.
    _glyphsInPlace.clear();
    _glyphsInPlace = _glyphs.place(text, font, color, pixelRatio, _tabularDigits);
}

std::optional<QRect> TextSprite::changedArea(const QString &text)
{
    if (!_rendered)
        return std::nullopt;
    const QList<GlyphCache::Placed> next =
        _glyphs.place(text, _font, _color, _pixelRatio, _tabularDigits);
    if (next.size() != _glyphsInPlace.size())
        return std::nullopt;
    const auto box = [](const GlyphCache::Placed &glyph) {
        return QRect(glyph.topLeft, glyph.image.deviceIndependentSize().toSize());
    };
    QRect changed;
    for (qsizetype i = 0; i < next.size(); ++i) {
        const GlyphCache::Placed &before = _glyphsInPlace.at(i), &after = next.at(i);
        if (before.topLeft != after.topLeft || before.image.cacheKey() != after.image.cacheKey())
            changed |= box(before) | box(after);
    }
    // The paint that follows draws this very layout: laid out once a tick, not twice.
    _text = text;
    _glyphsInPlace = next;
    return changed;
}
