#pragma once
// The control's stored properties: the initial values of a new instance, and
// reading and writing the host form's property bag, with every key's type and
// default. A value equal to its default is not stored.
#include "platform/forms/PropertyBag.h"

namespace zephalt {

class OwnerDrawMenu;
class clsMenuItem;
class clsTitlebar;

void InitProperties(OwnerDrawMenu& control);
void ReadProperties(OwnerDrawMenu& control, const platform::forms::PropertyBag& bag);
void WriteProperties(OwnerDrawMenu& control, platform::forms::PropertyBag& bag);

bool ItemIsCustomized(const OwnerDrawMenu& control, const clsMenuItem& item);
bool TitleBarIsCustomized(const OwnerDrawMenu& control, const clsTitlebar& bar);

} // namespace zephalt
