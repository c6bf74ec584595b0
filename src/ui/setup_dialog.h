#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "app/setup_form.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace pluvetta {

// What "&Conferma" does with the form: nullopt when it was taken, else the box it refused.
using SetupAccept = std::function<std::optional<SetupField>(const SetupForm&)>;

// The setup dialog `frmWxSetup`, built from a filled form. "&Conferma" (Enter) hands the form
// as the user left it to `accept` and closes, unless a box was refused: that box then gets the
// focus with its text selected. "&Cancella" (Esc) and the close box close with nothing done.
class SetupDialog : public QDialog {
    Q_OBJECT

  public:
    SetupDialog(const SetupForm& form, SetupAccept accept);

    // What the boxes hold now.
    SetupForm Form() const;

  private:
    void Build();
    void Fill(const SetupForm& form);
    void Confirm();

    SetupAccept accept_;
    // The form as filled: what the boxes do not show (the units) goes back with it.
    SetupForm filled_;
    // The unit label of each threshold row, by row.
    std::array<QLabel*, kThresholdRowCount> unitLabels_{};
    QLineEdit* txtCall_ = nullptr;
    QLineEdit* txtHost_ = nullptr;
    QLineEdit* txtHostTcp_ = nullptr;
    // By SetupField.
    std::array<QLineEdit*, kSetupFieldCount> numbers_{};
    QCheckBox* chkAgw_ = nullptr;
    QCheckBox* chkTcp_ = nullptr;
    QCheckBox* chkFocus_ = nullptr;
    QCheckBox* chkBeep_ = nullptr;
    QCheckBox* chkFocusAlm_ = nullptr;
    QCheckBox* chkBeepAlm_ = nullptr;
    QCheckBox* chkSaveAlm_ = nullptr;
};

}  // namespace pluvetta
