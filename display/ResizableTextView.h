// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextSprite.h"

#include <QFont>
#include <QPointF>
#include <QString>
#include <QVariantMap>
#include <QWidget>

inline constexpr char RESIZABLE_DEFAULT_TEXT[] = "Harrowmere Mervane Championship 2011";
inline constexpr char RESIZABLE_DEFAULT_FONT_NAME[] = "Futura-MediumItalic";

// Shows one text as large as the view allows: on every paint the font size follows the
// view's height (and, with fitWidth, its width) and the text is centred. New text arrives
// as text-changed notifications; the view takes only the entry under its own key.
//
// Geometry is kept in the view's own terms, origin at the lower-left and y growing upwards:
// point() is the lower-left corner of the text's line box. It is turned into Qt's
// coordinates only when painting.
class ResizableTextView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit ResizableTextView(QWidget *parent = nullptr);
    ~ResizableTextView() override;

    QString fontName() const { return RESIZABLE_DEFAULT_FONT_NAME; }
    // The face every view draws with, resolved once: the named face, or a free one of the
    // same kind where it is missing.
    static QFont textFont();
    QFont fontAttributes(int fontSize) const;
    QFont fontAttributes() const { return fontAttributes(_fontSize); }

    QString key() const { return _key; }
    void setKey(const QString &key);
    QString text() const { return _text; }
    void setText(const QString &text) { _text = text; }
    int fontSize() const { return _fontSize; }
    void setFontSize(int fontSize) { _fontSize = fontSize; }
    bool fitWidth() const { return _fitWidth; }
    void setFitWidth(bool fitWidth) { _fitWidth = fitWidth; }
    QPointF point() const { return _point; }

    // The text whose size governs fitting and centring.
    virtual QString maxText() const { return text(); }
    void resetFontSize();
    virtual void center();

    void handleTextChange(const QVariantMap &userInfo);

signals:
    void keyChanged();

protected:
    // Width and height of `text` drawn at `pixelSize`; tests replace it to state exact sizes.
    virtual QSizeF measure(const QString &text, double pixelSize) const;
    void setPoint(const QPointF &point) { _point = point; }
    // Measures and draws digits in cells of one width.
    void setTabularDigits(bool tabular);
    void paintEvent(QPaintEvent *event) override;

private:
    QString _text;
    QString _key;
    QPointF _point;
    int _fontSize = 0;
    bool _fitWidth = true;
    bool _tabularDigits = false;
    TextSprite _sprite;
    // The baseline origin of the last paint.
    QPoint _paintedOrigin;
    // The last text measured and its advance at the reference size: shaping a banner text
    // at every step of its scroll would cost more than drawing it.
    mutable QString _measuredText;
    mutable double _measuredAdvance = 0;
};
