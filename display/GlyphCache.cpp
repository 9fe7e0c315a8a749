#include "GlyphCache.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <limits>

namespace {
// Keeps antialiased edges whole around a glyph's outline box.
constexpr int margin = 2;

struct PlacedGlyph
{
    QImage image; // shared with the cache, which may move its entries as it grows
    QPoint topLeft;
};
} // namespace

void GlyphCache::reset(const QFont &font, const QColor &color, qreal pixelRatio)
{
    _font = font;
    _color = color;
    _pixelRatio = pixelRatio;
    _glyphs.clear();
}

const GlyphCache::Glyph &GlyphCache::glyph(const QRawFont &rawFont, quint32 index)
{
    const auto key = qMakePair(rawFont.familyName() + rawFont.styleName(), index);
    const auto found = _glyphs.constFind(key);
    if (found != _glyphs.constEnd())
        return *found;
    const QRect box =
        rawFont.boundingRect(index).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage image(box.size() * _pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(_pixelRatio);
    image.fill(Qt::transparent);
    QGlyphRun run;
    run.setRawFont(rawFont);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF(-box.topLeft())});
    QPainter painter(&image);
    painter.setPen(_color);
    painter.drawGlyphRun(QPointF(), run);
    return *_glyphs.insert(key, Glyph{image, box.topLeft()});
}

QImage GlyphCache::compose(const QString &text, const QFont &font, const QColor &color,
    qreal pixelRatio, QPoint *inkOrigin)
{
    if (font != _font || color != _color || pixelRatio != _pixelRatio || _glyphs.size() > maxGlyphs)
        reset(font, color, pixelRatio);
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(std::numeric_limits<int>::max());
    layout.endLayout();

    QList<PlacedGlyph> placed;
    QRect ink;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const Glyph &cached = glyph(run.rawFont(), indexes.at(i));
            const QPointF onBaseline = positions.at(i) - QPointF(0, line.ascent());
            const QPoint topLeft = onBaseline.toPoint() + cached.offset;
            placed.append({cached.image, topLeft});
            ink |= QRect(topLeft, cached.image.deviceIndependentSize().toSize());
        }
    }
    if (ink.isEmpty())
        return QImage();
    QImage image(ink.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const PlacedGlyph &glyph : placed)
        painter.drawImage(glyph.topLeft - ink.topLeft(), glyph.image);
    *inkOrigin = ink.topLeft();
    return image;
}
