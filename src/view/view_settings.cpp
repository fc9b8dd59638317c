#include "view/view_settings.h"

#include "view/zoom.h"

#include "base/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace view {

namespace {
constexpr qint64 kMaxViewFileBytes = 4096;
}

QString viewSettingsPath(const QString &settingsPath) {
    const QFileInfo info(settingsPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".view"));
}

ViewSettings parseViewSettings(const QByteArray &text) {
    ViewSettings s;
    for (const QByteArray &raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) continue;
        const QByteArray key = line.left(eq).trimmed();
        const QString value = QString::fromUtf8(line.mid(eq + 1).trimmed());
        const bool flag = value == QLatin1String("1") || value == QLatin1String("true");
        const bool isFlag = flag || value == QLatin1String("0") || value == QLatin1String("false");
        if (key == "zoom") {
            if (const auto z = parseZoom(value)) {
                s.zoom = z->factor;
                s.fit = z->fit;
            }
        } else if (key == "screen") {
            s.screen = value;
        } else if (!isFlag) {
            continue;
        } else if (key == "fullscreen") {
            s.fullScreen = flag;
        } else if (key == "letterbox") {
            s.letterbox = flag;
        } else if (key == "ontop") {
            s.alwaysOnTop = flag;
        }
    }
    return s;
}

QByteArray formatViewSettings(const ViewSettings &s) {
    QByteArray out;
    out += "zoom=" + (s.fit ? QByteArray("fit") : QByteArray::number(s.zoom)) + '\n';
    out += "fullscreen=" + QByteArray(s.fullScreen ? "1" : "0") + '\n';
    out += "screen=" + s.screen.toUtf8() + '\n';
    out += "letterbox=" + QByteArray(s.letterbox ? "1" : "0") + '\n';
    out += "ontop=" + QByteArray(s.alwaysOnTop ? "1" : "0") + '\n';
    return out;
}

ViewSettings loadViewSettings(const QString &path) {
    // A view file is a few lines; anything far larger is not one, and a FIFO or a
    // device in its place is not read at all.
    const regular_file::Read read = regular_file::read(path, kMaxViewFileBytes);
    return read.ok() ? parseViewSettings(read.bytes) : ViewSettings{};
}

bool saveViewSettings(const QString &path, const ViewSettings &s) {
    QSaveFile file(path);
    const QByteArray bytes = formatViewSettings(s);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace view
