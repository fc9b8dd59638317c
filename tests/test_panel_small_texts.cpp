// The About box's years, and the options' folder buttons when no file manager answers.
#include "panel/about_text.h"
#include "options/folder_opener.h"
#include "file_bytes.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>

TEST(PanelTexts, AboutBoxYears) {
    EXPECT_EQ(developmentYears(2026), QStringLiteral("2026"));
    EXPECT_EQ(developmentYears(2025), QStringLiteral("2026"));  // a clock set back
    EXPECT_EQ(developmentYears(2028), QStringLiteral("2026-2028"));
    EXPECT_TRUE(aboutText(QStringLiteral("207_000"), QStringLiteral("1.0.0"), 2026)
                    .endsWith(QStringLiteral("開発：ミトラ開発チーム 2026\r\n")));
}

namespace {

// Waits until `failed` was called or two seconds have passed; the message or nothing.
std::optional<QString> openAndWait(const QString &folder) {
    std::optional<QString> said;
    QObject context;
    QEventLoop loop;
    openFolderInFileManager(folder, &context, [&](const QString &text) {
        said = text;
        loop.quit();
    });
    if (!said) {
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return said;
}

}  // namespace

TEST(PanelTexts, OpeningAFolderSaysSoWhenNothingAnswers) {
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QByteArray oldPath = qgetenv("PATH");
    const QString script = bin + QStringLiteral("/xdg-open");
    auto opener = [&](const char *body) {
        writeBytes(script, QByteArray("#!/bin/sh\n") + body + "\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    qputenv("PATH", QFile::encodeName(bin) + ":/usr/bin:/bin");
    opener("exit 3");  // what xdg-open answers when it finds no file manager
    EXPECT_EQ(openAndWait(dir.path()), folderNotOpenedMessage(dir.path()));
    opener("exit 0");
    EXPECT_FALSE(openAndWait(dir.path()).has_value());
    const std::optional<QString> gone = openAndWait(dir.filePath(QStringLiteral("nowhere")));
    ASSERT_TRUE(gone.has_value());
    EXPECT_TRUE(gone->contains(QStringLiteral("nowhere"))) << qPrintable(*gone);
    QFile::remove(script);
    qputenv("PATH", QFile::encodeName(bin));  // no opener at all
    EXPECT_TRUE(openAndWait(dir.path()).has_value());
    qputenv("PATH", oldPath);
}
