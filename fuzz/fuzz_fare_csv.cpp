// Any bytes as a spreadsheet's CSV: rows with problems listed, never a crash.
#include "fare_csv.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)fare_csv::read(bytes);
    return 0;
}
