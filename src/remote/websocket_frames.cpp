#include "remote/websocket_frames.h"

#include <QCryptographicHash>
#include <QStringDecoder>
#include <QtEndian>

namespace remote::ws {

namespace {

bool validUtf8(const QByteArray &text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(text);  // decodes only when made a string
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

Event fail(quint16 code) { return Event{Event::Fail, {}, true, code}; }

}  // namespace

QByteArray acceptKey(const QByteArray &key) {
    return QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1).toBase64();
}

bool validKey(const QByteArray &key) {
    const auto decoded = QByteArray::fromBase64Encoding(key, QByteArray::AbortOnBase64DecodingErrors);
    return decoded && decoded.decoded.size() == 16 && key.size() == 24;
}

QByteArray frame(Opcode opcode, const QByteArray &payload) {
    QByteArray out;
    out.reserve(payload.size() + 10);
    out.append(static_cast<char>(0x80 | opcode));
    const qsizetype n = payload.size();
    if (n < 126) {
        out.append(static_cast<char>(n));
    } else if (n <= 0xffff) {
        out.append(static_cast<char>(126));
        char length[2];
        qToBigEndian<quint16>(static_cast<quint16>(n), length);
        out.append(length, 2);
    } else {
        out.append(static_cast<char>(127));
        char length[8];
        qToBigEndian<quint64>(static_cast<quint64>(n), length);
        out.append(length, 8);
    }
    return out + payload;
}

QByteArray closeFrame(quint16 code, const QByteArray &reason) {
    char bytes[2];
    qToBigEndian<quint16>(code, bytes);
    return frame(Close, QByteArray(bytes, 2) + reason.left(123));
}

QList<Event> FrameReader::read(QByteArray &buffer) {
    QList<Event> events;
    qsizetype pos = 0;
    while (!done_ && buffer.size() - pos >= 2) {
        const auto *p = reinterpret_cast<const unsigned char *>(buffer.constData() + pos);
        const bool fin = p[0] & 0x80;
        const int opcode = p[0] & 0x0f;
        const bool masked = p[1] & 0x80;
        quint64 length = p[1] & 0x7f;
        qsizetype head = 2;
        const bool control = opcode >= 0x8;
        auto stop = [&](quint16 code) {
            events.append(fail(code));
            done_ = true;
        };
        if ((p[0] & 0x70) || (opcode > Binary && opcode < Close) || opcode > Pong || !masked) {
            stop(ProtocolError);  // reserved bits or opcodes, or a client frame without its mask
            break;
        }
        if (control && (!fin || length > 125)) {
            stop(ProtocolError);
            break;
        }
        if (length == 126) {
            if (buffer.size() - pos < 4) break;
            length = qFromBigEndian<quint16>(p + 2);
            head = 4;
        } else if (length == 127) {
            if (buffer.size() - pos < 10) break;
            length = qFromBigEndian<quint64>(p + 2);
            head = 10;
        }
        if (length > static_cast<quint64>(max_ - (control ? 0 : message_.size()))) {
            stop(TooBig);
            break;
        }
        if (buffer.size() - pos < head + 4 || static_cast<quint64>(buffer.size() - pos - head - 4) < length) break;
        const unsigned char *mask = p + head;
        QByteArray payload(reinterpret_cast<const char *>(p + head + 4), static_cast<qsizetype>(length));
        for (qsizetype i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(payload[i] ^ mask[i % 4]);
        pos += head + 4 + static_cast<qsizetype>(length);

        if (opcode == Close) {
            if (payload.size() == 1) {
                stop(ProtocolError);
                break;
            }
            const quint16 code = payload.size() >= 2 ? qFromBigEndian<quint16>(payload.constData()) : 1005;
            const QByteArray reason = payload.mid(2);
            if (!validUtf8(reason) || (payload.size() >= 2 && (code < 1000 || code == 1005 || code == 1006 || code >= 5000))) {
                stop(payload.size() >= 2 && validUtf8(reason) ? ProtocolError : BadPayload);
                break;
            }
            events.append(Event{Event::Close, reason, true, code});
            done_ = true;
        } else if (opcode == Ping || opcode == Pong) {
            events.append(Event{opcode == Ping ? Event::Ping : Event::Pong, payload, true, 0});
        } else {
            // A continuation needs a message begun; a new message needs the last one ended.
            if ((opcode == Continuation) != inMessage_) {
                stop(ProtocolError);
                break;
            }
            if (opcode != Continuation) messageText_ = opcode == Text;
            message_ += payload;
            inMessage_ = !fin;
            if (fin) {
                if (messageText_ && !validUtf8(message_)) {
                    stop(BadPayload);
                    break;
                }
                events.append(Event{Event::Message, message_, messageText_, 0});
                message_.clear();
            }
        }
    }
    buffer.remove(0, pos);
    return events;
}

}  // namespace remote::ws
