// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResizableTextView.h"

#include "FallbackLine.h"
#include "NotificationCenter.h"
#include "NotificationNames.h"
#include "TabularText.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr double heightFactor = 0.8;
// Text is measured once at this size and scaled: unhinted outlines grow linearly.
constexpr double referencePixelSize = 1000.0;

QFont referenceFont()
{
    QFont font = ResizableTextView::textFont();
    font.setPixelSize(static_cast<int>(referencePixelSize));
    return font;
}

const QFontMetricsF &referenceMetrics()
{
    static const QFontMetricsF metrics(referenceFont());
    return metrics;
}

const TabularText &referenceTabular()
{
    static const TabularText layout(referenceFont());
    return layout;
}

double advanceAtReference(const QString &text, bool tabularDigits)
{
    if (tabularDigits && referenceTabular().canPlace(text))
        return referenceTabular().width(text);
    return FallbackLine(text, referenceFont()).advance();
}
} // namespace

ResizableTextView::ResizableTextView(QWidget *parent)
    : QWidget(parent)
    , _text(RESIZABLE_DEFAULT_TEXT)
    , _key(RESIZABLE_DEFAULT_KEY)
{
    NotificationCenter::defaultCenter().addObserver(this, RESIZABLE_TEXT_CHANGED_NOTIFICATION_NAME,
        [this](const QVariantMap &userInfo) { handleTextChange(userInfo); });
}

ResizableTextView::~ResizableTextView()
{
    // Leave before the widget is half torn down, not when QObject announces its end.
    NotificationCenter::defaultCenter().removeObserver(this);
}

QFont ResizableTextView::textFont()
{
    static const QFont font = [] {
        QFont resolved;
        // "Futura-MediumItalic"; machines without Futura get the Futura-like Beteckna. Letters
        // Beteckna lacks (ł, ñ, ő, Greek, Cyrillic...) come from DejaVu Sans, of its weight.
        resolved.setFamilies({QStringLiteral("Futura"), QStringLiteral("BetecknaGS"),
            QStringLiteral("DejaVu Sans")});
        resolved.setWeight(QFont::Medium);
        resolved.setItalic(true);
        resolved.setHintingPreference(QFont::PreferNoHinting);
        // Beteckna's italic substitutes a glyph it lacks for the "r" in "art" ("starts"
        // shows a box); plain glyph mapping keeps kerning and shapes the scripts that need it.
        resolved.setStyleStrategy(QFont::PreferNoShaping);
        return resolved;
    }();
    return font;
}

QFont ResizableTextView::fontAttributes(int fontSize) const
{
    QFont font = textFont();
    font.setPixelSize(qMax(1, fontSize));
    return font;
}

void ResizableTextView::setKey(const QString &key)
{
    _key = key;
    emit keyChanged();
}

QSizeF ResizableTextView::measure(const QString &text, double pixelSize) const
{
    const QFontMetricsF &metrics = referenceMetrics();
    if (text != _measuredText) {
        _measuredText = text;
        _measuredAdvance = advanceAtReference(text, _tabularDigits);
    }
    const double scale = pixelSize / referencePixelSize;
    return {_measuredAdvance * scale, metrics.height() * scale};
}

void ResizableTextView::resetFontSize()
{
    float size = static_cast<float>(height() * heightFactor);
    if (fitWidth()) {
        const double measured = measure(maxText(), size).width();
        if (measured > width() && measured > 0)
            size = static_cast<float>(size * (width() / measured));
    }
    setFontSize(static_cast<int>(size));
}

void ResizableTextView::center()
{
    const QSizeF textSize = measure(maxText(), fontSize());
    QPointF point(0, 0);
    if (width() > textSize.width())
        point.setX(static_cast<int>(width() - textSize.width()) / 2);
    if (height() > textSize.height())
        point.setY(static_cast<int>(height() - textSize.height()) / 2);
    setPoint(point);
}

void ResizableTextView::handleTextChange(const QVariantMap &userInfo)
{
    const auto entry = userInfo.constFind(key());
    if (entry == userInfo.constEnd())
        return;
    // Nine notifications in ten repeat the text on screen; those need no repaint.
    const QString text = entry->toString();
    if (text == _text)
        return;
    const QString shape = maxText();
    setText(text);
    // A text of the same shape keeps its font and place, so only the glyphs that change need
    // painting: in the last minute, the tenths, and once a second the seconds. (A resize
    // repaints the whole view anyway.)
    const std::optional<QRect> changed =
        shape == maxText() ? _sprite.changedArea(text) : std::nullopt;
    if (changed)
        update(changed->translated(_paintedOrigin));
    else
        update();
}

void ResizableTextView::setTabularDigits(bool tabular)
{
    _tabularDigits = tabular;
    _sprite.setTabularDigits(tabular);
    _measuredText.clear();
    _measuredAdvance = 0;
}

void ResizableTextView::paintEvent(QPaintEvent *event)
{
    resetFontSize();
    center();
    if (fontSize() <= 0)
        return;
    const QFont font = fontAttributes();
    // The line box's lower edge is point().y() above the bottom; the baseline sits one
    // descent above that edge.
    const double descent = referenceMetrics().descent() * fontSize() / referencePixelSize;
    const QPointF baseline(point().x(), height() - point().y() - descent);
    QPainter painter(this);
    _sprite.draw(
        painter, baseline, text(), font, palette().color(QPalette::WindowText), event->rect());
    _paintedOrigin = QPoint(qRound(baseline.x()), qRound(baseline.y()));
}
