// A settings file: reading keys and writing one back over any bytes.
#include "FuzzFile.h"
#include "platform/profile/PrivateProfile.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = fuzzing::inputFile(data, size);
    using platform::profile::getPrivateProfileString;
    for (const char* key : {"Width", "Folders", "Saveurl", "SkinName", "xTitle"}) {
        for (const char* section : {"App", "General", "Skin", "XML"})
            getPrivateProfileString(QString::fromLatin1(section), QString::fromLatin1(key),
                                    QStringLiteral("default "), 256, path);
    }
    platform::profile::writePrivateProfileStrings(
        {{QStringLiteral("App"), QStringLiteral("Width"), QStringLiteral("9000")},
         {QStringLiteral("Skin"), QStringLiteral("SkinName"), QStringLiteral(" 既定 ")}},
        path);
    return 0;
}
