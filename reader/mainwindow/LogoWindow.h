#pragma once
// The logo shown while the main window loads; it has no behaviour of its own.
#include <QImage>
#include <QWidget>

namespace quillet {

class LogoWindow : public QWidget {
    Q_OBJECT
public:
    explicit LogoWindow(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage logo_;
};

} // namespace quillet
