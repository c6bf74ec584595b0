#include "ui/setup_dialog.h"

#include "ui/latin1.h"
#include "ui/twips.h"
#include "ui/wx_icon.h"

namespace pluvetta {

namespace {

const char* const kCaption = "Setup Parametri Pluvetta";
constexpr int kClientWidth = 2805;
constexpr int kClientHeight = 5430;

}  // namespace

SetupDialog::SetupDialog()
    : QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmWxSetup"));
    setWindowTitle(FromLatin1(kCaption));
    setWindowIcon(WxIcon());
    setFixedSize(TwipsSize(kClientWidth, kClientHeight));
}

}  // namespace pluvetta
