#include "media/tape_follow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString tapeOptionsPath(const QString &settingsPath) {
    const QFileInfo info(settingsPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".tape"));
}

bool readFollowBoard(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 64 * 1024) return false;
    bool follow = false;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.startsWith("follow=")) continue;
        const QByteArray value = line.mid(7).trimmed().toLower();
        follow = value == "1" || value == "yes" || value == "on" || value == "true";
    }
    return follow;
}

int tapePosForSteps(const std::vector<TapeEntry> &list, int steps) {
    if (steps <= 0) return 0;
    int marks = 0;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].StepFlag == 1 && ++marks == steps) return static_cast<int>(i) + 1;
    return static_cast<int>(list.size());
}
