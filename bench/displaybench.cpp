// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the mean cost of one repaint of each text view, with the same text as before and
// with a changed text, at a small and a very large frame.

#include "BenchTable.h"
#include "CountdownView.h"
#include "PhaseView.h"
#include "ScrollingView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <functional>

namespace {

double meanMilliseconds(int repeats, const std::function<void(int)> &step)
{
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < repeats; ++i)
        step(i);
    return clock.nsecsElapsed() / 1e6 / repeats;
}

void measure(const char *name, ResizableTextView &view, const QSize &size,
    const std::function<QString(int)> &textFor)
{
    view.resize(size);
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    const auto repaint = [&] { view.render(&target, QPoint(), QRegion(), QWidget::DrawChildren); };
    view.setText(textFor(0));
    repaint();
    const double same = meanMilliseconds(300, [&](int) {
        if (auto *banner = qobject_cast<ScrollingView *>(&view))
            banner->movePoint();
        repaint();
    });
    const double changed = meanMilliseconds(60, [&](int i) {
        view.setText(textFor(i + 1));
        repaint();
    });
    const QString run =
        QStringLiteral("repaint, %1 view %2x%3").arg(name).arg(size.width()).arg(size.height());
    BenchTable::row(run, "same text, ms", QString::number(same, 'f', 3), "<= 0.2");
    BenchTable::row(run, "changed text, ms", QString::number(changed, 'f', 3), "<= 3");
}

// One scroll step as the screen sees it: the text moves and the strip it uncovers is painted.
void measureBannerStep(const QSize &size, int textLength)
{
    ScrollingView banner;
    banner.resize(size);
    QString text;
    while (text.size() < textLength)
        text += QStringLiteral("Round %1 begins at noon in the hall. ").arg(text.size());
    text.truncate(textLength);
    banner.setText(text);
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    const QRegion strip(size.width() + static_cast<int>(ScrollingView::STEP), 0,
        -static_cast<int>(ScrollingView::STEP), size.height());
    banner.render(&target, QPoint(), QRegion(), QWidget::DrawChildren);
    const double step = meanMilliseconds(300, [&](int) {
        banner.movePoint();
        banner.render(&target, strip.boundingRect().topLeft(), strip, QWidget::DrawChildren);
    });
    const QString run = QStringLiteral("banner step, %1x%2").arg(size.width()).arg(size.height());
    BenchTable::row(run, QStringLiteral("%1-character text, ms").arg(textLength),
        QString::number(step, 'f', 3), "<= 0.2");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    for (const QSize size : {QSize(1280, 720), QSize(3840, 2160)}) {
        CountdownView countdown;
        measure("countdown", countdown, size,
            [](int i) { return QStringLiteral("9:%1").arg(59 - i % 60, 2, 10, QChar('0')); });
        PhaseView phase;
        measure("phase", phase, size, [](int i) {
            return i % 2 ? QStringLiteral("Fall (Orders) 1901") : QStringLiteral("Spring 1902");
        });
        ScrollingView banner;
        measure("banner", banner, size,
            [](int i) { return QStringLiteral("Round %1 begins at noon in the hall").arg(i); });
        for (int length : {36, 2000})
            measureBannerStep(size, length);
    }
    return 0;
}
