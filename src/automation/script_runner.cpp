// Placeholder: the complete scripted operation replaces this file.
#include "automation/script_runner.h"

ScriptRunner::ScriptRunner(QObject *parent) : QObject(parent) {}
bool ScriptRunner::load(const QString &) { return true; }
void ScriptRunner::start() {}
