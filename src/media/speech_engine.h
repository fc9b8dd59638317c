#pragma once
// What the announcements need of a speech engine: speak (starting at once, never
// blocking the window thread), stop (at once), a state query and the voice settings.
#include "media/speech_settings.h"

#include <QString>

class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Replaces whatever is being said by `text`. An empty text says nothing.
    virtual void speak(const QString &text) = 0;
    // Ends synthesis and playback at once; harmless when silent.
    virtual void stop() = 0;
    // The state query: true when the engine has nothing to say (neither synthesising
    // nor playing). Right after a speak of a real text it answers false, so the
    // announcement is heard whole; it answers true when the text was empty or the
    // engine refused it, and stopping then is harmless.
    virtual bool idle() const = 0;
    virtual void setSettings(const SpeechSettings &settings) = 0;
};

namespace speech {
// A "speech" event: state is started, stopped, finished or error.
void recordEvent(const QString &state, const QString &text, const QString &detail = QString());
}  // namespace speech
