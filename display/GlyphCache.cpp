// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphCache.h"

#include "FallbackLine.h"
#include "TabularText.h"

#include <QGlyphRun>
#include <QPainter>

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
    _shades.resize(256);
    for (int coverage = 0; coverage < 256; ++coverage) {
        _shades[coverage] =
            qRgba(color.red(), color.green(), color.blue(), coverage * color.alpha() / 255);
    }
}

const GlyphCache::Glyph &GlyphCache::glyph(const QRawFont &rawFont, quint32 index)
{
    const auto key = qMakePair(rawFont.familyName() + rawFont.styleName(), index);
    const auto found = _glyphs.constFind(key);
    if (found != _glyphs.constEnd())
        return *found;
    const QRect box =
        rawFont.boundingRect(index).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    // Only the glyph's coverage is drawn, a byte a pixel: black text is drawn from it as it is,
    // another colour reads it as shades of that colour (which draws slower). Huge glyphs (a 4K
    // countdown's digits) stay a byte a pixel, 3 MB rather than 12; smaller ones take full
    // colour, which draws fastest.
    QImage image(box.size() * _pixelRatio, QImage::Format_Alpha8);
    image.setDevicePixelRatio(_pixelRatio);
    image.fill(Qt::transparent);
    QGlyphRun run;
    run.setRawFont(rawFont);
    run.setGlyphIndexes({index});
    run.setPositions({QPointF(-box.topLeft())});
    // Ended before the image is kept: an image copied while painted on is copied whole.
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        painter.drawGlyphRun(QPointF(), run);
    }
    if (_color != Qt::black) {
        image.reinterpretAsFormat(QImage::Format_Indexed8);
        image.setColorTable(_shades);
    }
    if (qint64(image.width()) * image.height() < compactFromPixels)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
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
    const FallbackLine line(text, font);
    for (const QGlyphRun &run : line.layout().glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const Glyph &cached = glyph(run.rawFont(), indexes.at(i));
            const QPointF onBaseline = positions.at(i) - QPointF(0, line.ascent());
            placed->append({cached.image, onBaseline.toPoint() + cached.offset});
        }
    }
}
