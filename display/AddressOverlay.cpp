// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddressOverlay.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

AddressOverlay::AddressOverlay(QWidget *display)
    : QWidget(display)
    , _hideTimer(this)
{
    hide();
    _hideTimer.setSingleShot(true);
    _hideTimer.setInterval(shownMilliseconds);
    connect(&_hideTimer, &QTimer::timeout, this, &QWidget::hide);
    // Follows the display's size, in the window and in full screen alike.
    display->installEventFilter(this);
}

void AddressOverlay::showAddress(const QString &text, const QImage &code)
{
    _text = text;
    _code = code;
    setGeometry(parentWidget()->rect());
    raise();
    show();
    update();
    _hideTimer.start();
}

bool AddressOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

// Dark modules on white, as scanners expect, in whole pixels per module so that no module
// is blurred; the text below in the room's colours.
void AddressOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const int textHeight = height() / 8;
    QRect textBox(0, height() - textHeight - height() / 20, width(), textHeight);
    if (!_code.isNull()) {
        const int room = std::min(width(), textBox.top() - height() / 20);
        const int scale = std::max(1, room / _code.width());
        const int side = scale * _code.width();
        const QRect codeBox((width() - side) / 2, (textBox.top() - side) / 2, side, side);
        painter.drawImage(codeBox, _code);
    } else {
        textBox = rect();
    }
    QFont font = painter.font();
    font.setPixelSize(std::max(8, textHeight / 2));
    const int textWidth = QFontMetrics(font).horizontalAdvance(_text);
    if (textWidth > width() * 9 / 10)
        font.setPixelSize(std::max(8, font.pixelSize() * width() * 9 / 10 / textWidth));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(textBox, Qt::AlignCenter, _text);
}
