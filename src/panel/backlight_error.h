#pragma once
// The backlight's error message: the error number and, for the known groups of
// numbers, what the user should look at.
#include <QString>

namespace backlight {

// Error numbers the backlight reports.
constexpr int kOutOfMemory = 7;
constexpr int kFileNotFound = 53;
constexpr int kPathFileAccess = 75;
constexpr int kPathNotFound = 76;
constexpr int kDeviceIo = 57;
constexpr int kInvalidPicture = 481;

// "エラーです。" CR LF CR LF "エラーコード：" number, and the group's explanation.
QString errorText(int number);

}  // namespace backlight
