#pragma once
// Where the program keeps its files. The rules are a pure function of what the
// running program finds (its folder, the environment), so they can be tested with
// any folders:
//
// - The settings file is --settings PATH when given. An installed program (one whose
//   demo data lies at its install place relative to the executable) keeps it in the
//   per-user configuration folder; one run from a folder of its own (the build tree,
//   a copied folder) keeps it beside the executable, unless that folder cannot be
//   written, when the per-user folder takes it again. The view and voice files follow
//   the settings file.
// - The installed demo (routes, announcement lists, chimes, ticket plug-ins) is found
//   relative to the executable, never at a path fixed when the program was built.
// - Routes a user makes go into the per-user data folder.
#include <QString>

namespace program_paths {

// What the running program finds.
struct Facts {
    QString exeName;          // "207_000"
    QString exeDir;           // the executable's folder
    bool exeDirWritable = false;
    QString installedDemo;    // the demo folder of an installed program, when it exists; else empty
    QString configHome;       // the per-user configuration base ($XDG_CONFIG_HOME or ~/.config)
    QString dataHome;         // the per-user data base ($XDG_DATA_HOME or ~/.local/share)
    QString settingsOverride; // --settings PATH
};

struct Paths {
    QString settingsFile;
    QString userConfigDir;    // configHome/mitra
    QString userRoutesDir;    // dataHome/mitra/routes
    QString demoDir;          // the installed demo, or empty
    // A missing settings file starts from the installed demo's choices (data folders,
    // chimes, ticket preview) rather than the program's bare defaults.
    bool demoOnFirstStart = false;
};

Paths choose(const Facts &facts);

// An XDG base folder: the variable's value when it is an absolute path (the XDG rule:
// a relative one is ignored), else HOME joined with the fallback ("/.config").
QString xdgBase(const QString &variable, const QString &home, const QString &fallback);

// The demo folder of an installed program with its executable in exeDir: exeDir
// joined with the relative path from the install's bin folder to its data folder,
// then "demo"; empty when that folder does not exist.
QString installedDemoDir(const QString &exeDir, const QString &binToData);

// The facts of the running program (QCoreApplication must exist).
Facts gather(const QString &exeName, const QString &settingsOverride);

}  // namespace program_paths
