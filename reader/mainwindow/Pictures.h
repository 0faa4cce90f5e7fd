#pragma once
// The program's own pictures: the icons of the tool bars and the feed tree, and
// the logo. They are drawn at start-up, so no image files need to ship.
#include <QImage>
#include <QSize>

namespace platform::controls {
class ImageListModel;
}

namespace quillet {

// Adds a 16x16 picture under each key of the main window's image list: "XML",
// "XML2", "FAV_CLOSE", "FAV_OPEN", "CLOSE", "OPEN", "DOC", "BACK", "HOME",
// "FORWARD", "REFRESH", "STOP", "FAV_ADD", "FAV_ORDER", "TAB_DELETE", "TAB_ADD",
// and "IE" for web sites.
void addMainWindowPictures(platform::controls::ImageListModel& images);

QImage logoPicture(const QSize& size);

} // namespace quillet
