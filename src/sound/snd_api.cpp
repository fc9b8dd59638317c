// Sound requests are recorded; playing them comes with the sound channels.
#include "sound/snd_api.h"

#include "automation/event_log.h"

void PlaySnd(const QString &file, const QString &channel, int sync, int pauseMs) {
    events::record(QStringLiteral("sound"),
                   {{"channel", channel}, {"file", file}, {"sync", sync != 0}, {"pause", pauseMs}});
}

void CloseAllSnd() {}
