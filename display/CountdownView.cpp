// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountdownView.h"

#include "NotificationNames.h"
#include "PreferenceStore.h"

namespace {
constexpr int maxTextBytes = 11;

// Length in bytes of the UTF-8 sequence that starts with `lead`.
int sequenceLength(char lead)
{
    const auto byte = static_cast<unsigned char>(lead);
    if (byte >= 0xF0)
        return 4;
    if (byte >= 0xE0)
        return 3;
    if (byte >= 0xC0)
        return 2;
    return 1;
}
} // namespace

CountdownView::CountdownView(QWidget *parent)
    : ResizableTextView(parent)
{
    setText(QStringLiteral("%1:00").arg(PreferenceStore::preferenceSpringMinutes()));
    setKey(COUNTDOWN_DEFAULT_KEY);
    setTabularDigits(true);
}

QString CountdownView::maxText() const
{
    const QByteArray utf8 = text().toUtf8();
    QByteArray measured;
    for (int i = 0; i < utf8.size();) {
        const int length = sequenceLength(utf8.at(i));
        // Stop before a character that would not fit whole.
        if (measured.size() + length > maxTextBytes || i + length > utf8.size())
            break;
        for (int j = 0; j < length; ++j) {
            const char byte = utf8.at(i + j);
            measured.append(byte >= '0' && byte <= '9' ? '9' : byte);
        }
        i += length;
    }
    return QString::fromUtf8(measured);
}
