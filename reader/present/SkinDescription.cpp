#include "reader/present/SkinDescription.h"

namespace quillet {

SkinDescription parseSkinDescription(const QStringList& lines) {
    SkinDescription skin;
    const struct {
        QLatin1String prefix;
        QString SkinDescription::*field;
    } fields[] = {
        {QLatin1String("##SkinName="), &SkinDescription::name},
        {QLatin1String("##Creator="), &SkinDescription::creator},
        {QLatin1String("##CreateDate="), &SkinDescription::createDate},
        {QLatin1String("##Comment="), &SkinDescription::comment},
        {QLatin1String("##Homepage="), &SkinDescription::homepage},
        {QLatin1String("##Email="), &SkinDescription::email},
    };
    for (const QString& line : lines) {
        for (const auto& field : fields) {
            if (line.startsWith(field.prefix, Qt::CaseSensitive)) {
                skin.*field.field = line.mid(field.prefix.size());
                break;
            }
        }
    }
    return skin;
}

} // namespace quillet
