#pragma once
// A QR code of a text (the remote page's address), drawn by zint: black modules on
// white with the quiet zone, each module `modulePixels` square.
#include <QImage>
#include <QString>

namespace remote {

// A null image when the text does not fit a QR code.
QImage qrCode(const QString &text, int modulePixels);

}  // namespace remote
