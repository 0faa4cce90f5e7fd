#include "reader/app/AppState.h"

#include "platform/runtime/MessageBox.h"
#include "reader/app/ProgramPaths.h"

namespace quillet {

AppState::AppState(QString folder, std::unique_ptr<platform::MessagePresenter> presenter)
    : programFolder(AddPathSeparator(folder)), messages(std::move(presenter)) {}

AppState::~AppState() = default;

QString AppState::file(const char* relative) const {
    return programFile(programFolder, relative);
}

} // namespace quillet
