#pragma once
// The voice adjustment ("音声の調節"): speed, pitch, volume and voice file. Kept in
// a small text file of its own beside the settings file, whose layout is fixed.
#include <QString>

struct SpeechSettings {
    int speed = 100;   // percent of the voice's normal speed, 50..200
    int pitch = 0;     // half-tones up or down, -12..12
    int volume = 100;  // percent, 0..100
    QString voice;     // an .htsvoice file; empty = the installed default voice

    bool operator==(const SpeechSettings &) const = default;

    // Values outside their ranges brought inside.
    SpeechSettings clamped() const;

    // "key=value" lines; unknown keys and unreadable values are skipped, so a damaged
    // file gives the defaults for what it lost.
    static SpeechSettings fromText(const QString &text);
    QString toText() const;

    // Missing or unreadable file: the defaults.
    static SpeechSettings load(const QString &path);
    // Written whole or not at all.
    bool save(const QString &path) const;
};

// The speech settings file for a settings file: same folder and name, ".voice".
QString speechSettingsPath(const QString &settingsPath);
