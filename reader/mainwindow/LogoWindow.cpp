#include "reader/mainwindow/LogoWindow.h"

#include "reader/mainwindow/Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace quillet {

LogoWindow::LogoWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      logo_(logoPicture(QSize(480, 200))) {
    setObjectName(QStringLiteral("fLogo"));
    setFixedSize(logo_.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void LogoWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, logo_);
}

} // namespace quillet
