#pragma once
// The WebSocket protocol (RFC 6455) as this server speaks it: the handshake's accept
// key, the frames it sends (never masked, never fragmented) and a reader for the
// frames a client sends, which holds the client to the rules: every frame masked,
// no reserved bits or opcodes, control frames short and whole, text in UTF-8,
// messages within the size limit. A broken rule ends the connection with the close
// code the RFC names. Pure rules, no sockets.
#include <QByteArray>
#include <QList>

namespace remote::ws {

enum Opcode : quint8 { Continuation = 0x0, Text = 0x1, Binary = 0x2, Close = 0x8, Ping = 0x9, Pong = 0xA };

enum CloseCode : quint16 {
    Normal = 1000,
    GoingAway = 1001,
    ProtocolError = 1002,
    UnsupportedData = 1003,
    BadPayload = 1007,
    PolicyViolated = 1008,
    TooBig = 1009,
};

// Sec-WebSocket-Accept for the client's Sec-WebSocket-Key.
QByteArray acceptKey(const QByteArray &key);
// True when the key is the base64 of 16 bytes, as a client must send.
bool validKey(const QByteArray &key);

// One whole unmasked frame from this server.
QByteArray frame(Opcode opcode, const QByteArray &payload);
QByteArray closeFrame(quint16 code, const QByteArray &reason = {});

struct Event {
    enum Kind { Message, Ping, Pong, Close, Fail } kind;
    QByteArray payload;  // Message: the whole message; Ping/Pong: the payload; Close: the reason
    bool text = true;    // Message: text or binary
    quint16 code = 0;    // Close: the client's code (1005 when none); Fail: the code to close with
};

class FrameReader {
public:
    explicit FrameReader(qsizetype maxMessage) : max_(maxMessage) {}

    // Takes whole frames off the front of `buffer`, leaving a partial one there, and
    // tells what they were. After a Close or a Fail nothing more is read.
    QList<Event> read(QByteArray &buffer);
    // The most bytes a frame may have, header included: what is worth buffering.
    qsizetype maxFrameBytes() const { return max_ + 14; }

private:
    qsizetype max_;
    QByteArray message_;
    bool inMessage_ = false;
    bool messageText_ = true;
    bool done_ = false;
};

}  // namespace remote::ws
