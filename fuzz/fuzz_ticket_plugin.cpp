// Ticket plug-in reader: any bytes give a plug-in or a refusal with its problems,
// never a crash, a hang or a read past the input.
#include "ticket/ticket_plugin.h"
#include "ticket/ticket_template.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ticket::ReadResult r = ticket::readPlugin(bytes, QStringLiteral("/nonexistent"));
    if (r.plugin) {
        // Every template the reader kept expands without fault.
        const ticket::Values v{QStringLiteral("停留所"), QStringLiteral("12-24-2026"), QStringLiteral("12:34:56"), 1, 2, 3,
                               QStringLiteral("社")};
        for (const ticket::Item &item : r.plugin->items)
            if (const auto *t = std::get_if<ticket::TextItem>(&item))
                (void)ticket::expand(t->text, v, ticket::Allowed{}, ticket::Formats{});
    }
    return 0;
}
