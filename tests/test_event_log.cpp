// The event record stays bounded, keeps the newest events in order, and keeps
// nothing while it is switched off.
#include "base/event_log.h"

#include <gtest/gtest.h>

TEST(EventLog, BoundedNewestKeptAndOff) {
    events::setKept(false);
    events::record(QStringLiteral("probe"));
    EXPECT_TRUE(events::all().isEmpty());
    events::setKept(true);
    events::setLimit(10);
    for (int i = 0; i < 25; ++i) events::record(QStringLiteral("probe"), {{QStringLiteral("n"), i}});
    const QJsonArray kept = events::all();
    EXPECT_LE(kept.size(), 10);
    ASSERT_FALSE(kept.isEmpty());
    EXPECT_EQ(kept.last().toObject().value(QStringLiteral("n")).toInt(), 24);
    for (qsizetype i = 1; i < kept.size(); ++i)
        EXPECT_EQ(kept.at(i).toObject().value(QStringLiteral("n")).toInt(), kept.at(i - 1).toObject().value(QStringLiteral("n")).toInt() + 1);
    events::setLimit(100000);
}
