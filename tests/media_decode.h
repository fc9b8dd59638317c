#pragma once
// Reads a recorded video file back with FFmpeg's libraries: every picture (scaled
// down, with its time), the alpha of the last one, and the sound's loudness in steps
// of 10 ms.
#include <QImage>
#include <QString>
#include <vector>

struct DecodedMedia {
    bool opened = false;
    QString videoCodec, audioCodec;
    std::vector<double> frameTimes;
    std::vector<QImage> frames;  // half the size, RGB32
    QImage lastAlpha;            // the last picture's alpha plane (Grayscale8), when it has one
    double audioStart = 0;
    std::vector<double> loudness;  // RMS of each 10 ms, 0..1
    double videoSeconds() const { return frameTimes.empty() ? 0 : frameTimes.back(); }
    double audioSeconds() const { return audioStart + loudness.size() * 0.01; }
};

DecodedMedia decodeMedia(const QString &path);
