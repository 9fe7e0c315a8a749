// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

// Covers the display for a while with an address and its QR code, large enough to be read
// and scanned from a few metres; a message alone when there is no code to show.
class AddressOverlay : public QWidget
{
    Q_OBJECT

public:
    static constexpr int shownMilliseconds = 30'000;

    explicit AddressOverlay(QWidget *display);

    // Shows `text` over the whole display, with `code` above it when it is not null, and
    // hides it again after shownMilliseconds.
    void showAddress(const QString &text, const QImage &code);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString _text;
    QImage _code;
    QTimer _hideTimer;
};
