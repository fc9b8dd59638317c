// Any bytes as an announcement list: a list within the limits or a refusal, never a
// crash, a hang or memory out of proportion to the input.
#include "core/tape_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    // Limits low enough that the fuzzer reaches them with short inputs.
    const tape_list::Limits limits{4096, 64, 200};
    for (const tape_list::Limits &l : {limits, tape_list::Limits{}}) {
        const auto list = tape_list::parse(bytes, l);
        if (!list) continue;
        if (list->empty() || qsizetype(list->size()) > l.maxEntries) std::abort();
        for (const TapeEntry &e : *list)
            if (e.Text.size() > l.maxLineBytes) std::abort();  // a character is at least one byte
    }
    return 0;
}
