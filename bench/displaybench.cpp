// Prints the mean cost of one repaint of each text view, with the same text as before and
// with a changed text, at a small and a very large frame.

#include "CountdownView.h"
#include "PhaseView.h"
#include "ScrollingView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <cstdio>
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
    std::printf("%-10s %5dx%-5d %10.3f %10.3f\n", name, size.width(), size.height(), same, changed);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::printf("%-10s %11s %10s %10s\n", "view", "frame", "same ms", "changed ms");
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
    }
    return 0;
}
