#pragma once
// A video file written with FFmpeg's libraries: H.264 and AAC in fragmented MP4 or in
// Matroska, VP9 with alpha and Opus in WebM. Written so that a file cut off at any
// moment (a killed program, a full disk) plays up to about its last second: MP4 in
// fragments of one second, Matroska in clusters of one second, a key frame each second.
// It is built as a module of its own (encoder_module.h), so that FFmpeg is loaded
// on the first recording and not at every start.
#include "media/encoder_sink.h"

#include <memory>

class AvEncoder : public EncoderSink {
public:
    AvEncoder();
    ~AvEncoder() override;
    bool open(const RecordingFormat &format, QString *error) override;
    bool writeVideo(const QImage &frame, int64_t index, QString *error) override;
    bool writeAudio(const int16_t *samples, int frames, QString *error) override;
    bool finish(QString *error) override;

private:
    struct State;
    std::unique_ptr<State> s_;
};
