#pragma once
// A settings record with every field different from its neighbours, and its bytes as
// the file's block tables lay them out, for checking the program's own encoder.
#include "core/ini_data.h"

#include <QByteArray>

namespace settings_reference {

// The bytes of sample() as the block tables lay them out, field by field: little-endian
// integers, strings as a 16-bit length and hand-checked Shift-JIS bytes ("運賃データ"
// is 895e92c08366815b835e, "～" 8160). Written out once by an encoder that followed the
// tables and shared nothing with the program's own.
inline QByteArray sampleBytes() {
    return QByteArray::fromHex(
        "0a00895e92c08366815b835e0a002f646174612f7461706501003322110066554400998877000b0001000000ffff0000"
        "ffffffff00000000ffff07006f66662e626d70000008008e7396f08f8a914f03020100060504000908070001001f0001"
        "000100070001000900010095000c00c0b0a000f0e0d0000400010014002f686f6d652f836f83582f6368696d652e7761"
        "76090072657365742e7761760000ffffffff00000800737465702e6d70332a00020081600500bdb8dbb0d9060073332e"
        "6d69640000ffff0000ffff040095fa9197060074312e7761760000060074332e77617601000a002f706c672f612e3453"
        "5000000000ffff0a00323032342f30352f30360100d2040000b70b00000100010090eefeff40e20100f1ffffffcd8101"
        "000000f0000100f0000200f0000300f0000400f0000500f0000600f0000700f0000800f0000900f0000a00f0000b00f0"
        "000c00f0000d00f0000e00f0000f00f0001000f000200000000000000001000100ffff02000200feff03000300fdff04"
        "000000fcff05000100fbff06000200faff07000300f9ff08000000f8ff09000100f7ff0a000200f6ff0b000300f5ff0c"
        "000000f4ff0d000100f3ff0e000200f2ff0f000300f1ff10000000f0ff11000100efff12000200eeff13000300edff14"
        "000000ecff15000100ebff16000200eaff17000300e9ff18000000e8ff19000100e7ff1a000200e6ff1b000300e5ff1c"
        "000000e4ff1d000100e3ff1e000200e2ff1f000300e1ff");
}

// Every field different from its neighbours, so a swapped or shifted field shows.
inline IniData sample() {
    IniData d;
    d.dataDir = {QStringLiteral("運賃データ"), QStringLiteral("/data/tape")};
    d.panel = {1, {0x00112233u, 0x00445566u, 0x00778899u}, 11, 1, /*PanelAuto*/ 0, -1, /*Off*/ 0, -1, /*On1*/ -1, 0,
               /*On2*/ 0, -1, {QStringLiteral("off.bmp"), QString(), QStringLiteral("市役所前")}};
    d.degit = {0x00010203u, 0x00040506u, 0x00070809u, 1, 31, 1, 1, 7, 1, 9, 1, 149, 12};
    d.chimei = {0x00A0B0C0u, 0x00D0E0F0u, 4, 1};
    d.sound = {QStringLiteral("/home/バス/chime.wav"), QStringLiteral("reset.wav"), 0, -1, -1, 0, QStringLiteral("step.mp3"), 42,
               QStringLiteral("～"), QStringLiteral("ｽｸﾛｰﾙ"), QStringLiteral("s3.mid"), 0, -1, 0, -1,
               QStringLiteral("放送"), QStringLiteral("t1.wav"), QString(), QStringLiteral("t3.wav")};
    d.seiriken = {1, QStringLiteral("/plg/a.4SP"), 0, 0, -1, QStringLiteral("2024/05/06")};
    d.ctrl = {1, 1234, 2999, 1, 1, -70000, 123456};
    d.form = {-15, 98765};
    for (int i = 0; i < 17; ++i) d.CustColors[i] = 0x00F00000u + COLORREF(i);
    for (int i = 0; i < 32; ++i) d.DegitSet[i] = {std::int16_t(i), std::int16_t(i % 4), std::int16_t(-i)};
    return d;
}

}  // namespace settings_reference
