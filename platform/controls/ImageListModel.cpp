#include "platform/controls/SimpleModels.h"

#include "platform/runtime/RuntimeError.h"
#include <algorithm>

namespace platform::controls {

// A linear search: image lists hold a handful of pictures.
void ImageListModel::add(const QString& key, const QImage& image) {
    if (contains(key))
        raiseError(err::KeyNotUnique);
    entries_.push_back(Entry{key, image});
}

bool ImageListModel::contains(const QString& key) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&key](const Entry& entry) { return entry.key == key; });
}

QImage ImageListModel::image(const QString& key) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&key](const Entry& entry) { return entry.key == key; });
    if (found == entries_.end())
        raiseError(err::ElementNotFound);
    return found->image;
}

QStringList ImageListModel::keys() const {
    QStringList result;
    result.reserve(count());
    for (const Entry& entry : entries_)
        result.append(entry.key);
    return result;
}

} // namespace platform::controls
