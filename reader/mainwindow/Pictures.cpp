#include "reader/mainwindow/Pictures.h"

#include "platform/controls/SimpleModels.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace quillet {

namespace {

constexpr int IconSize = 16;

// A transparent 16x16 picture with whatever the function draws on it.
template <typename Draw> QImage drawIcon(Draw draw) {
    QImage image(IconSize, IconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return image;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    for (const QPointF& point : points) {
        if (path.elementCount() == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void outline(QPainter& p, const QColor& pen, const QColor& brush) {
    p.setPen(pen);
    p.setBrush(brush);
}

QImage folderIcon(bool open, const QColor& body) {
    return drawIcon([&](QPainter& p) {
        outline(p, body.darker(160), body.darker(115));
        p.drawRect(QRectF(1.5, 3.5, 6, 3));
        p.setBrush(body);
        if (open) {
            p.drawRect(QRectF(1.5, 5.5, 12, 8));
            p.setBrush(body.lighter(120));
            p.drawPath(polygon({{1.5, 13.5}, {4.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}}));
        } else {
            p.drawRect(QRectF(1.5, 5.5, 13, 8));
        }
    });
}

// A rounded badge with a short text, the way feed kinds are told apart at a glance.
QImage badgeIcon(const QColor& color, const QString& text) {
    return drawIcon([&](QPainter& p) {
        outline(p, color.darker(150), color);
        p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 2.5, 2.5);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(text.size() > 3 ? 6 : 7);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 2, 16, 12), Qt::AlignCenter, text);
    });
}

QImage arrowIcon(bool pointsLeft, const QColor& color) {
    // Drawn pointing left; mirrored for the other way.
    const auto x = [pointsLeft](double value) { return pointsLeft ? value : 16 - value; };
    return drawIcon([&](QPainter& p) {
        outline(p, color.darker(150), color);
        p.drawPath(polygon({{x(1.5), 8},
                            {x(8), 1.5},
                            {x(8), 5},
                            {x(14.5), 5},
                            {x(14.5), 11},
                            {x(8), 11},
                            {x(8), 14.5}}));
    });
}

QImage stopIcon() {
    return drawIcon([](QPainter& p) {
        outline(p, QColor(140, 0, 0), QColor(210, 40, 40));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
    });
}

QImage refreshIcon() {
    return drawIcon([](QPainter& p) {
        const QColor green(30, 140, 60);
        p.setPen(QPen(green, 2));
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 300 * 16);
        outline(p, Qt::transparent, green);
        p.drawPath(polygon({{9, 0.5}, {14.5, 3.5}, {9, 6.5}}));
    });
}

QImage homeIcon() {
    return drawIcon([](QPainter& p) {
        outline(p, QColor(120, 60, 20), QColor(200, 80, 40));
        p.drawPath(polygon({{0.5, 8}, {8, 1}, {15.5, 8}}));
        p.setBrush(QColor(245, 230, 200));
        p.drawRect(QRectF(3.5, 8, 9, 6.5));
        p.setBrush(QColor(120, 70, 30));
        p.drawRect(QRectF(7, 10, 2.5, 4.5));
    });
}

QImage starIcon() {
    return drawIcon([](QPainter& p) {
        outline(p, QColor(170, 120, 0), QColor(250, 200, 40));
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
        p.setPen(QPen(QColor(0, 110, 0), 2));
        p.drawLine(QPointF(12, 10), QPointF(12, 15.5));
        p.drawLine(QPointF(9.5, 12.8), QPointF(15, 12.8));
    });
}

QImage orderIcon() {
    return drawIcon([](QPainter& p) {
        outline(p, QColor(60, 60, 120), QColor(120, 140, 220));
        for (int row = 0; row < 4; ++row) {
            p.drawRect(1, 2 + row * 3, 2, 2);
            p.drawLine(5, 3 + row * 3, 14, 3 + row * 3);
        }
    });
}

QImage tabIcon(bool add) {
    return drawIcon([add](QPainter& p) {
        outline(p, QColor(70, 90, 130), QColor(225, 232, 245));
        p.drawRect(QRectF(0.5, 4.5, 11, 9));
        p.drawRect(QRectF(0.5, 2.5, 5, 2));
        p.setPen(QPen(add ? QColor(0, 130, 0) : QColor(190, 0, 0), 2));
        p.drawLine(QPointF(10, 11), QPointF(15, 11));
        if (add)
            p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 13.5));
    });
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
    images.add(QStringLiteral("FAV_ADD"), starIcon());
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
