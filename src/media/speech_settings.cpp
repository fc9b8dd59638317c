#include "media/speech_settings.h"

#include "base/regular_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

SpeechSettings SpeechSettings::clamped() const {
    SpeechSettings s = *this;
    s.speed = qBound(50, speed, 200);
    s.pitch = qBound(-12, pitch, 12);
    s.volume = qBound(0, volume, 100);
    return s;
}

SpeechSettings SpeechSettings::fromText(const QString &text) {
    SpeechSettings s;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq < 0) continue;
        const QString key = raw.left(eq).trimmed();
        const QString value = raw.mid(eq + 1).trimmed();
        bool ok = false;
        const int n = value.toInt(&ok);
        if (key == QLatin1String("voice")) s.voice = value;
        else if (!ok) continue;
        else if (key == QLatin1String("speed")) s.speed = n;
        else if (key == QLatin1String("pitch")) s.pitch = n;
        else if (key == QLatin1String("volume")) s.volume = n;
    }
    return s.clamped();
}

QString SpeechSettings::toText() const {
    return QStringLiteral("speed=%1\npitch=%2\nvolume=%3\nvoice=%4\n").arg(speed).arg(pitch).arg(volume).arg(voice);
}

SpeechSettings SpeechSettings::load(const QString &path) {
    // A few lines; a FIFO or a device in its place is not read at all.
    const regular_file::Read read = regular_file::read(path, 64 * 1024);
    return read.ok() ? fromText(QString::fromUtf8(read.bytes)) : SpeechSettings{};
}

bool SpeechSettings::save(const QString &path) const {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(toText().toUtf8());
    return f.commit();
}

QString speechSettingsPath(const QString &settingsPath) {
    const QFileInfo info(settingsPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".voice"));
}
