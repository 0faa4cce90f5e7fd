#include "reader/mainwindow/Pictures.h"

#include "platform/controls/SimpleModels.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace quillet {

namespace {

constexpr int IconSize = 16;

QImage blankIcon() {
    QImage image(IconSize, IconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage folderIcon(bool open, const QColor& body) {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(body.darker(160));
    p.setBrush(body.darker(115));
    p.drawRect(QRectF(1.5, 3.5, 6, 3));
    p.setBrush(body);
    if (open) {
        QPainterPath front;
        front.moveTo(1.5, 13.5);
        front.lineTo(4.5, 7.5);
        front.lineTo(15.5, 7.5);
        front.lineTo(12.5, 13.5);
        front.closeSubpath();
        p.drawRect(QRectF(1.5, 5.5, 12, 8));
        p.setBrush(body.lighter(120));
        p.drawPath(front);
    } else {
        p.drawRect(QRectF(1.5, 5.5, 13, 8));
    }
    return image;
}

// A rounded badge with a short text, the way feed kinds are told apart at a glance.
QImage badgeIcon(const QColor& color, const QString& text) {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(color.darker(150));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 2.5, 2.5);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(text.size() > 3 ? 6 : 7);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 2, 16, 12), Qt::AlignCenter, text);
    return image;
}

QImage arrowIcon(bool pointsLeft, const QColor& color) {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(color.darker(150));
    p.setBrush(color);
    QPainterPath arrow;
    if (pointsLeft) {
        arrow.moveTo(1.5, 8);
        arrow.lineTo(8, 1.5);
        arrow.lineTo(8, 5);
        arrow.lineTo(14.5, 5);
        arrow.lineTo(14.5, 11);
        arrow.lineTo(8, 11);
        arrow.lineTo(8, 14.5);
    } else {
        arrow.moveTo(14.5, 8);
        arrow.lineTo(8, 1.5);
        arrow.lineTo(8, 5);
        arrow.lineTo(1.5, 5);
        arrow.lineTo(1.5, 11);
        arrow.lineTo(8, 11);
        arrow.lineTo(8, 14.5);
    }
    arrow.closeSubpath();
    p.drawPath(arrow);
    return image;
}

QImage stopIcon() {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(140, 0, 0));
    p.setBrush(QColor(210, 40, 40));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return image;
}

QImage refreshIcon() {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(30, 140, 60);
    p.setPen(QPen(green, 2));
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 300 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    QPainterPath head;
    head.moveTo(9, 0.5);
    head.lineTo(14.5, 3.5);
    head.lineTo(9, 6.5);
    head.closeSubpath();
    p.drawPath(head);
    return image;
}

QImage homeIcon() {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(120, 60, 20));
    p.setBrush(QColor(200, 80, 40));
    QPainterPath roof;
    roof.moveTo(0.5, 8);
    roof.lineTo(8, 1);
    roof.lineTo(15.5, 8);
    roof.closeSubpath();
    p.drawPath(roof);
    p.setBrush(QColor(245, 230, 200));
    p.drawRect(QRectF(3.5, 8, 9, 6.5));
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(7, 10, 2.5, 4.5));
    return image;
}

QImage starIcon(bool withPlus) {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(170, 120, 0));
    p.setBrush(QColor(250, 200, 40));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? 7.0 : 3.0;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF point(8 + radius * std::cos(angle), 8 + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
    if (withPlus) {
        p.setPen(QPen(QColor(0, 110, 0), 2));
        p.drawLine(QPointF(12, 10), QPointF(12, 15.5));
        p.drawLine(QPointF(9.5, 12.8), QPointF(15, 12.8));
    }
    return image;
}

QImage orderIcon() {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setPen(QColor(60, 60, 120));
    for (int row = 0; row < 4; ++row) {
        p.setBrush(QColor(120, 140, 220));
        p.drawRect(1, 2 + row * 3, 2, 2);
        p.drawLine(5, 3 + row * 3, 14, 3 + row * 3);
    }
    return image;
}

QImage tabIcon(bool add) {
    QImage image = blankIcon();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(70, 90, 130));
    p.setBrush(QColor(225, 232, 245));
    p.drawRect(QRectF(0.5, 4.5, 11, 9));
    p.drawRect(QRectF(0.5, 2.5, 5, 2));
    p.setPen(QPen(add ? QColor(0, 130, 0) : QColor(190, 0, 0), 2));
    p.drawLine(QPointF(10, 11), QPointF(15, 11));
    if (add)
        p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 13.5));
    return image;
}

} // namespace

void addMainWindowPictures(platform::controls::ImageListModel& images) {
    const QColor folderYellow(240, 200, 80);
    const QColor favouriteBlue(120, 170, 230);
    images.add(QStringLiteral("XML"), badgeIcon(QColor(235, 120, 20), QStringLiteral("RSS")));
    images.add(QStringLiteral("XML2"), badgeIcon(QColor(40, 120, 200), QStringLiteral("RDF")));
    images.add(QStringLiteral("FAV_CLOSE"), folderIcon(false, favouriteBlue));
    images.add(QStringLiteral("FAV_OPEN"), folderIcon(true, favouriteBlue));
    images.add(QStringLiteral("CLOSE"), folderIcon(false, folderYellow));
    images.add(QStringLiteral("OPEN"), folderIcon(true, folderYellow));
    images.add(QStringLiteral("DOC"), badgeIcon(QColor(110, 110, 110), QStringLiteral("DOC")));
    images.add(QStringLiteral("IE"), badgeIcon(QColor(30, 150, 110), QStringLiteral("WEB")));
    images.add(QStringLiteral("BACK"), arrowIcon(true, QColor(60, 130, 220)));
    images.add(QStringLiteral("FORWARD"), arrowIcon(false, QColor(60, 130, 220)));
    images.add(QStringLiteral("HOME"), homeIcon());
    images.add(QStringLiteral("REFRESH"), refreshIcon());
    images.add(QStringLiteral("STOP"), stopIcon());
    images.add(QStringLiteral("FAV_ADD"), starIcon(true));
    images.add(QStringLiteral("FAV_ORDER"), orderIcon());
    images.add(QStringLiteral("TAB_DELETE"), tabIcon(false));
    images.add(QStringLiteral("TAB_ADD"), tabIcon(true));
}

QImage logoPicture(const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(28, 52, 96));
    sky.setColorAt(1, QColor(70, 120, 180));
    p.fillRect(image.rect(), sky);

    // A quill crossing a sheet of paper.
    const double w = size.width();
    const double h = size.height();
    p.setPen(QColor(200, 200, 190));
    p.setBrush(QColor(250, 248, 236));
    p.drawRect(QRectF(w * 0.08, h * 0.2, w * 0.22, h * 0.6));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int line = 0; line < 6; ++line) {
        const double y = h * (0.3 + line * 0.08);
        p.drawLine(QPointF(w * 0.11, y), QPointF(w * 0.27, y));
    }
    QPainterPath feather;
    feather.moveTo(w * 0.16, h * 0.78);
    feather.cubicTo(w * 0.22, h * 0.45, w * 0.34, h * 0.2, w * 0.42, h * 0.1);
    feather.cubicTo(w * 0.36, h * 0.3, w * 0.3, h * 0.5, w * 0.16, h * 0.78);
    p.setPen(QPen(QColor(90, 70, 40), 1.5));
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawPath(feather);

    QFont title(QStringLiteral("Noto Serif CJK JP"));
    title.setPixelSize(static_cast<int>(h * 0.26));
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(w * 0.36, h * 0.18, w * 0.62, h * 0.4), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quillet"));
    QFont subtitle(QStringLiteral("Noto Sans CJK JP"));
    subtitle.setPixelSize(static_cast<int>(h * 0.09));
    p.setFont(subtitle);
    p.setPen(QColor(220, 230, 245));
    p.drawText(QRectF(w * 0.37, h * 0.58, w * 0.6, h * 0.15), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("RSS ニュースリーダー  ver. 0.50"));
    p.drawText(QRectF(w * 0.37, h * 0.72, w * 0.6, h * 0.12), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("起動しています…"));
    return image;
}

} // namespace quillet
