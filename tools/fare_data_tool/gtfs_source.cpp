// Taking the feed's files out of a folder or a zip file (libzip).
#include "gtfs_feed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

#include <algorithm>
#include <memory>

namespace gtfs {

namespace {

// No file of a bus feed comes near this; a larger one is a broken or hostile
// archive, refused before it fills the memory.
constexpr qint64 MaxFileBytes = qint64(1) << 30;

Problem feedError(const QString &file, const QString &why) { return {Problem::Severity::Error, file, 0, why}; }

bool wanted(const QString &name) {
    const auto &names = fileNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

void readFolder(const QString &path, QHash<QString, QByteArray> &files, std::vector<Problem> &problems) {
    const QDir dir(path);
    for (const QString &name : fileNames()) {
        QFile f(dir.filePath(name));
        if (!f.exists()) continue;
        // Opening a FIFO would wait for a writer forever; a device never ends.
        if (!QFileInfo(f.fileName()).isFile()) {
            problems.push_back(feedError(name, QStringLiteral("通常のファイルではありません。")));
            continue;
        }
        if (f.size() > MaxFileBytes || !f.open(QIODevice::ReadOnly)) {
            problems.push_back(feedError(name, QStringLiteral("読めません: %1").arg(f.errorString())));
            continue;
        }
        files.insert(name, f.readAll());
    }
}

// The files at the archive's top, or, when it has none, in one folder inside it
// (archives made by zipping the feed's folder).
void readZip(const QString &path, QHash<QString, QByteArray> &files, std::vector<Problem> &problems) {
    int code = 0;
    std::unique_ptr<zip_t, int (*)(zip_t *)> archive(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code),
                                                     zip_close);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        problems.push_back(feedError(QFileInfo(path).fileName(),
                                     QStringLiteral("zipファイルとして開けません: %1")
                                         .arg(QString::fromLocal8Bit(zip_error_strerror(&error)))));
        zip_error_fini(&error);
        return;
    }
    QHash<QString, zip_uint64_t> top, nested;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *raw = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (!raw) continue;
        const QString entry = QString::fromUtf8(raw);
        const QStringList parts = entry.split(QLatin1Char('/'));
        if (parts.size() == 1 && wanted(entry) && !top.contains(entry))
            top.insert(entry, static_cast<zip_uint64_t>(i));
        else if (parts.size() == 2 && wanted(parts[1]) && !nested.contains(parts[1]))
            nested.insert(parts[1], static_cast<zip_uint64_t>(i));
    }
    const QHash<QString, zip_uint64_t> &use = top.isEmpty() ? nested : top;
    for (auto it = use.cbegin(); it != use.cend(); ++it) {
        std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> f(zip_fopen_index(archive.get(), it.value(), 0), zip_fclose);
        if (!f) {
            problems.push_back(feedError(it.key(), QStringLiteral("zipの中のファイルを開けません: %1")
                                                       .arg(QString::fromLocal8Bit(zip_strerror(archive.get())))));
            continue;
        }
        // Read to the end rather than trusting the size the archive declares.
        QByteArray bytes;
        char chunk[1 << 16];
        zip_int64_t n = 0;
        while ((n = zip_fread(f.get(), chunk, sizeof chunk)) > 0) {
            if (bytes.size() + n > MaxFileBytes) {
                n = -2;
                break;
            }
            bytes.append(chunk, static_cast<qsizetype>(n));
        }
        if (n < 0) {
            problems.push_back(feedError(it.key(), n == -2 ? QStringLiteral("大きすぎます（1GiBまで）。")
                                                           : QStringLiteral("zipの中のファイルが壊れています: %1")
                                                                 .arg(QString::fromLocal8Bit(zip_file_strerror(f.get())))));
            continue;
        }
        files.insert(it.key(), bytes);
    }
}

}  // namespace

Feed read(const QString &path) {
    QHash<QString, QByteArray> files;
    std::vector<Problem> problems;
    const QFileInfo info(path);
    if (info.isDir())
        readFolder(path, files, problems);
    else if (info.isFile())
        readZip(path, files, problems);
    else
        problems.push_back(feedError(QString(), QStringLiteral("「%1」がありません（GTFSのフォルダかzipファイルを指定してください）。").arg(path)));
    if (!problems.empty()) {
        Feed feed;
        feed.problems = std::move(problems);
        return feed;
    }
    return parse(files);
}

}  // namespace gtfs
