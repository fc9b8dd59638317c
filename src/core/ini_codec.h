#pragma once
// The settings file's bytes: ten blocks, little-endian, no padding, strings as a
// 16-bit byte length followed by that many Shift-JIS bytes. No header, no checksum,
// so the decoder checks every length against what is left of the file and every list
// position against the list it selects from.
#include "core/ini_data.h"

#include <QByteArray>
#include <QString>

namespace inicodec {

// Number of bytes of a file whose strings are all empty.
constexpr int kEmptyFileSize = 430;
// The largest file the format allows: every one of its 17 strings at 65535 bytes.
constexpr int kStringCount = 17;
constexpr qint64 kMaxFileSize = kEmptyFileSize + qint64(kStringCount) * 0xFFFF;

// The file's bytes for `ini`. Strings longer than 65535 bytes are cut at a character
// boundary (no path or file name comes near that).
QByteArray encode(const IniData &ini);

struct DecodeResult {
    bool ok = false;
    int errorCode = 0;      // the run-time error number the failure corresponds to
    QString description;    // what is wrong and where, in Japanese
};

// Reads every block of `bytes`. Only when the whole file is sound is `out` replaced;
// a short file, a string running past the end or a list position outside its list
// leaves `out` untouched. The count before the digit records is read and ignored:
// there are always 32 records. Bytes after the last record are ignored.
DecodeResult decode(const QByteArray &bytes, IniData &out);

}  // namespace inicodec
