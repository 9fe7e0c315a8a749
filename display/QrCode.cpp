// SPDX-License-Identifier: GPL-3.0-or-later
#include "QrCode.h"

#include <qrencode.h>

#include <memory>

QImage QrCode::image(const QString &text)
{
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(text.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1),
        &QRcode_free);
    if (!code)
        return QImage();
    const int side = code->width + 2 * quietModules;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < code->width; ++y) {
        for (int x = 0; x < code->width; ++x) {
            // The low bit of each module says whether it is dark.
            if (code->data[y * code->width + x] & 1)
                image.setPixel(x + quietModules, y + quietModules, qRgb(0, 0, 0));
        }
    }
    return image;
}
