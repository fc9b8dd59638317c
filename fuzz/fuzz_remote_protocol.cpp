// Any bytes from a client: read as HTTP requests one after another, and as WebSocket
// frames fed in two pieces; never a crash, and never more than the limits allow.
#include "remote/http_request.h"
#include "remote/websocket_frames.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QByteArray rest = bytes;
    for (int i = 0; i < 64; ++i) {
        remote::HttpRequest request;
        const remote::HttpParse p = remote::parseRequest(rest, &request);
        if (p.outcome != remote::HttpParse::Complete) break;
        if (p.consumed <= 0 || p.consumed > rest.size() || request.body.size() > remote::kMaxBodyBytes) std::abort();
        (void)request.isWebSocketUpgrade();
        (void)request.keepAlive();
        rest.remove(0, p.consumed);
    }
    remote::ws::FrameReader reader(300);
    const qsizetype cut = size ? data[0] % (bytes.size() + 1) : 0;
    QByteArray buffer = bytes.left(cut);
    QList<remote::ws::Event> events = reader.read(buffer);
    buffer += bytes.mid(cut);
    events += reader.read(buffer);
    for (const remote::ws::Event &e : events)
        if (e.kind == remote::ws::Event::Message && e.payload.size() > 300) std::abort();
    return 0;
}
