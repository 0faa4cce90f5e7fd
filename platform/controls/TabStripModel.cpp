#include "platform/controls/SimpleModels.h"

#include "platform/runtime/RuntimeError.h"

namespace platform::controls {

namespace {
void checkPosition(int position, int count) {
    if (position < 1 || position > count)
        raiseError(err::SubscriptOutOfRange);
}
} // namespace

TabStripModel::TabStripModel(QObject* parent) : QObject(parent) {}

int TabStripModel::addTab(const QString& caption, const QString& tag) {
    tabs_.push_back(Tab{caption, tag});
    const int position = count();
    emit tabAdded(position);
    // A strip with tabs always has one selected.
    if (selected_ == 0) {
        selected_ = 1;
        emit selectedChanged(1);
    }
    return position;
}

void TabStripModel::removeTab(int position) {
    checkPosition(position, count());
    tabs_.erase(tabs_.begin() + (position - 1));
    const int before = selected_;
    if (tabs_.empty())
        selected_ = 0;
    else if (position < selected_ || selected_ > count())
        --selected_;
    emit tabRemoved(position);
    // Removing the selected tab changes which tab is selected even when the
    // number stays the same, so listeners hear of it either way.
    if (selected_ != before || position == before)
        emit selectedChanged(selected_);
}

QString TabStripModel::caption(int position) const {
    checkPosition(position, count());
    return tabs_[static_cast<std::size_t>(position - 1)].caption;
}

void TabStripModel::setCaption(int position, const QString& caption) {
    checkPosition(position, count());
    QString& current = tabs_[static_cast<std::size_t>(position - 1)].caption;
    if (current == caption)
        return;
    current = caption;
    emit captionChanged(position, caption);
}

QString TabStripModel::tag(int position) const {
    checkPosition(position, count());
    return tabs_[static_cast<std::size_t>(position - 1)].tag;
}

void TabStripModel::setTag(int position, const QString& tag) {
    checkPosition(position, count());
    tabs_[static_cast<std::size_t>(position - 1)].tag = tag;
}

void TabStripModel::select(int position) {
    checkPosition(position, count());
    if (selected_ == position)
        return;
    selected_ = position;
    emit selectedChanged(position);
}

} // namespace platform::controls
