#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPair>
#include <QPoint>
#include <QRawFont>
#include <QString>

// Glyphs rasterised once each, for one font, colour and pixel ratio at a time. Glyphs this
// large are drawn from their outlines on every use (Qt caches only small ones), so a
// countdown that changes its text every second would otherwise rasterise all of it again.
class GlyphCache
{
public:
    // Keeps no more glyphs than this; a text of new glyphs past it starts the cache afresh.
    static constexpr int maxGlyphs = 256;

    // `text` laid out in `font` and put together from cached glyphs into one image whose
    // pixels are `pixelRatio` device pixels per unit; `inkOrigin` receives the image's
    // top-left relative to the left end of the baseline. A null image when there is no ink.
    QImage compose(const QString &text, const QFont &font, const QColor &color, qreal pixelRatio,
        QPoint *inkOrigin);

private:
    struct Glyph
    {
        QImage image;
        QPoint offset; // top-left relative to the glyph's origin on the baseline
    };

    const Glyph &glyph(const QRawFont &rawFont, quint32 index);
    void reset(const QFont &font, const QColor &color, qreal pixelRatio);

    QFont _font;
    QColor _color;
    qreal _pixelRatio = 0;
    QHash<QPair<QString, quint32>, Glyph> _glyphs;
};
