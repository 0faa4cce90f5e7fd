#pragma once
// Failures are reported as the described runtime does: a number and a Japanese
// description. The procedure that owns the error handler catches this and turns
// it into its status or its message; it never crosses a Qt slot.
#include <QString>
#include <exception>
#include <string>

namespace platform {

namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIoError = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccessError = 75;
constexpr int PathNotFound = 76;
constexpr int ObjectNotSet = 91;
constexpr int InvalidPropertyValue = 380;
constexpr int ElementNotFound = 35601;
constexpr int KeyNotUnique = 35602;
} // namespace err

// The standard Japanese description of a runtime error number; numbers
// without a text of their own get "アプリケーション定義またはオブジェクト定義のエラーです。".
QString runtimeErrorText(int number);

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, QString description);

    int number() const noexcept { return number_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString description_;
    std::string what_;
};

[[noreturn]] void raiseError(int number);

} // namespace platform
