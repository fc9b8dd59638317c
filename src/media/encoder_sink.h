#pragma once
// Where a recording's pictures and sound go. The program writes a video file with
// FFmpeg's libraries (AvEncoder, in a module: encoder_module.h); a test can put in a sink of its own. A sink is used
// from one thread only (the recording's worker), in the order open, writes, finish.
#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

enum class Container { Mp4, Mkv, Webm };

// The container a file's ending asks for: ".mkv", ".webm", else (".mp4" and any other) MP4.
Container containerFor(const QString &path);

struct RecordingFormat {
    QString path;
    QSize size;            // even width and height
    int fps = 30;
    int sampleRate = 44100;  // the mix as it arrives: interleaved signed 16-bit
    int channels = 2;
    Container container = Container::Mp4;
};

class EncoderSink {
public:
    virtual ~EncoderSink() = default;
    // False, with `error` saying why, when the file cannot be made.
    virtual bool open(const RecordingFormat &format, QString *error) = 0;
    // One picture (ARGB32 premultiplied, the format's size) shown from frame `index`
    // on (frames counted from the start at the format's rate) until the next one.
    virtual bool writeVideo(const QImage &frame, int64_t index, QString *error) = 0;
    // The next `frames` sample frames of the mix, following the ones before without a gap.
    virtual bool writeAudio(const int16_t *samples, int frames, QString *error) = 0;
    // Writes what is pending and closes the file; the file is complete afterwards.
    virtual bool finish(QString *error) = 0;
};
