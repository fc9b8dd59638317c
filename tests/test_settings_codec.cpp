// The settings file's byte layout, checked against the bytes the block tables give for
// a sample record, and the decoder's refusals.
#include "core/ini_codec.h"
#include "test_settings_reference.h"

#include <gtest/gtest.h>

using settings_reference::sample;

TEST(SettingsCodec, BytesMatchTheBlockTablesAndReadBack) {
    const QByteArray expected = settings_reference::sampleBytes();
    EXPECT_EQ(inicodec::encode(sample()).toHex(' '), expected.toHex(' '));
    IniData back;
    const auto r = inicodec::decode(expected, back);
    ASSERT_TRUE(r.ok) << r.description.toStdString();
    EXPECT_EQ(back, sample());

    // All strings empty: 430 bytes, and the defaults read back over a full record.
    const QByteArray bytes = inicodec::encode(IniData());
    ASSERT_EQ(bytes.size(), 430);
    ASSERT_TRUE(inicodec::decode(bytes, back).ok);
    EXPECT_EQ(back, IniData());
}

TEST(SettingsCodec, CountBeforeTheDigitRecordsIsIgnored) {
    const IniData d = sample();
    for (int count : {0, 5, 33, -1}) {
        QByteArray bytes = inicodec::encode(d);
        const int at = int(bytes.size()) - 194;
        bytes[at] = char(count & 0xFF);
        bytes[at + 1] = char((count >> 8) & 0xFF);
        IniData back;
        ASSERT_TRUE(inicodec::decode(bytes, back).ok) << count;
        EXPECT_EQ(back.DegitSet, d.DegitSet) << count;
    }
    // Bytes after the last record are not read either.
    IniData back;
    ASSERT_TRUE(inicodec::decode(inicodec::encode(d) + "junk", back).ok);
    EXPECT_EQ(back, d);
}

TEST(SettingsCodec, ShortOrDamagedFilesChangeNothing) {
    const IniData d = sample();
    const QByteArray good = inicodec::encode(d);
    const IniData untouched = IniData();

    // Every truncation, including the empty file.
    for (int len = 0; len < good.size(); ++len) {
        IniData out = untouched;
        const auto r = inicodec::decode(good.left(len), out);
        ASSERT_FALSE(r.ok) << len;
        EXPECT_EQ(r.errorCode, 62) << len;
        EXPECT_FALSE(r.description.isEmpty());
        ASSERT_EQ(out, untouched) << len;
    }

    // A string length that runs past the end of the file; a list position that selects
    // nothing the list holds (numbering style 57).
    IniData badStyle = d;
    badStyle.panel.SeiriNumStyle = 57;
    const std::tuple<QByteArray, int, const char *> refused[] = {
        {QByteArray("\xff\xff", 2) + good.mid(2), 62, "65535"}, {inicodec::encode(badStyle), 380, "SeiriNumStyle"}};
    IniData out;
    for (const auto &[bytes, code, named] : refused) {
        const auto r = inicodec::decode(bytes, out);
        EXPECT_EQ(std::pair(r.ok, r.errorCode), std::pair(false, code));
        EXPECT_TRUE(r.description.contains(QLatin1String(named))) << r.description.toStdString();
        EXPECT_EQ(out, untouched);
    }
    // The edges of the lists are fine: none selected, and the last entry.
    IniData edges = d;
    edges.degit.DataColumn = 149;
    edges.sound.StepColumn = -1;
    edges.chimei.ChimeiFontMode = -1;
    ASSERT_TRUE(inicodec::decode(inicodec::encode(edges), out).ok);
    EXPECT_EQ(out, edges);
    edges.degit.DataColumnCell = 32;
    EXPECT_FALSE(inicodec::decode(inicodec::encode(edges), out).ok);
}

TEST(SettingsCodec, OverlongStringIsCutOnACharacterBoundary) {
    IniData d;
    d.dataDir.FareDataDir = QString(40000, QChar(0x3042));  // "あ", two bytes each
    const QByteArray bytes = inicodec::encode(d);
    EXPECT_EQ(quint8(bytes[0]) | (quint8(bytes[1]) << 8), 65534);
    IniData back;
    ASSERT_TRUE(inicodec::decode(bytes, back).ok);
    EXPECT_EQ(back.dataDir.FareDataDir, QString(32767, QChar(0x3042)));
}
