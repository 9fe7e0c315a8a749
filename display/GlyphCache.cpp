// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphCache.h"

#include "TabularText.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <limits>

namespace {
// Keeps antialiased edges whole around a glyph's outline box.
constexpr int margin = 2;
} // namespace

GlyphCache::GlyphCache() = default;
GlyphCache::~GlyphCache() = default;

const TabularText &GlyphCache::tabular()
{
    if (!_tabular)
        _tabular = std::make_unique<TabularText>(_font);
    return *_tabular;
}

void GlyphCache::reset(const QFont &font, const QColor &color, qreal pixelRatio)
{
    if (font != _font)
        _tabular.reset();
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

QList<GlyphCache::Placed> GlyphCache::place(const QString &text, const QFont &font,
    const QColor &color, qreal pixelRatio, bool tabularDigits)
{
    if (font != _font || color != _color || pixelRatio != _pixelRatio || _glyphs.size() > maxGlyphs)
        reset(font, color, pixelRatio);
    QList<Placed> placed;
    if (tabularDigits && tabular().canPlace(text)) {
        placeTabular(tabular(), text, &placed);
        return placed;
    }
    placeProportional(text, font, &placed);
    return placed;
}

void GlyphCache::placeTabular(const TabularText &layout, const QString &text, QList<Placed> *placed)
{
    for (const TabularText::Glyph &each : layout.place(text)) {
        const Glyph &cached = glyph(layout.rawFont(), each.index);
        placed->append({cached.image, each.position.toPoint() + cached.offset});
    }
}

void GlyphCache::placeProportional(const QString &text, const QFont &font, QList<Placed> *placed)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(std::numeric_limits<int>::max());
    layout.endLayout();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const Glyph &cached = glyph(run.rawFont(), indexes.at(i));
            const QPointF onBaseline = positions.at(i) - QPointF(0, line.ascent());
            placed->append({cached.image, onBaseline.toPoint() + cached.offset});
        }
    }
}

QRect GlyphCache::inkOf(const QList<Placed> &glyphs)
{
    QRect ink;
    for (const Placed &glyph : glyphs)
        ink |= QRect(glyph.topLeft, glyph.image.deviceIndependentSize().toSize());
    return ink;
}

QImage GlyphCache::compose(const QList<Placed> &glyphs, const QRect &ink, qreal pixelRatio)
{
    if (ink.isEmpty())
        return QImage();
    QImage image(ink.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const Placed &glyph : glyphs)
        painter.drawImage(glyph.topLeft - ink.topLeft(), glyph.image);
    return image;
}
