#include "panel/backlight.h"

#include "panel/backlight_error.h"
#include "panel/board_layout.h"
#include "panel/msg_box.h"
#include "board/form1.h"
#include "core/settings.h"
#include "media/sound_channels.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>

namespace backlight {

int loadPanelPicture(const QString &path, QImage &picture) {
    const QFileInfo info(path);
    if (!info.exists()) return info.dir().exists() ? kFileNotFound : kPathNotFound;
    if (!info.isFile() || !info.isReadable()) return kPathFileAccess;

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    // The picture kinds the options offer; anything else is not a panel picture.
    if (format != "bmp" && format != "gif" && format != "jpeg" && format != "jpg") return kInvalidPicture;
    QImage read = reader.read();
    if (read.isNull()) {
        switch (reader.error()) {
        case QImageReader::FileNotFoundError: return kFileNotFound;
        case QImageReader::DeviceError: return kPathFileAccess;
        default: return kInvalidPicture;
        }
    }
    picture = read;
    return 0;
}

}  // namespace backlight

void applyBacklight(Form1 &board, const Settings &settings, int index) {
    if (index < 0 || index > 2) return;
    const COLORREF labelColour = settings.labelColor(index);

    int error = 0;
    if (!settings.panelEach() || !settings.panelUser(index)) {
        board.setPicture(board.builtInPicture(index));
    } else if (const QString file = settings.panelFile(index); snd::isPlainFile(file)) {
        QImage picture;
        error = backlight::loadPanelPicture(file, picture);
        if (error == 0) board.setPicture(picture);
    }
    // A missing user file keeps the picture silently; a failed one keeps it with a message.
    if (error != 0)
        msgbox::show(&board, backlight::errorText(error), QMessageBox::Ok, msgbox::Icon::Critical,
                     QStringLiteral("エラー"));

    for (int i = 1; i <= 32; ++i) board_layout::setLabelForeColor(board.ticketLabel(i), labelColour);
}
