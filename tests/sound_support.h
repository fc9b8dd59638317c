#pragma once
// Sound test material: WAV files of a given length, and the last events of a kind.
#include "base/event_log.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QtEndian>

#include <cmath>

// A mono 16-bit 44.1 kHz sine of `ms` milliseconds.
inline void writeWav(const QString &path, int ms, double hz = 660.0) {
    const int rate = 44100, samples = rate * ms / 1000;
    QByteArray pcm(samples * 2, '\0');
    for (int i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(static_cast<qint16>(8000 * std::sin(2 * M_PI * hz * i / rate)), pcm.data() + 2 * i);
    QByteArray h("RIFF....WAVEfmt ");
    auto u32 = [&h](quint32 v) { char b[4]; qToLittleEndian(v, b); h.append(b, 4); };
    auto u16 = [&h](quint16 v) { char b[2]; qToLittleEndian(v, b); h.append(b, 2); };
    u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
    h.append("data"); u32(static_cast<quint32>(pcm.size()));
    qToLittleEndian<quint32>(static_cast<quint32>(h.size() - 8 + pcm.size()), h.data() + 4);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(h + pcm);
}

// The events of one kind recorded since `from` (an index into the log).
inline QJsonArray eventsSince(qsizetype from, const QString &kind) {
    QJsonArray out;
    const QJsonArray all = events::all();
    for (qsizetype i = from; i < all.size(); ++i)
        if (all.at(i).toObject().value(QStringLiteral("kind")).toString() == kind) out.append(all.at(i));
    return out;
}
