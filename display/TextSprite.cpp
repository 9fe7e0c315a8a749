#include "TextSprite.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <QtMath>

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

    // A margin around the font's box keeps antialiased edges and italic overhangs whole.
    constexpr int margin = 2;
    const QRect box = QFontMetricsF(font).boundingRect(text).toAlignedRect().adjusted(
        -margin, -margin, margin, margin);
    const QSize pixels = box.size() * pixelRatio;
    if (text.isEmpty() || qint64(pixels.width()) * pixels.height() > maxPixels)
        return;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(-box.topLeft(), text);
    }
    // The font's box is far taller than the ink of most texts; every blit pays for its area.
    const QRect ink = inkBounds(image);
    if (ink.isEmpty())
        return;
    _pixmap = QPixmap::fromImage(image.copy(ink));
    _pixmap.setDevicePixelRatio(pixelRatio);
    _offset =
        box.topLeft() + QPoint(qFloor(ink.left() / pixelRatio), qFloor(ink.top() / pixelRatio));
}

QRect TextSprite::inkBounds(const QImage &image)
{
    const int width = image.width(), height = image.height();
    int top = height, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int first = 0;
        while (first < width && qAlpha(row[first]) == 0)
            ++first;
        if (first == width)
            continue;
        int last = width - 1;
        while (qAlpha(row[last]) == 0)
            --last;
        top = qMin(top, y);
        bottom = y;
        left = qMin(left, first);
        right = qMax(right, last);
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
