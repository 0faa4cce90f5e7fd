#pragma once
// A label used as a link, without its widget: its caption (the address it
// stands for) and its text colour as a COLORREF (0x00BBGGRR), which the dialog
// that owns it changes as the mouse moves.
#include <QObject>
#include <QString>
#include <cstdint>

namespace platform::controls {

class LinkLabelModel : public QObject {
    Q_OBJECT
public:
    explicit LinkLabelModel(QObject* parent = nullptr) : QObject(parent) {}

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);
    std::uint32_t foreColor() const { return foreColor_; }
    void setForeColor(std::uint32_t colorref);

signals:
    void changed();

private:
    QString caption_;
    std::uint32_t foreColor_ = 0xFF0000; // blue
};

} // namespace platform::controls
