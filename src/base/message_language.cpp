#include "base/message_language.h"

#include <QByteArray>
#include <QtGlobal>

namespace message_language {

bool japanese() {
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) return value.startsWith("ja");
    }
    return false;
}

}  // namespace message_language
