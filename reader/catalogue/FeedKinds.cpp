#include "reader/catalogue/FeedKinds.h"

namespace quillet {

QString kindCodeOfNumber(int number) {
    switch (number) {
    case 0:
        return image::WebSite;
    case 1:
        return image::Rss;
    case 2:
        return image::Rdf;
    case 3:
        return image::Document;
    default:
        return QString();
    }
}

int kindNumberOfCode(const QString& code) {
    for (int number = 0; number <= 3; ++number) {
        if (kindCodeOfNumber(number) == code)
            return number;
    }
    return -1;
}

bool isFolderImage(const QString& imageKey) {
    return imageKey == image::Closed || imageKey == image::Open;
}

} // namespace quillet
