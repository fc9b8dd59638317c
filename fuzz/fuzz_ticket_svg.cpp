// Any bytes as a ticket's SVG background: made safe or refused, then drawn, never a
// crash, a hang, or a file opened outside the plug-in's folder (the folder given here
// holds nothing, so any picture link must be left out).
#include "ticket/ticket_svg.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_ticket_svg";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ticket::SvgLimits limits;
    limits.maxElements = 2000;
    const ticket::SafeSvg safe = ticket::makeSafeSvg(bytes, QStringLiteral("/nonexistent-plugin-folder"), limits);
    if (!safe.ok) return 0;
    if (safe.bytes.contains("file:") && !bytes.contains("file:")) std::abort();  // a link the input did not have
    QImage image(64, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(safe.bytes);
    if (!svg.isValid()) return 0;
    QPainter p(&image);
    svg.render(&p, QRectF(0, 0, 64, 32));
    return 0;
}
