#include "TextSprite.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

void TextSprite::draw(QPainter &painter, const QPointF &baselineOrigin, const QString &text,
    const QFont &font, const QColor &color)
{
    const qreal pixelRatio = painter.device()->devicePixelRatioF();
    if (_renderCount == 0 || text != _text || font != _font || color != _color ||
        pixelRatio != _pixelRatio)
        render(text, font, color, pixelRatio);
    const QPoint origin(qRound(baselineOrigin.x()), qRound(baselineOrigin.y()));
    if (!_pixmap.isNull()) {
        painter.drawPixmap(origin + _offset, _pixmap);
    } else if (!text.isEmpty()) {
        // Too large to keep: draw it afresh each time rather than hold a huge pixmap.
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(origin, text);
    }
}

void TextSprite::render(
    const QString &text, const QFont &font, const QColor &color, qreal pixelRatio)
{
    _text = text;
    _font = font;
    _color = color;
    _pixelRatio = pixelRatio;
    ++_renderCount;
    _pixmap = QPixmap();

    const QSizeF box = QFontMetricsF(font).boundingRect(text).size() * pixelRatio;
    if (text.isEmpty() || box.width() * box.height() > maxPixels)
        return;
    QImage image = _glyphs.compose(text, font, color, pixelRatio, &_offset);
    if (!image.isNull())
        _pixmap = QPixmap::fromImage(std::move(image));
}
