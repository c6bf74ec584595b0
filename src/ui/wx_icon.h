#pragma once

#include <QIcon>

namespace pluvetta {

// The program's icon, for the window and the tray: a blue disc bearing the yellow letters WX,
// drawn at 16, 32 and 64 pixels.
QIcon WxIcon();

}  // namespace pluvetta
