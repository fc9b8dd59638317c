#include "core/ini_data.h"

IniData &iniData() {
    static IniData data;
    return data;
}
