#include "platform/controls/LinkLabelModel.h"

namespace platform::controls {

void LinkLabelModel::setCaption(const QString& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    emit changed();
}

void LinkLabelModel::setForeColor(std::uint32_t colorref) {
    if (foreColor_ == colorref)
        return;
    foreColor_ = colorref;
    emit changed();
}

} // namespace platform::controls
