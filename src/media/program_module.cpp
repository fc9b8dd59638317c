#include "media/program_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

// From the install's bin folder to its folder of modules, given by the build.
#ifndef MITRA_BIN_TO_MODULES
#define MITRA_BIN_TO_MODULES "../lib/mitra"
#endif

QString programModulePath(const QString &name) {
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(MITRA_BIN_TO_MODULES "/") + name));
}

void *programModuleSymbol(const QString &name, const char *symbol, QString *error) {
    // Never unloaded: what the module made may live as long as the program.
    QLibrary module(programModulePath(name));
    if (!module.load()) {
        if (error) *error = module.errorString();
        return nullptr;
    }
    void *found = reinterpret_cast<void *>(module.resolve(symbol));
    if (!found && error) *error = QStringLiteral("%1 has no %2").arg(module.fileName(), QLatin1String(symbol));
    return found;
}
