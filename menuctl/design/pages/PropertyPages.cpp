// The control's three property pages, in the order the property dialog
// shows them.
#include "menuctl/design/pages/ppgGeneral.h"
#include "menuctl/design/pages/ppgItem.h"
#include "menuctl/design/pages/ppgTitleBar.h"
#include "menuctl/engine/OwnerDrawMenu.h"

namespace zephalt {

std::vector<platform::forms::PropertyPageFactory> OwnerDrawMenu::propertyPages() const {
    return {[] { return std::make_unique<pages::ppgGeneral>(); },
            [] { return std::make_unique<pages::ppgItem>(); },
            [] { return std::make_unique<pages::ppgTitleBar>(); }};
}

} // namespace zephalt
