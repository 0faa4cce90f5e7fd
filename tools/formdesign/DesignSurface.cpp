#include "tools/formdesign/DesignSurface.h"
#include "platform/forms/HostedControl.h"
#include "platform/gdi/DeviceContext.h"
#include "tools/formdesign/DesignDocument.h"
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace formdesign {

namespace {

// The form's face colour, the classic button face.
const QColor FormFace(212, 208, 200);
constexpr int HandleSize = 6;

// The control's own design-time look; a plain labelled frame for a control
// that draws nothing.
QImage lookOf(platform::forms::HostedControl& hosted, const PlacedControl& placed) {
    const QSize size = placed.pixels().size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(FormFace);
    const QImage blank = image;
    if (const platform::win::HDC dc = platform::gdi::createImageDC(&image)) {
        hosted.control().paintDesign(dc, platform::win::RECT{0, 0, size.width(), size.height()});
        platform::gdi::releaseImageDC(dc);
    }
    if (image == blank) {
        QPainter painter(&image);
        painter.setPen(Qt::darkGray);
        painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(image.rect().adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap,
                         placed.name);
    }
    return image;
}

} // namespace

DesignSurface::DesignSurface(DesignDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, FormFace);
    setPalette(face);
}

QSize DesignSurface::sizeHint() const {
    return {480, 320};
}

void DesignSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The designer's dot grid, every 120 twips.
    painter.setPen(QColor(96, 96, 96));
    const int step = 120 / TwipsPerPixel;
    for (int y = step; y < height(); y += step) {
        for (int x = step; x < width(); x += step) {
            painter.drawPoint(x, y);
        }
    }
    if (!document_.isOpen()) {
        return;
    }
    for (const PlacedControl& placed : document_.controls()) {
        platform::forms::HostedControl* hosted = document_.form().hostedControl(placed.name);
        if (hosted == nullptr) {
            continue;
        }
        const QRect box = placed.pixels();
        painter.drawImage(box.topLeft(), lookOf(*hosted, placed));
        if (placed.name != document_.selected()) {
            continue;
        }
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(-2, -2, 1, 1));
        painter.setPen(Qt::NoPen);
        painter.setBrush(hasFocus() ? QColor(0, 0, 128) : QColor(128, 128, 128));
        const int half = HandleSize / 2;
        for (int hx : {box.left(), box.center().x(), box.right()}) {
            for (int hy : {box.top(), box.center().y(), box.bottom()}) {
                if (hx == box.center().x() && hy == box.center().y()) {
                    continue;
                }
                painter.drawRect(hx - half, hy - half, HandleSize, HandleSize);
            }
        }
    }
}

void DesignSurface::selectAt(QPoint pixel) {
    document_.select(document_.controlAt(pixel * TwipsPerPixel));
    update();
    emit selectionChanged();
}

void DesignSurface::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    selectAt(event->position().toPoint());
}

void DesignSurface::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        document_.selectNext(event->key() == Qt::Key_Backtab);
        update();
        emit selectionChanged();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool DesignSurface::focusNextPrevChild(bool) {
    return false; // Tab moves the selection between controls, not the focus
}

void DesignSurface::contextMenuEvent(QContextMenuEvent* event) {
    selectAt(event->pos());
    if (document_.selected().isEmpty()) {
        return;
    }
    QMenu menu(this);
    QAction* properties = menu.addAction(QStringLiteral("プロパティ(&R)...\tF4"));
    QAction* remove = menu.addAction(QStringLiteral("削除(&D)\tDel"));
    QAction* chosen = menu.exec(event->globalPos());
    if (chosen == properties) {
        emit propertiesRequested();
    } else if (chosen == remove) {
        emit deleteRequested();
    }
}

} // namespace formdesign
