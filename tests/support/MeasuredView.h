#pragma once

#include <QEvent>
#include <QObject>
#include <QSizeF>
#include <QString>

#include <functional>

// A text view whose text measurements the test states, to check its arithmetic to the unit.
template<class View>
class MeasuredView : public View
{
public:
    using View::View;

    std::function<QSizeF(const QString &text, double pixelSize)> sizeOf;

protected:
    QSizeF measure(const QString &text, double pixelSize) const override
    {
        return sizeOf ? sizeOf(text, pixelSize) : View::measure(text, pixelSize);
    }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QObject *watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};
