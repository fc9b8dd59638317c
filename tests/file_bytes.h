#pragma once
// Writes a test's input file in one go.
#include <QFile>
#include <gtest/gtest.h>

inline void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(path);
    f.write(bytes);
}
