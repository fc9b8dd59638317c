#include "automation/clipboard_state.h"

#include <QClipboard>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QMimeData>

namespace automation {

QString imageDigest(const QImage &image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 4));
    return QString::fromLatin1(hash.result().toHex());
}

QJsonObject clipboardState() {
    QJsonObject state;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard->mimeData();
    if (!data) return state;
    if (data->hasText()) state.insert(QStringLiteral("text"), data->text());
    if (data->hasImage()) {
        const QImage image = clipboard->image();
        state.insert(QStringLiteral("image"), QJsonObject{{QStringLiteral("width"), image.width()},
                                                          {QStringLiteral("height"), image.height()},
                                                          {QStringLiteral("sha1"), imageDigest(image)}});
    }
    return state;
}

}  // namespace automation
