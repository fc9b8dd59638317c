// Any bytes as a fare data file: a refusal or rows, never a read past the input.
#include "core/fare_data_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const FareFileContents contents = fare_file::parse(bytes, QStringLiteral("fuzz.hy3"));
    if (contents.ok()) {
        // What was accepted encodes again (names that CP932 cannot hold aside).
        QByteArray again;
        QString error;
        fare_file::encode(contents.rows, again, &error);
    }
    (void)fare_file::lint(contents.rows);
    return 0;
}
