#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "app/panes.h"
#include "app/ports.h"
#include "app/setup_form.h"
#include "ui/setup_dialog.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSystemTrayIcon;
class QTimer;

namespace pluvetta {

class HelpViewer;
class PictureBox;
class QtSocket;

// The main window `frmWx`: the readout panel with its wind rose, the Rx and history panes,
// the two sockets, the one-minute timer and the tray icon. It draws what it is told and turns
// the user's clicks and keys into pane switches, the setup dialog and the help viewer; every
// other event goes out through its sockets, timer and `Closing` to the core.
class MainWindow : public QWidget {
    Q_OBJECT

  public:
    // Without a notification area (`trayAvailable` false) minimising leaves an ordinary
    // minimised window: hidden with no tray icon, it could never be brought back.
    explicit MainWindow(bool trayAvailable, QWidget* parent = nullptr);
    ~MainWindow() override;

    QLabel& ReadoutLabel(Label label) const;
    QLabel& CalmLabel() const { return *lblCalm_; }
    PictureBox& WindRose() const { return *picWx_; }
    PictureBox& TrendPicture(TrendBox box) const;
    QListWidget& RxList() const { return *List2_; }
    QPlainTextEdit& History() const { return *Text1_; }
    QSystemTrayIcon& Tray() const { return *cSysTray1_; }
    QTimer& ElapsedTimer() const { return *tmrElapsed_; }
    QtSocket& AgwSocket() const { return *Winsock1_; }
    QtSocket& ServerSocket() const { return *Winsock2_; }
    HelpViewer& Help() const { return *help_; }

    const PaneLayout& Panes() const { return panes_; }

    // Takes the icon out of the tray, sets the window normal and shows it.
    void RestoreFromTray();
    // True while the window is hidden with its icon in the tray.
    bool IsInTray() const { return inTray_; }

    // Where the setup dialog takes its form from and hands it back to; without them it opens
    // empty and "&Conferma" only closes it.
    void SetSetupHooks(std::function<SetupForm()> fill, SetupAccept accept);
    // Builds a setup dialog from the settings as they stand and shows it. While one is open,
    // that one only comes to the front.
    void ShowSetupDialog(DialogMode mode);
    bool IsSetupDialogVisible() const;
    // The dialog on screen or last closed, until it is gone.
    SetupDialog* Setup() const { return setup_.data(); }

  signals:
    // The user closes the window; the process ends after it.
    void Closing();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildWindRose();
    void BuildReadout();
    void BuildPanes();
    void ApplyPanes();
    void SendToTray();

    const bool trayAvailable_;
    bool inTray_ = false;
    PaneLayout panes_;

    PictureBox* picWx_ = nullptr;
    QLabel* lblCalm_ = nullptr;
    // The labels the core writes, by `Label`.
    std::array<QLabel*, 7> labels_{};
    std::array<PictureBox*, 3> picVar_{};
    QListWidget* List2_ = nullptr;
    QPlainTextEdit* Text1_ = nullptr;
    QTimer* tmrElapsed_ = nullptr;
    QtSocket* Winsock1_ = nullptr;
    QtSocket* Winsock2_ = nullptr;
    QSystemTrayIcon* cSysTray1_ = nullptr;
    HelpViewer* help_ = nullptr;
    std::function<SetupForm()> fillSetup_;
    SetupAccept acceptSetup_;
    QPointer<SetupDialog> setup_;
    bool closed_ = false;
};

}  // namespace pluvetta
