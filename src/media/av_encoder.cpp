#include "media/av_encoder.h"

#include "media/yuv_convert.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace {

QString avError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

struct CodecDeleter {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FrameDeleter {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketDeleter {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
using CodecPtr = std::unique_ptr<AVCodecContext, CodecDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;

const AVCodec *firstEncoder(std::initializer_list<const char *> names) {
    for (const char *n : names)
        if (const AVCodec *c = avcodec_find_encoder_by_name(n)) return c;
    return nullptr;
}

}  // namespace

struct AvEncoder::State {
    RecordingFormat format;
    AVFormatContext *out = nullptr;
    bool headerWritten = false;
    CodecPtr video, audio;
    AVStream *videoStream = nullptr, *audioStream = nullptr;
    SwrContext *resample = nullptr;
    AVAudioFifo *fifo = nullptr;
    FramePtr picture, sound;
    PacketPtr packet{av_packet_alloc()};
    int64_t audioPts = 0;  // in the audio codec's samples
    QImage straight;       // the picture as the planes are made from it

    ~State() {
        swr_free(&resample);
        if (fifo) av_audio_fifo_free(fifo);
        if (out) {
            if (out->pb) avio_closep(&out->pb);
            avformat_free_context(out);
        }
    }

    bool fail(QString *error, const QString &what, int code) {
        if (error) *error = code ? QStringLiteral("%1: %2").arg(what, avError(code)) : what;
        return false;
    }

    bool openVideo(QString *error);
    bool openAudio(QString *error);
    bool send(AVCodecContext *codec, AVStream *stream, AVFrame *frame, QString *error);
    bool encodeAudio(bool flush, QString *error);
};

AvEncoder::AvEncoder() = default;
AvEncoder::~AvEncoder() = default;

bool AvEncoder::State::openVideo(QString *error) {
    const bool webm = format.container == Container::Webm;
    const AVCodec *codec = webm ? firstEncoder({"libvpx-vp9"}) : firstEncoder({"libx264"});
    if (!codec) return fail(error, webm ? QStringLiteral("no VP9 encoder (libvpx-vp9)") : QStringLiteral("no H.264 encoder (libx264)"), 0);
    video.reset(avcodec_alloc_context3(codec));
    AVCodecContext *c = video.get();
    c->width = format.size.width();
    c->height = format.size.height();
    c->time_base = AVRational{1, format.fps};
    c->framerate = AVRational{format.fps, 1};
    c->gop_size = format.fps;  // a key frame each second: a cut-off file loses at most one
    c->max_b_frames = 0;
    c->pix_fmt = webm ? AV_PIX_FMT_YUVA420P : AV_PIX_FMT_YUV420P;
    c->thread_count = 1;
    if (out->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary *opts = nullptr;
    if (webm) {
        av_dict_set(&opts, "deadline", "realtime", 0);
        av_dict_set(&opts, "cpu-used", "8", 0);
        av_dict_set(&opts, "lag-in-frames", "0", 0);
        av_dict_set(&opts, "auto-alt-ref", "0", 0);
        av_dict_set(&opts, "crf", "30", 0);
        c->bit_rate = 0;
    } else {
        av_dict_set(&opts, "preset", "veryfast", 0);
        av_dict_set(&opts, "tune", "zerolatency", 0);
        av_dict_set(&opts, "crf", "20", 0);
    }
    const int r = avcodec_open2(c, codec, &opts);
    av_dict_free(&opts);
    if (r < 0) return fail(error, QStringLiteral("cannot open the video encoder"), r);
    videoStream = avformat_new_stream(out, nullptr);
    videoStream->time_base = c->time_base;
    avcodec_parameters_from_context(videoStream->codecpar, c);

    picture.reset(av_frame_alloc());
    picture->format = c->pix_fmt;
    picture->width = c->width;
    picture->height = c->height;
    if (av_frame_get_buffer(picture.get(), 0) < 0) return fail(error, QStringLiteral("out of memory"), 0);
    return true;
}

bool AvEncoder::State::openAudio(QString *error) {
    const bool webm = format.container == Container::Webm;
    const AVCodec *codec = webm ? firstEncoder({"libopus", "libvorbis"}) : firstEncoder({"aac"});
    if (!codec) return fail(error, webm ? QStringLiteral("no Opus or Vorbis encoder") : QStringLiteral("no AAC encoder"), 0);
    audio.reset(avcodec_alloc_context3(codec));
    AVCodecContext *c = audio.get();
    const bool opus = QByteArray(codec->name) == "libopus";
    c->sample_rate = opus ? 48000 : format.sampleRate;
    c->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    av_channel_layout_default(&c->ch_layout, format.channels);
    c->bit_rate = 128000;
    c->time_base = AVRational{1, c->sample_rate};
    if (out->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int r = avcodec_open2(c, codec, nullptr);
    if (r < 0) return fail(error, QStringLiteral("cannot open the sound encoder"), r);
    audioStream = avformat_new_stream(out, nullptr);
    audioStream->time_base = c->time_base;
    avcodec_parameters_from_context(audioStream->codecpar, c);

    AVChannelLayout in;
    av_channel_layout_default(&in, format.channels);
    r = swr_alloc_set_opts2(&resample, &c->ch_layout, c->sample_fmt, c->sample_rate, &in, AV_SAMPLE_FMT_S16,
                            format.sampleRate, 0, nullptr);
    if (r < 0 || swr_init(resample) < 0) return fail(error, QStringLiteral("cannot convert the sound"), r);
    fifo = av_audio_fifo_alloc(c->sample_fmt, format.channels, 4096);
    sound.reset(av_frame_alloc());
    sound->format = c->sample_fmt;
    sound->nb_samples = c->frame_size > 0 ? c->frame_size : 1024;
    sound->sample_rate = c->sample_rate;
    av_channel_layout_copy(&sound->ch_layout, &c->ch_layout);
    if (!fifo || av_frame_get_buffer(sound.get(), 0) < 0) return fail(error, QStringLiteral("out of memory"), 0);
    return true;
}

bool AvEncoder::open(const RecordingFormat &format, QString *error) {
    av_log_set_level(AV_LOG_ERROR);  // the libraries' notes are not the program's messages
    s_ = std::make_unique<State>();
    State &s = *s_;
    s.format = format;
    const char *muxer = format.container == Container::Webm ? "webm" : format.container == Container::Mkv ? "matroska" : "mp4";
    const QByteArray path = QFile::encodeName(format.path);
    int r = avformat_alloc_output_context2(&s.out, nullptr, muxer, path.constData());
    if (r < 0) return s.fail(error, QStringLiteral("cannot make a %1 file").arg(QLatin1String(muxer)), r);
    if (!s.openVideo(error) || !s.openAudio(error)) return false;
    r = avio_open(&s.out->pb, path.constData(), AVIO_FLAG_WRITE);
    if (r < 0) return s.fail(error, QStringLiteral("cannot write %1").arg(format.path), r);
    // Every packet goes to the file at once; the interleaving queue holds at most a second.
    s.out->flags |= AVFMT_FLAG_FLUSH_PACKETS;
    s.out->max_interleave_delta = 1000000;
    AVDictionary *opts = nullptr;
    if (format.container == Container::Mp4) av_dict_set(&opts, "movflags", "frag_keyframe+empty_moov+default_base_moof", 0);
    else av_dict_set(&opts, "cluster_time_limit", "1000", 0);
    r = avformat_write_header(s.out, &opts);
    av_dict_free(&opts);
    if (r < 0) return s.fail(error, QStringLiteral("cannot write %1").arg(format.path), r);
    s.headerWritten = true;
    return true;
}

bool AvEncoder::State::send(AVCodecContext *codec, AVStream *stream, AVFrame *frame, QString *error) {
    int r = avcodec_send_frame(codec, frame);
    if (r < 0 && r != AVERROR_EOF) return fail(error, QStringLiteral("cannot encode"), r);
    while ((r = avcodec_receive_packet(codec, packet.get())) >= 0) {
        av_packet_rescale_ts(packet.get(), codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        r = av_interleaved_write_frame(out, packet.get());
        if (r < 0) return fail(error, QStringLiteral("cannot write %1").arg(format.path), r);
    }
    return r == AVERROR(EAGAIN) || r == AVERROR_EOF ? true : fail(error, QStringLiteral("cannot encode"), r);
}

bool AvEncoder::writeVideo(const QImage &frame, int64_t index, QString *error) {
    State &s = *s_;
    if (frame.size() != s.format.size) return s.fail(error, QStringLiteral("a picture of the wrong size"), 0);
    // The planes are made from 32-bit pixels, with straight colours where alpha counts.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "Qt's 32-bit pixels are read as B, G, R, A bytes");
    const bool alpha = s.format.container == Container::Webm;
    const QImage::Format f = frame.format();
    const bool usable = alpha ? f == QImage::Format_ARGB32
                              : f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
    const QImage *source = &frame;
    if (!usable) {
        s.straight = frame.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        source = &s.straight;
    }
    if (av_frame_make_writable(s.picture.get()) < 0) return s.fail(error, QStringLiteral("out of memory"), 0);
    yuv::fromBgra(source->constBits(), int(source->bytesPerLine()), source->width(), source->height(), s.picture->data,
                  s.picture->linesize, alpha);
    s.picture->pts = index;
    return s.send(s.video.get(), s.videoStream, s.picture.get(), error);
}

bool AvEncoder::State::encodeAudio(bool flush, QString *error) {
    const int n = sound->nb_samples;
    while (av_audio_fifo_size(fifo) >= n || (flush && av_audio_fifo_size(fifo) > 0)) {
        if (av_frame_make_writable(sound.get()) < 0) return fail(error, QStringLiteral("out of memory"), 0);
        const int got = av_audio_fifo_read(fifo, reinterpret_cast<void **>(sound->data), n);
        if (got < n) av_samples_set_silence(sound->data, got, n - got, format.channels, audio->sample_fmt);
        sound->pts = audioPts;
        audioPts += n;
        if (!send(audio.get(), audioStream, sound.get(), error)) return false;
    }
    return true;
}

bool AvEncoder::writeAudio(const int16_t *samples, int frames, QString *error) {
    State &s = *s_;
    const int room = swr_get_out_samples(s.resample, frames);
    if (room < 0) return s.fail(error, QStringLiteral("cannot convert the sound"), room);
    uint8_t **converted = nullptr;
    if (av_samples_alloc_array_and_samples(&converted, nullptr, s.format.channels, qMax(room, 1), s.audio->sample_fmt, 0) < 0)
        return s.fail(error, QStringLiteral("out of memory"), 0);
    const uint8_t *in[1] = {reinterpret_cast<const uint8_t *>(samples)};
    const int got = swr_convert(s.resample, converted, room, in, frames);
    const bool ok = got >= 0 && av_audio_fifo_write(s.fifo, reinterpret_cast<void **>(converted), got) == got;
    av_freep(&converted[0]);
    av_freep(&converted);
    if (!ok) return s.fail(error, QStringLiteral("cannot convert the sound"), 0);
    return s.encodeAudio(false, error);
}

bool AvEncoder::finish(QString *error) {
    if (!s_ || !s_->headerWritten) return true;
    State &s = *s_;
    const bool drained = s.encodeAudio(true, error) && s.send(s.audio.get(), s.audioStream, nullptr, error) &&
                         s.send(s.video.get(), s.videoStream, nullptr, error);
    const int r = av_write_trailer(s.out);
    s.headerWritten = false;
    const int closed = avio_closep(&s.out->pb);
    if (!drained) return false;
    if (r < 0) return s.fail(error, QStringLiteral("cannot write %1").arg(s.format.path), r);
    return closed < 0 ? s.fail(error, QStringLiteral("cannot write %1").arg(s.format.path), closed) : true;
}

extern "C" Q_DECL_EXPORT EncoderSink *mitra_new_encoder() { return new AvEncoder; }
