#pragma once
#include <QStringList>

namespace gtfs_command {

// hy3tool from-gtfs with the arguments after the command word. Returns the
// exit status: 0 done, 1 refused (nothing written), `usageStatus` wrong usage.
int run(const QStringList &arguments, int usageStatus);

}  // namespace gtfs_command
