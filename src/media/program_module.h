#pragma once
// Parts of the program with heavy libraries of their own (FFmpeg for the recorder, the
// SDL mixer for sound) are modules, loaded when first used rather than linked at every
// start. A module lies at the same place relative to the executable in the build tree
// and in an installed program (the install's library folder, "mitra" in it), so it is
// found the same way in both.
#include <QString>

// The module's file as looked for, without the platform's ending ("mitra_encoder").
QString programModulePath(const QString &name);

// The function `symbol` of the module `name`, the module loaded on the first call and
// kept to the end. Null, with `error` saying why, when it cannot be had.
void *programModuleSymbol(const QString &name, const char *symbol, QString *error);
