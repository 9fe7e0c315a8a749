// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPair>
#include <QPoint>
#include <QRawFont>
#include <QRect>
#include <QString>

#include <memory>

class TabularText;

// Glyphs rasterised once each, for one font, colour and pixel ratio at a time. Glyphs this
// large are drawn from their outlines on every use (Qt caches only small ones), so a
// countdown that changes its text every second would otherwise rasterise all of it again.
class GlyphCache
{
public:
    // Keeps no more glyphs than this; a text of new glyphs past it starts the cache afresh.
    static constexpr int maxGlyphs = 256;
    // Glyphs of this many device pixels and more are kept a byte a pixel, not four.
    static constexpr qint64 compactFromPixels = 256 * 1024;

    struct Placed
    {
        QImage image; // shared with the cache, which may move its entries as it grows
        QPoint topLeft; // relative to the left end of the baseline
    };

    // `text` laid out in `font` (digits in cells of one width, when `tabularDigits` and the
    // face has every character), as cached glyphs whose pixels are `pixelRatio` device
    // pixels per unit, in the order of the text.
    QList<Placed> place(const QString &text, const QFont &font, const QColor &color,
        qreal pixelRatio, bool tabularDigits);

    GlyphCache();
    ~GlyphCache();

private:
    struct Glyph
    {
        QImage image;
        QPoint offset; // top-left relative to the glyph's origin on the baseline
    };

    const Glyph &glyph(const QRawFont &rawFont, quint32 index);
    void reset(const QFont &font, const QColor &color, qreal pixelRatio);
    void placeTabular(const TabularText &layout, const QString &text, QList<Placed> *placed);
    // The digit cells of the font in use, measured once per font.
    const TabularText &tabular();
    void placeProportional(const QString &text, const QFont &font, QList<Placed> *placed);

    QFont _font;
    QColor _color;
    // The colour at each of 256 coverages: the glyphs' colour table, which Qt premultiplies.
    QList<QRgb> _shades;
    qreal _pixelRatio = 0;
    QHash<QPair<QString, quint32>, Glyph> _glyphs;
    std::unique_ptr<TabularText> _tabular;
};
