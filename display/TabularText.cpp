// SPDX-License-Identifier: GPL-3.0-or-later
#include "TabularText.h"

#include <algorithm>

namespace {
// A countdown uses a handful; text of any other kind could bring many.
constexpr qsizetype maxRememberedCharacters = 64;

bool isDigit(QChar character)
{
    return character >= QLatin1Char('0') && character <= QLatin1Char('9');
}
} // namespace

TabularText::TabularText(const QFont &font)
    : _rawFont(QRawFont::fromFont(font))
{
    double cell = 0;
    for (int digit = 0; digit < 10; ++digit) {
        _digits[digit] = proportional(QChar('0' + digit));
        cell = std::max(cell, _digits[digit].advance);
    }
    // Every digit gets the same cell and the same room at the ends: the most any digit needs.
    double leftInk = 0;
    double rightInk = 0;
    for (Metrics &digit : _digits) {
        digit.offset = (cell - digit.advance) / 2;
        leftInk = std::max(leftInk, digit.leftInk - digit.offset);
        rightInk = std::max(rightInk, digit.rightInk - (cell - digit.advance - digit.offset));
        digit.advance = cell;
    }
    for (Metrics &digit : _digits) {
        digit.leftInk = leftInk;
        digit.rightInk = rightInk;
    }
}

TabularText::Metrics TabularText::proportional(QChar character) const
{
    Metrics metrics;
    const QList<quint32> indexes = _rawFont.glyphIndexesForString(QString(character));
    if (indexes.size() != 1)
        return metrics;
    metrics.index = indexes.first();
    metrics.advance = _rawFont.advancesForGlyphIndexes(indexes).first().x();
    const QRectF ink = _rawFont.boundingRect(metrics.index);
    metrics.leftInk = std::max(0.0, -ink.left());
    metrics.rightInk = std::max(0.0, ink.right() - metrics.advance);
    return metrics;
}

TabularText::Metrics TabularText::metricsOf(QChar character) const
{
    if (isDigit(character))
        return _digits[character.unicode() - '0'];
    const auto known = _others.constFind(character);
    if (known != _others.constEnd())
        return *known;
    if (_others.size() >= maxRememberedCharacters)
        _others.clear();
    return *_others.insert(character, proportional(character));
}

bool TabularText::canPlace(const QString &text) const
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [this](QChar character) {
        return !character.isSurrogate() && _rawFont.supportsCharacter(character);
    });
}

QList<TabularText::Glyph> TabularText::place(const QString &text) const
{
    QList<Glyph> glyphs;
    double pen = text.isEmpty() ? 0 : metricsOf(text.front()).leftInk;
    for (QChar character : text) {
        const Metrics metrics = metricsOf(character);
        glyphs.append({metrics.index, QPointF(pen + metrics.offset, 0)});
        pen += metrics.advance;
    }
    return glyphs;
}

double TabularText::width(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    double width = metricsOf(text.front()).leftInk + metricsOf(text.back()).rightInk;
    for (QChar character : text)
        width += metricsOf(character).advance;
    return width;
}
