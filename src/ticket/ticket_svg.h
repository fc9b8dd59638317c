#pragma once
// An SVG background made safe to draw: the pictures it links are taken in only from
// regular files inside the plug-in's folder (and only up to a size), and a drawing
// that would expand into too many elements (nested <use>) is refused.
#include <QByteArray>
#include <QString>

#include <optional>

namespace ticket {

struct SvgLimits {
    qsizetype maxElements = 20000;           // after every <use> is expanded
    qint64 maxLinkedPictureBytes = 4 << 20;  // all linked pictures together
};

struct SafeSvg {
    QByteArray bytes;  // the document with every linked picture inlined or removed
    QString problem;   // why it was refused (then `bytes` is empty), or what was left out
    bool ok = false;
};

// `folder` is where relative links are resolved and what they may not leave.
SafeSvg makeSafeSvg(const QByteArray &svg, const QString &folder, const SvgLimits &limits = {});

}  // namespace ticket
