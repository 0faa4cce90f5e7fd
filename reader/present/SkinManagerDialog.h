#pragma once
// The skin manager window SkinForm: shows a SkinManagerModel, its list, the
// current skin, the details and the preview browser.
#include "reader/present/SkinManagerModel.h"
#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;

namespace platform::web {
class WebBrowser;
}

namespace quillet {

class SkinManagerDialog : public QDialog {
    Q_OBJECT
public:
    SkinManagerDialog(AppState& app, platform::controls::StatusBarModel& mainStatus,
                      QWidget* parent = nullptr);

    SkinManagerModel& model() { return model_; }
    platform::web::WebBrowser* previewBrowser() const { return wbr1_; }

private:
    void showModel();

    SkinManagerModel model_;
    std::array<QLineEdit*, 2> txtSkin_{};
    std::array<QLabel*, 6> lbStatus_{};
    platform::web::WebBrowser* wbr1_ = nullptr;
};

} // namespace quillet
