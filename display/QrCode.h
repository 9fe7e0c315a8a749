// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// A QR code of a short text, one pixel per module, dark on light with the quiet zone the
// standard asks for, to be scaled up without smoothing.
class QrCode
{
public:
    static constexpr int quietModules = 4;

    // A null image when the text cannot be encoded.
    static QImage image(const QString &text);
};
