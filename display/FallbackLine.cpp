// SPDX-License-Identifier: GPL-3.0-or-later
#include "FallbackLine.h"

#include <QHash>
#include <QPainterPath>
#include <QRawFont>

#include <limits>

namespace {

// Whether `face` draws nothing for a letter it claims to have.
bool drawsBlank(const QRawFont &face, QChar letter)
{
    static QHash<QPair<QString, char16_t>, bool> known;
    const auto key = qMakePair(face.familyName() + face.styleName(), letter.unicode());
    const auto found = known.constFind(key);
    if (found != known.constEnd())
        return *found;
    const QList<quint32> glyphs = face.glyphIndexesForString(QString(letter));
    const bool blank =
        !glyphs.isEmpty() && glyphs.first() != 0 && face.pathForGlyph(glyphs.first()).isEmpty();
    known.insert(key, blank);
    return blank;
}

QList<QTextLayout::FormatRange> blankLetters(const QString &text, const QFont &font)
{
    QList<QTextLayout::FormatRange> ranges;
    const QRawFont face = QRawFont::fromFont(font);
    if (!face.isValid() || font.families().size() < 2)
        return ranges;
    QTextCharFormat fallback;
    fallback.setFontFamilies(QStringList{font.families().last()});
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar letter = text.at(i);
        if (!letter.isSpace() && !letter.isSurrogate() && drawsBlank(face, letter))
            ranges.append({int(i), 1, fallback});
    }
    return ranges;
}

} // namespace

FallbackLine::FallbackLine(const QString &text, const QFont &font)
    : _layout(text, font)
{
    _layout.setFormats(blankLetters(text, font));
    _layout.beginLayout();
    _line = _layout.createLine();
    _line.setLineWidth(std::numeric_limits<int>::max());
    _layout.endLayout();
}
