// Taking the feed's files out of a folder or a zip file (libzip).
#include "gtfs_feed.h"

#include "base/message_language.h"
#include "base/regular_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zip.h>

#include <algorithm>
#include <memory>

using message_language::shared;

namespace gtfs {

namespace {

Problem feedError(const QString &file, const QString &why) { return {Problem::Severity::Error, file, 0, why}; }

bool wanted(const QString &name) {
    const auto &names = fileNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

Problem tooLarge(const QString &file, const Limits &limits) {
    return feedError(file, shared("too large (a feed's files may hold %1 MiB together).", "大きすぎます（フィードのファイルは合わせて%1MiBまで）。").arg(limits.maxBytes >> 20));
}

void readFolder(const QString &path, const Limits &limits, QHash<QString, QByteArray> &files,
                std::vector<Problem> &problems) {
    const QDir dir(path);
    qint64 left = limits.maxBytes;
    for (const QString &name : fileNames()) {
        // Only a regular file: opening a FIFO would wait for a writer forever; a device never ends.
        regular_file::Read f = regular_file::read(dir.filePath(name), left);
        switch (f.status) {
        case regular_file::Status::Missing: continue;
        case regular_file::Status::Ok: break;
        case regular_file::Status::NotRegular:
            problems.push_back(feedError(name, shared("not a regular file.", "通常のファイルではありません。")));
            continue;
        case regular_file::Status::TooLarge: problems.push_back(tooLarge(name, limits)); continue;
        case regular_file::Status::Unreadable: problems.push_back(feedError(name, shared("cannot be read.", "読めません。"))); continue;
        }
        left -= f.bytes.size();
        files.insert(name, std::move(f.bytes));
    }
}

// The files at the archive's top, or, when it has none, in one folder inside it
// (archives made by zipping the feed's folder).
void readZip(const QString &path, const Limits &limits, QHash<QString, QByteArray> &files,
             std::vector<Problem> &problems) {
    qint64 left = limits.maxBytes;
    int code = 0;
    std::unique_ptr<zip_t, int (*)(zip_t *)> archive(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code),
                                                     zip_close);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        problems.push_back(feedError(QFileInfo(path).fileName(),
                                     shared("cannot be opened as a zip file: %1", "zipファイルとして開けません: %1")
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
            problems.push_back(feedError(it.key(), shared("cannot open the file in the zip: %1", "zipの中のファイルを開けません: %1")
                                                       .arg(QString::fromLocal8Bit(zip_strerror(archive.get())))));
            continue;
        }
        // Read to the end rather than trusting the size the archive declares.
        QByteArray bytes;
        // The declared size saves growing the buffer by doubling, which would need twice the memory.
        zip_stat_t st;
        if (zip_stat_index(archive.get(), it.value(), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
            st.size <= zip_uint64_t(left))
            bytes.reserve(static_cast<qsizetype>(st.size));
        char chunk[1 << 16];
        zip_int64_t n = 0;
        while ((n = zip_fread(f.get(), chunk, sizeof chunk)) > 0) {
            if (bytes.size() + n > left) {
                n = -2;
                break;
            }
            bytes.append(chunk, static_cast<qsizetype>(n));
        }
        if (n < 0) {
            problems.push_back(n == -2 ? tooLarge(it.key(), limits)
                                       : feedError(it.key(), shared("the file in the zip is damaged: %1", "zipの中のファイルが壊れています: %1")
                                                                 .arg(QString::fromLocal8Bit(zip_file_strerror(f.get())))));
            continue;
        }
        left -= bytes.size();
        files.insert(it.key(), bytes);
    }
}

}  // namespace

Feed read(const QString &path, const Limits &limits) {
    QHash<QString, QByteArray> files;
    std::vector<Problem> problems;
    const QFileInfo info(path);
    if (info.isDir())
        readFolder(path, limits, files, problems);
    else if (info.isFile())
        readZip(path, limits, files, problems);
    else
        problems.push_back(feedError(QString(), shared("\"%1\" does not exist (give a GTFS folder or zip file).", "「%1」がありません（GTFSのフォルダかzipファイルを指定してください）。").arg(path)));
    if (!problems.empty()) {
        Feed feed;
        feed.problems = std::move(problems);
        return feed;
    }
    return parse(files, limits);
}

}  // namespace gtfs
