#include "base/message_language.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace message_language {

bool japanese() {
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) return value.startsWith("ja");
    }
    return false;
}

namespace {
bool everywhere = false;
}

void followLocaleEverywhere() { everywhere = true; }

QString shared(const char *english, const char *japanese) {
    return QString::fromUtf8(everywhere && !message_language::japanese() ? english : japanese);
}

}  // namespace message_language
