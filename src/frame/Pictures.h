// The program's own pictures: toolbar buttons (18 x 19), the window icon and the background
// tile (238 x 157), drawn in code so that nothing but the source is needed.
#pragma once

#include "frame/CommandIds.h"

#include <QIcon>
#include <QPixmap>

namespace velmora {

QIcon ToolbarIcon(CommandId command);
QIcon ProgramIcon();
QPixmap BuiltInBackground();

// "title.ico" from the current directory, else the built-in icon.
QIcon WindowIcon();

} // namespace velmora
