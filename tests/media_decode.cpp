#include "media_decode.h"

#include <QFile>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

void takePicture(const AVFrame *f, double t, DecodedMedia &m) {
    const int w = f->width / 2, h = f->height / 2;
    QImage img(w, h, QImage::Format_RGB32);
    SwsContext *sws = sws_getContext(f->width, f->height, AVPixelFormat(f->format), w, h, AV_PIX_FMT_BGRA, SWS_AREA,
                                     nullptr, nullptr, nullptr);
    uint8_t *dst[1] = {img.bits()};
    const int stride[1] = {int(img.bytesPerLine())};
    sws_scale(sws, f->data, f->linesize, 0, f->height, dst, stride);
    sws_freeContext(sws);
    m.frames.push_back(img);
    m.frameTimes.push_back(t);
    if (f->format == AV_PIX_FMT_YUVA420P) {
        QImage a(f->width, f->height, QImage::Format_Grayscale8);
        for (int y = 0; y < f->height; ++y) memcpy(a.scanLine(y), f->data[3] + y * f->linesize[3], f->width);
        m.lastAlpha = a;
    }
}

void takeSound(const AVFrame *f, double t, DecodedMedia &m, std::vector<float> &pending) {
    if (m.loudness.empty() && pending.empty()) m.audioStart = t;
    const int step = f->sample_rate / 100;
    for (int i = 0; i < f->nb_samples; ++i) {
        float v = 0;
        for (int c = 0; c < f->ch_layout.nb_channels; ++c) {
            const float s = f->format == AV_SAMPLE_FMT_FLTP ? reinterpret_cast<const float *>(f->data[c])[i]
                            : f->format == AV_SAMPLE_FMT_FLT ? reinterpret_cast<const float *>(f->data[0])[i * f->ch_layout.nb_channels + c]
                                                              : reinterpret_cast<const int16_t *>(f->data[0])[i * f->ch_layout.nb_channels + c] / 32768.0f;
            v += s / f->ch_layout.nb_channels;
        }
        pending.push_back(v);
        if (int(pending.size()) == step) {
            double sum = 0;
            for (float p : pending) sum += double(p) * p;
            m.loudness.push_back(std::sqrt(sum / step));
            pending.clear();
        }
    }
}

}  // namespace

DecodedMedia decodeMedia(const QString &path) {
    DecodedMedia m;
    AVFormatContext *in = nullptr;
    if (avformat_open_input(&in, QFile::encodeName(path).constData(), nullptr, nullptr) < 0) return m;
    avformat_find_stream_info(in, nullptr);
    m.opened = true;
    std::vector<AVCodecContext *> decoders(in->nb_streams, nullptr);
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        const AVCodecParameters *par = in->streams[i]->codecpar;
        // FFmpeg's own VP9 decoder leaves the alpha out; libvpx's reads it.
        const AVCodec *codec = par->codec_id == AV_CODEC_ID_VP9 ? avcodec_find_decoder_by_name("libvpx-vp9") : nullptr;
        if (!codec) codec = avcodec_find_decoder(par->codec_id);
        if (!codec) continue;
        (par->codec_type == AVMEDIA_TYPE_VIDEO ? m.videoCodec : m.audioCodec) = QString::fromLatin1(avcodec_get_name(par->codec_id));
        decoders[i] = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(decoders[i], par);
        avcodec_open2(decoders[i], codec, nullptr);
    }
    AVPacket *pkt = av_packet_alloc();
    AVFrame *f = av_frame_alloc();
    std::vector<float> pending;
    auto drain = [&](unsigned s) {
        while (avcodec_receive_frame(decoders[s], f) >= 0) {
            const double t = f->best_effort_timestamp * av_q2d(in->streams[s]->time_base);
            if (decoders[s]->codec_type == AVMEDIA_TYPE_VIDEO) takePicture(f, t, m);
            else takeSound(f, t, m, pending);
        }
    };
    while (av_read_frame(in, pkt) >= 0) {
        const unsigned s = unsigned(pkt->stream_index);
        if (s < decoders.size() && decoders[s] && avcodec_send_packet(decoders[s], pkt) >= 0) drain(s);
        av_packet_unref(pkt);
    }
    for (unsigned s = 0; s < decoders.size(); ++s)
        if (decoders[s]) {
            avcodec_send_packet(decoders[s], nullptr);
            drain(s);
            avcodec_free_context(&decoders[s]);
        }
    av_frame_free(&f);
    av_packet_free(&pkt);
    avformat_close_input(&in);
    return m;
}
