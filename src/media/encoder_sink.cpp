#include "media/encoder_sink.h"

Container containerFor(const QString &path) {
    if (path.endsWith(QLatin1String(".webm"), Qt::CaseInsensitive)) return Container::Webm;
    if (path.endsWith(QLatin1String(".mkv"), Qt::CaseInsensitive)) return Container::Mkv;
    return Container::Mp4;
}
