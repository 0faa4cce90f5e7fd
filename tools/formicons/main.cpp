// Draws the sixteen 16 × 16 menu pictures of the reader's main window and
// writes the main window's form file with them, so the stored icons can be
// made again from this source. Run from the source tree:
//   build/tools/formicons/formicons reader/resources/forms
// It writes <folder>/Form1.frm and a PNG of each picture in <folder>/icons.
#include "menuctl/design/IconBytes.h"
#include "platform/forms/FontObject.h"
#include "platform/forms/FormFile.h"
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

// Painted on this colour, which then becomes the transparent part.
const QColor Key(255, 0, 255);
const QColor Ink(0, 0, 0);
const QColor Paper(255, 255, 255);
const QColor PaperShade(192, 192, 192);
const QColor FolderYellow(255, 214, 90);
const QColor FolderShade(192, 140, 0);
const QColor Green(0, 150, 0);
const QColor DarkGreen(0, 96, 0);
const QColor Blue(0, 64, 192);
const QColor Red(208, 0, 0);
const QColor Orange(240, 128, 0);
const QColor Grey(128, 128, 128);

using Painter = std::function<void(QPainter&)>;

void page(QPainter& p, int left = 3, int right = 12) {
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawRect(left, 1, right - left, 13);
    p.setPen(PaperShade);
    for (int y = 4; y <= 11; y += 2) {
        p.drawLine(left + 2, y, right - 2, y);
    }
}

void folder(QPainter& p) {
    p.setPen(FolderShade);
    p.setBrush(FolderYellow);
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 3, 5, 1);
}

void arrow(QPainter& p, bool left, QColor fill, QColor edge) {
    QPolygon shape;
    if (left) {
        shape << QPoint(1, 7) << QPoint(7, 1) << QPoint(7, 4) << QPoint(14, 4) << QPoint(14, 10)
              << QPoint(7, 10) << QPoint(7, 13);
    } else {
        shape << QPoint(14, 7) << QPoint(8, 1) << QPoint(8, 4) << QPoint(1, 4) << QPoint(1, 10)
              << QPoint(8, 10) << QPoint(8, 13);
    }
    p.setPen(edge);
    p.setBrush(fill);
    p.drawPolygon(shape);
}

void smallArrow(QPainter& p, int x, int y, bool right, QColor colour) {
    p.setPen(colour);
    p.setBrush(colour);
    QPolygon head;
    if (right) {
        head << QPoint(x + 4, y) << QPoint(x + 1, y - 3) << QPoint(x + 1, y + 3);
        p.drawRect(x - 3, y - 1, 4, 2);
    } else {
        head << QPoint(x - 4, y) << QPoint(x - 1, y - 3) << QPoint(x - 1, y + 3);
        p.drawRect(x - 1, y - 1, 4, 2);
    }
    p.drawPolygon(head);
}

struct Picture {
    const char* item;
    const char* file;
    Painter paint;
};

const std::vector<Picture>& pictures() {
    static const std::vector<Picture> all = {
        {"mnuFileOpen", "open",
         [](QPainter& p) {
             folder(p);
             p.setPen(FolderShade);
             p.setBrush(QColor(255, 240, 170));
             p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
         }},
        {"mnuViewOrientGoBack", "back", [](QPainter& p) { arrow(p, true, Green, DarkGreen); }},
        {"mnuViewOrientGoForward", "forward",
         [](QPainter& p) { arrow(p, false, Green, DarkGreen); }},
        {"mnuViewOrientGoHome", "home",
         [](QPainter& p) {
             p.setPen(Ink);
             p.setBrush(Red);
             p.drawPolygon(QPolygon({QPoint(7, 1), QPoint(14, 7), QPoint(1, 7)}));
             p.setBrush(Paper);
             p.drawRect(3, 7, 9, 7);
             p.setBrush(FolderShade);
             p.drawRect(6, 10, 3, 4);
         }},
        {"mnuViewStop", "stop",
         [](QPainter& p) {
             p.setPen(QColor(128, 0, 0));
             p.setBrush(Red);
             p.drawPolygon(QPolygon({QPoint(5, 1), QPoint(10, 1), QPoint(14, 5), QPoint(14, 10),
                                     QPoint(10, 14), QPoint(5, 14), QPoint(1, 10), QPoint(1, 5)}));
             p.setPen(QPen(Paper, 2));
             p.drawLine(5, 5, 10, 10);
             p.drawLine(10, 5, 5, 10);
         }},
        {"mnuViewRefresh", "refresh",
         [](QPainter& p) {
             p.setPen(QPen(Green, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(2, 2, 11, 11, 30 * 16, 150 * 16);
             p.drawArc(2, 2, 11, 11, 210 * 16, 150 * 16);
             p.setPen(DarkGreen);
             p.setBrush(DarkGreen);
             p.drawPolygon(QPolygon({QPoint(14, 1), QPoint(14, 6), QPoint(9, 6)}));
             p.drawPolygon(QPolygon({QPoint(1, 14), QPoint(1, 9), QPoint(6, 9)}));
         }},
        {"mnuToolSearch", "search",
         [](QPainter& p) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(QColor(200, 230, 255));
             p.drawEllipse(1, 1, 9, 9);
             p.setPen(QPen(FolderShade, 3));
             p.drawLine(10, 10, 14, 14);
         }},
        {"mnuHelpShowHelp", "help",
         [](QPainter& p) {
             p.setPen(QColor(0, 0, 128));
             p.setBrush(Blue);
             p.drawEllipse(0, 0, 15, 15);
             p.setPen(QPen(Paper, 2));
             p.drawArc(5, 3, 6, 6, -90 * 16, 270 * 16);
             p.drawLine(8, 9, 8, 10);
             p.drawPoint(8, 12);
         }},
        {"mnuToolSetup", "setup",
         [](QPainter& p) {
             p.setPen(QPen(Grey, 3));
             for (int i = 0; i < 4; ++i) {
                 p.save();
                 p.translate(7.5, 7.5);
                 p.rotate(45.0 * i);
                 p.drawLine(QPointF(-6.5, 0), QPointF(6.5, 0));
                 p.restore();
             }
             p.setPen(Ink);
             p.setBrush(PaperShade);
             p.drawEllipse(3, 3, 9, 9);
             p.setBrush(Key);
             p.drawEllipse(6, 6, 3, 3);
         }},
        {"mnuPoptvwGetNews", "getnews",
         [](QPainter& p) {
             page(p, 1, 11);
             p.setPen(Orange);
             p.setBrush(Orange);
             p.drawRect(9, 8, 6, 6);
             p.setPen(Paper);
             p.drawPoint(10, 12);
             p.drawArc(8, 9, 6, 6, 0, 90 * 16);
         }},
        {"mnuFilePrintPageSetup", "pagesetup",
         [](QPainter& p) {
             page(p, 1, 10);
             p.setPen(Blue);
             p.drawLine(13, 1, 13, 14);
             p.drawLine(12, 2, 14, 2);
             p.drawLine(12, 13, 14, 13);
         }},
        {"mnuFileExport", "export",
         [](QPainter& p) {
             page(p, 1, 9);
             smallArrow(p, 11, 8, true, Blue);
         }},
        {"mnuEditAddFolder", "addfolder",
         [](QPainter& p) {
             folder(p);
             p.setPen(QPen(Green, 2));
             p.drawLine(11, 1, 11, 8);
             p.drawLine(8, 4, 14, 4);
         }},
        {"mnuFilePrintThisPage", "print",
         [](QPainter& p) {
             p.setPen(Ink);
             p.setBrush(Paper);
             p.drawRect(4, 1, 7, 5);
             p.setBrush(PaperShade);
             p.drawRect(1, 6, 13, 6);
             p.setBrush(Paper);
             p.drawRect(4, 10, 7, 4);
             p.setPen(Green);
             p.drawPoint(12, 8);
         }},
        {"mnuFileImport", "import",
         [](QPainter& p) {
             page(p, 6, 14);
             smallArrow(p, 4, 8, true, Blue);
         }},
        {"mnuEditShowSource", "source",
         [](QPainter& p) {
             page(p, 2, 13);
             p.setPen(QPen(Blue, 1));
             p.setPen(Paper);
             p.setBrush(Paper);
             p.drawRect(3, 4, 9, 8);
             p.setPen(Blue);
             p.drawPolyline(QPolygon({QPoint(6, 4), QPoint(3, 8), QPoint(6, 12)}));
             p.drawPolyline(QPolygon({QPoint(9, 4), QPoint(12, 8), QPoint(9, 12)}));
         }},
    };
    return all;
}

QImage draw(const Painter& paint) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Key);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paint(painter);
    return image;
}

zephalt::IconPixels toIcon(const QImage& image) {
    zephalt::IconPixels icon = zephalt::IconPixels::blank(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool clear = c == Key;
            icon.setTransparent(x, y, clear);
            // Transparent pixels are black, as an icon's colour bitmap has them.
            icon.setPixel(
                x, y,
                clear ? 0u
                      : static_cast<std::uint32_t>(c.red() | (c.green() << 8) | (c.blue() << 16)));
        }
    }
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: formicons <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("icons"));
    platform::forms::FontObject font;
    font.name = QStringLiteral("ＭＳ Ｐゴシック");
    font.size = 9;
    font.weight = 400;
    font.charset = 128;
    // The main window stores its names in lower case.
    QVariantMap stored{{QStringLiteral("_extentx"), 1058},
                       {QStringLiteral("_extenty"), 1058},
                       {QStringLiteral("menufont"), QVariant::fromValue(font)}};
    QString names;
    for (const Picture& picture : pictures()) {
        const QImage image = draw(picture.paint);
        QImage shown = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                if (image.pixelColor(x, y) == Key) {
                    shown.setPixelColor(x, y, Qt::transparent);
                }
            }
        }
        shown.save(
            folder.filePath(QStringLiteral("icons/%1.png").arg(QLatin1String(picture.file))));
        const QString item = QString::fromLatin1(picture.item);
        names += item + u' ';
        stored.insert(item.toLower() + QStringLiteral(".uncheckedicon(0)"),
                      zephalt::IconToBytes(toIcon(image)));
    }
    stored.insert(QStringLiteral("menuitemnames"), names);
    platform::forms::FormFile form;
    form.formName = QStringLiteral("Form1");
    form.controls.push_back(
        {QStringLiteral("OwnerDrawMenu1"), QStringLiteral("OwnerDrawMenu"), stored});
    platform::forms::writeFormFile(folder.filePath(QStringLiteral("Form1.frm")), form);
    return 0;
}
