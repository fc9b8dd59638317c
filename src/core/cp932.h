#pragma once
// The one Shift-JIS (Windows code page 932) codec of the program. Every file text,
// every byte length and every byte range goes through it, so that "～" is always
// 0x8160 and a character the code page cannot hold always becomes "?".
#include <QByteArray>
#include <QString>

namespace cp932 {

// Unicode to CP932. Characters CP932 cannot hold become "?"; never fails.
QByteArray encode(const QString &text);

// CP932 to Unicode. Invalid or truncated sequences become U+FFFD; never fails.
QString decode(const QByteArray &bytes);

// True when the byte starts a double-byte character (0x81..0x9F, 0xE0..0xFC).
bool isLeadByte(unsigned char b);

// True when the byte can follow a lead byte (0x40..0x7E, 0x80..0xFC).
bool isTrailByte(unsigned char b);

}  // namespace cp932
