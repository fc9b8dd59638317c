// Settings: each block's changed signal comes once when that block changes and never
// for the others, and a settings file goes through Settings byte for byte.
#include "core/ini_codec.h"
#include "core/settings.h"
#include "test_settings_reference.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// How often each block's signal came.
struct SignalCount {
    explicit SignalCount(Settings &s) {
        const std::pair<const char *, void (Settings::*)()> blocks[] = {
            {"dataDir", &Settings::dataDirChanged},   {"panel", &Settings::panelChanged},
            {"degit", &Settings::degitChanged},       {"chimei", &Settings::chimeiChanged},
            {"sound", &Settings::soundChanged},       {"seiriken", &Settings::seirikenChanged},
            {"ctrl", &Settings::ctrlChanged},         {"form", &Settings::formChanged},
            {"custColors", &Settings::custColorsChanged}, {"degitSet", &Settings::degitSetChanged},
            {"loaded", &Settings::loaded}};
        for (const auto &[name, signal] : blocks) {
            const std::string key = name;
            QObject::connect(&s, signal, [this, key] { ++counts[key]; order += key + ' '; });
        }
    }
    std::map<std::string, int> counts;
    std::string order;
};

}  // namespace

TEST(SettingsModel, EachChangedBlockSignalsOnceAndNoOtherDoes) {
    Settings settings;
    SignalCount seen(settings);

    // One block at a time; setting a block to what it holds says nothing.
    SoundInfo sound = settings.sound();
    sound.StepSound = QStringLiteral("step.wav");
    settings.setSound(sound);
    settings.setSound(sound);
    settings.setPanel(settings.panel());
    EXPECT_EQ(seen.counts, (std::map<std::string, int>{{"sound", 1}}));
    EXPECT_EQ(settings.soundFile(7), QStringLiteral("step.wav"));

    // A whole record: only the blocks that differ, once each, in file order.
    IniData record = settings.record();
    record.form.BoardTop = 150;
    record.dataDir.FareDataDir = QStringLiteral("/fares");
    record.DegitSet[31].Shift = 2;
    seen.order.clear();
    settings.setRecord(record);
    EXPECT_EQ(seen.order, "dataDir form degitSet ");

    // Taking a record from the file: every block differing from the sample, then loaded.
    settings.setRecord(IniData());
    seen.order.clear();
    settings.adopt(settings_reference::sample());
    EXPECT_EQ(seen.order, "dataDir panel degit chimei sound seiriken ctrl form custColors degitSet loaded ");
    EXPECT_EQ(settings.record(), settings_reference::sample());
}

TEST(SettingsModel, FileBytesGoThroughSettingsUnchanged) {
    const QByteArray bytes = settings_reference::sampleBytes();
    IniData decoded;
    ASSERT_TRUE(inicodec::decode(bytes, decoded).ok);
    Settings settings;
    settings.adopt(decoded);
    EXPECT_EQ(settings.fileBytes().toHex(' '), bytes.toHex(' '));

    // The typed values read the blocks as the windows want them.
    const InfoCellOptions cells = settings.infoCells();
    EXPECT_EQ(std::vector<int>({cells.stopOrder.cell, cells.ticketNo.cell, cells.dataColumn.cell, cells.sourceColumn}),
              std::vector<int>({decoded.degit.StopOrderCell + 1, decoded.degit.SeiriNumCell + 1,
                                decoded.degit.DataColumnCell + 1, decoded.degit.DataColumn + 1}));
    EXPECT_EQ(settings.labelColor(2), decoded.panel.SeiriNumColor[2]);
    EXPECT_EQ(settings.labelColor(7), decoded.panel.SeiriNumColor[0]);
    EXPECT_TRUE(settings.soundFile(2).isEmpty());
}
