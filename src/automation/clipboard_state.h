#pragma once
// What the clipboard holds, for the state dump: its text, and its picture as size and
// a digest of the pixels, so a test can compare it with a saved picture.
#include <QImage>
#include <QJsonObject>
#include <QString>

namespace automation {

// SHA-1 (hex) of the picture's pixels as 32-bit RGB, row by row.
QString imageDigest(const QImage &image);

// {"text": ..., "image": {"width", "height", "sha1"}} (image only when there is one).
QJsonObject clipboardState();

}  // namespace automation
