#pragma once
// The combo box control without its widget: a list of entries and an edit text.
#include <QObject>
#include <QStringList>

namespace platform::controls {

class ComboBoxModel : public QObject {
    Q_OBJECT
public:
    explicit ComboBoxModel(QObject* parent = nullptr) : QObject(parent) {}

    int count() const { return static_cast<int>(entries_.size()); }
    QString entry(int index) const; // raises 381 outside 0..count-1
    const QStringList& entries() const { return entries_; }
    void addEntry(const QString& entry);
    void clear();

    // The selected entry, -1 when the text was typed or set directly.
    int listIndex() const { return listIndex_; }
    void setListIndex(int index); // -1 clears the selection; raises 380 out of range

    const QString& text() const { return text_; }
    void setText(const QString& text);

    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& tip) { toolTip_ = tip; }

signals:
    void entriesChanged();
    void textChanged(const QString& text);
    void listIndexChanged(int index);

private:
    QStringList entries_;
    QString text_;
    QString toolTip_;
    int listIndex_ = -1;
};

} // namespace platform::controls
