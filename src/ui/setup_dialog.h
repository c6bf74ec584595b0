#pragma once

#include <QDialog>

namespace pluvetta {

// The setup dialog `frmWxSetup`, for now its window alone: caption and size, shown modal or
// modeless. Its fields and buttons come with the dialog's own work.
class SetupDialog : public QDialog {
    Q_OBJECT

  public:
    SetupDialog();
};

}  // namespace pluvetta
