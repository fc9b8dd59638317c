#include "panel/backlight_error.h"

namespace backlight {

namespace {

QString explanation(int number) {
    switch (number) {
    case 7:
    case 28:
    case 51:
        return QStringLiteral("　内部的なエラーです。ミルトワへ報告してください。エラー場所：frmCtl.Option4_Click()");
    case 53:
    case 75:
    case 76: return QStringLiteral("　画像ファイルが見つからないか、指定している場所が不正です。");
    case 57:
    case 68: return QStringLiteral("　デバイスエラーもしくは準備が出来ていません。");
    case 481: return QStringLiteral("　指定した画像の内容が不正です。この部分では扱えません。");
    default: return QString();
    }
}

}  // namespace

QString errorText(int number) {
    return QStringLiteral("エラーです。\r\n\r\nエラーコード：") + QString::number(number) + explanation(number);
}

}  // namespace backlight
