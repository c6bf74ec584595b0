#pragma once

#include <QString>

namespace pluvetta {

// Where the help file `name` is read from: the working folder first, as a copy run from its
// own folder has it; then the data folders of an installed copy (the user's and the system's
// share/Pluvetta and share/pluvetta, and share/pluvetta beside the executable's bin). `name`
// itself when none has it.
QString HelpFilePath(const QString& name);

}  // namespace pluvetta
