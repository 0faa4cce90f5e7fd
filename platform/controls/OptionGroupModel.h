#pragma once
// Option buttons in a frame without their widgets: an array of captions of
// which at most one is chosen. Choosing one clears the others.
#include <QObject>
#include <QStringList>

namespace platform::controls {

class OptionGroupModel : public QObject {
    Q_OBJECT
public:
    explicit OptionGroupModel(QString frameCaption, QStringList captions,
                              QObject* parent = nullptr);

    const QString& frameCaption() const { return frameCaption_; }
    int count() const { return static_cast<int>(captions_.size()); }
    QString caption(int index) const; // raises 9 outside 0..count-1

    // The value of button index: true for the chosen one.
    bool value(int index) const; // raises 9 outside 0..count-1
    // Choosing a button clears the others; clearing the chosen one leaves none chosen.
    void setValue(int index, bool value);
    int chosen() const { return chosen_; } // -1 when none is

signals:
    void chosenChanged(int index);

private:
    void check(int index) const;

    QString frameCaption_;
    QStringList captions_;
    int chosen_ = -1;
};

} // namespace platform::controls
