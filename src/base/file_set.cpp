#include "base/file_set.h"

#include "base/message_language.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>
#include <optional>

namespace file_set {

namespace {

QString cannotWrite(const QString &path, const QString &why) {
    return message_language::shared("Cannot write \"%1\": %2", "「%1」に書き込めません: %2").arg(path, why);
}

bool writeOne(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

}  // namespace

QString writeAll(const std::vector<File> &files) {
    for (const auto &[path, bytes] : files)
        if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
            return message_language::shared("\"%1\" is not a regular file, so it cannot be written.", "「%1」は通常のファイルではないため、書き込めません。").arg(path);
    std::vector<std::unique_ptr<QSaveFile>> pending;
    for (const auto &[path, bytes] : files) {
        auto file = std::make_unique<QSaveFile>(path);
        if (!file->open(QIODevice::WriteOnly) || file->write(bytes) != bytes.size())
            return cannotWrite(path, file->errorString());  // the temporary files go with `pending`
        pending.push_back(std::move(file));
    }
    std::vector<std::optional<QByteArray>> before;
    for (std::size_t i = 0; i < files.size(); ++i) {
        QFile old(files[i].first);
        before.push_back(old.open(QIODevice::ReadOnly) ? std::optional(old.readAll()) : std::nullopt);
        if (pending[i]->commit()) continue;
        QString message = cannotWrite(files[i].first, pending[i]->errorString());
        for (std::size_t done = 0; done < i; ++done) {
            const QString &path = files[done].first;
            if (!before[done]) {
                QFile::remove(path);
                continue;
            }
            if (!writeOne(path, *before[done])) message += message_language::shared("\nCould not put \"%1\" back as it was.", "\n「%1」を元に戻せませんでした。").arg(path);
        }
        return message;
    }
    return {};
}

}  // namespace file_set
