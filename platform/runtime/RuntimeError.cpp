#include "platform/runtime/RuntimeError.h"

namespace platform {

QString runtimeErrorText(int number) {
    switch (number) {
    case 1:
        return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
    case err::InvalidCall:
        return QStringLiteral("プロシージャの呼び出し、または引数が不正です。");
    case err::Overflow:
        return QStringLiteral("オーバーフローしました。");
    case err::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    case err::SubscriptOutOfRange:
        return QStringLiteral("インデックスが有効範囲にありません。");
    case err::TypeMismatch:
        return QStringLiteral("型が一致しません。");
    case err::BadFileName:
        return QStringLiteral("ファイル名または番号が不正です。");
    case err::FileNotFound:
        return QStringLiteral("ファイルが見つかりません。");
    case err::FileAlreadyOpen:
        return QStringLiteral("ファイルは既に開かれています。");
    case err::DeviceIoError:
        return QStringLiteral("デバイス I/O エラーです。");
    case err::DiskFull:
        return QStringLiteral("ディスクの空き容量が不足しています。");
    case err::InputPastEnd:
        return QStringLiteral("ファイルにこれ以上データがありません。");
    case err::PermissionDenied:
        return QStringLiteral("書き込みできません。");
    case err::PathFileAccessError:
        return QStringLiteral("パス名が無効です。");
    case err::PathNotFound:
        return QStringLiteral("パスが見つかりません。");
    case err::ObjectNotSet:
        return QStringLiteral("オブジェクト変数または With ブロック変数が設定されていません。");
    case 461:
        return QStringLiteral("メソッドまたはデータ メンバーが見つかりません。");
    case err::InvalidPropertyValue:
        return QStringLiteral("プロパティの値が不正です。");
    case err::ElementNotFound:
        return QStringLiteral("要素が見つかりません。");
    case err::KeyNotUnique:
        return QStringLiteral("キーがコレクション内で一意ではありません。");
    default:
        return QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。");
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, runtimeErrorText(number)) {}

RuntimeError::RuntimeError(int number, QString description)
    : number_(number), description_(std::move(description)),
      what_(QStringLiteral("%1: %2").arg(number_).arg(description_).toStdString()) {}

void raiseError(int number) {
    throw RuntimeError(number);
}

} // namespace platform
