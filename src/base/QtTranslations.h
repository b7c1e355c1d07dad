// Qt's own words (the buttons of standard message boxes, the file and print dialogs, a
// document window's menu) in the program's language.
#pragma once

#include "base/Texts.h"

namespace velmora {

// With Chinese chosen, installs Qt's Chinese translations into the application; with English
// there is nothing to do. False when Chinese was chosen but the translations are not there
// (Qt then keeps its English words).
bool InstallQtTranslations(Language lang);

} // namespace velmora
