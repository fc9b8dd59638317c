#include "media/encoder_module.h"

#include "media/program_module.h"

namespace {

using Factory = EncoderSink *(*)();

class MissingEncoder : public EncoderSink {
public:
    explicit MissingEncoder(QString why) : why_(std::move(why)) {}
    bool open(const RecordingFormat &, QString *error) override { return fail(error); }
    bool writeVideo(const QImage &, int64_t, QString *error) override { return fail(error); }
    bool writeAudio(const int16_t *, int, QString *error) override { return fail(error); }
    bool finish(QString *error) override { return fail(error); }

private:
    bool fail(QString *error) const {
        if (error) *error = why_;
        return false;
    }
    QString why_;
};

}  // namespace

std::unique_ptr<EncoderSink> newModuleEncoder() {
    static QString why;
    static const auto made = reinterpret_cast<Factory>(programModuleSymbol(QStringLiteral("mitra_encoder"), "mitra_new_encoder", &why));
    if (made) return std::unique_ptr<EncoderSink>(made());
    return std::make_unique<MissingEncoder>(QStringLiteral("the recorder's encoder cannot be loaded: %1").arg(why));
}
