#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/caption_memory.h"
#include "ui/circle_shape.h"
#include "ui/help_location.h"
#include "ui/help_viewer.h"
#include "ui/latin1.h"
#include "ui/picture_box.h"
#include "ui/qt_socket.h"
#include "ui/setup_dialog.h"
#include "ui/twips.h"
#include "ui/widget_colors.h"
#include "ui/window_fonts.h"
#include "ui/wx_icon.h"

namespace pluvetta {

namespace {

const char* const kWindowCaption = "Wx Station";
const char* const kCalmCaption = "WIND CALM";
const char* const kCardinals[] = {"N", "O", "S", "E"};
const char* const kWxDataTip = "Click col tasto destro del muose per avviare il Setup. F1=Help";
const char* const kRainTip = "Click col tasto destro del mouse per avviare il Setup";
const char* const kCommentTip =
    "Click o Shift-Click col tasto destro per abilitare/disabilitare le finestre Rx o Dati "
    "storici";
const char* const kHistoryTip = "Dati storici";
const char* const kHelpFile = "Leggimi.rtf";
const char* const kHelpTitle = "Pluvetta - Istruzioni";

constexpr int kElapsedIntervalMs = 60000;
// Where the window opens, in twips from the top left of the screen.
constexpr int kOpeningLeft = 4155;
constexpr int kOpeningTop = 1530;
constexpr int kHistoryLeft = 3200;
constexpr int kHistoryWidth = 3270;

const QColor kRoseGrey(0xC0, 0xC0, 0xC0);
const QColor kGreyText(0x80, 0x80, 0x80);

// Wide enough for any packet row, so that none is wrapped or elided.
constexpr int kRxRowWidth = 4000;

QString Text(std::string_view latin1) { return FromLatin1(latin1); }

// Labels show what arrives from the air: plain text, never markup.
QLabel* MakeLabel(QWidget* parent, const char* name, QRect geometry, const QString& text,
                  Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setObjectName(Text(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    label->setText(text);
    return label;
}

}  // namespace

MainWindow::MainWindow(bool trayAvailable, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      trayAvailable_(trayAvailable) {
    setObjectName(QStringLiteral("frmWx"));
    setWindowTitle(Text(kWindowCaption));
    setWindowIcon(WxIcon());
    setFont(SansFont(8.25, true));
    SetColors(*this, kLightYellow, QColor());

    BuildWindRose();
    BuildReadout();
    BuildPanes();
    // The rose's last pixel column lies under the readout's left edge; over the labels, the
    // rose keeps a straight edge.
    picWx_->raise();
    ApplyPanes();
    move(TwipsToPixels(kOpeningLeft), TwipsToPixels(kOpeningTop));

    tmrElapsed_ = new QTimer(this);
    tmrElapsed_->setObjectName(QStringLiteral("tmrElapsed"));
    tmrElapsed_->setInterval(kElapsedIntervalMs);
    tmrElapsed_->start();

    Winsock1_ = new QtSocket(this);
    Winsock1_->setObjectName(QStringLiteral("Winsock1"));
    Winsock2_ = new QtSocket(this);
    Winsock2_->setObjectName(QStringLiteral("Winsock2"));

    cSysTray1_ = new QSystemTrayIcon(WxIcon(), this);
    cSysTray1_->setObjectName(QStringLiteral("cSysTray1"));
    cSysTray1_->setToolTip(Text(kWindowCaption));
    // Any gesture on the icon brings the window back.
    connect(cSysTray1_, &QSystemTrayIcon::activated, this, [this] { RestoreFromTray(); });

    help_ = new HelpViewer(this);
    // Sees the keys of every child, so that F1 reaches the window whichever has the focus,
    // and the presses on the readout labels.
    qApp->installEventFilter(this);
}

// A setup dialog still open has no owner to take it along.
MainWindow::~MainWindow() { delete setup_.data(); }

void MainWindow::BuildWindRose() {
    picWx_ = new PictureBox(kRoseGrey, 5, this);
    picWx_->setObjectName(QStringLiteral("picWx"));
    picWx_->setGeometry(TwipsRect(0, 0, 1215, 1215));

    // Created first, so the labels lie over them.
    auto* ring = new CircleShape(QColor(0x00, 0x00, 0xC0), QColor(), picWx_);
    ring->setObjectName(QStringLiteral("Shape1"));
    ring->setGeometry(TwipsRect(50, 50, 1100, 1100));
    auto* hub = new CircleShape(kBlue, QColor(0xC0, 0xFF, 0xFF), picWx_);
    hub->setObjectName(QStringLiteral("Shape2"));
    hub->setGeometry(TwipsRect(480, 480, 255, 255));

    QLabel* elapsed = MakeLabel(picWx_, "lblElapsed", TwipsRect(510, 510, 200, 200),
                                Text(StartCaption(Label::Elapsed)), Qt::AlignCenter);
    elapsed->setFont(SansFont(8.25, false));
    SetColors(*elapsed, QColor(), kBlue);
    labels_[static_cast<std::size_t>(Label::Elapsed)] = elapsed;

    const QRect cardinalPlaces[] = {TwipsRect(550, 50, 135, 255), TwipsRect(80, 480, 135, 255),
                                    TwipsRect(550, 950, 135, 255), TwipsRect(1000, 480, 135, 255)};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "lblCardinals" + QByteArray::number(i);
        QLabel* cardinal = MakeLabel(picWx_, name.constData(), cardinalPlaces[i],
                                     Text(kCardinals[i]), Qt::AlignLeft | Qt::AlignTop);
        SetColors(*cardinal, QColor(), kRed);
    }

    lblCalm_ = MakeLabel(picWx_, "lblCalm", TwipsRect(50, 220, 1215, 255), Text(kCalmCaption),
                         Qt::AlignLeft | Qt::AlignTop);
    lblCalm_->setFont(SerifFont(9.75));
    // This label's background is the system's button face.
    SetColors(*lblCalm_, palette().color(QPalette::Button), QColor(0x00, 0x80, 0x00));
    lblCalm_->hide();
}

void MainWindow::BuildReadout() {
    struct Readout {
        Label label;
        const char* name;
        QRect place;
        Qt::Alignment alignment;
    };
    // The arrow boxes overlap the right ends of the temperature and humidity labels by a
    // pixel or two; created first, they lie under the labels and cut no character off.
    const QRect arrowPlaces[] = {TwipsRect(2020, 215, 255, 245), TwipsRect(2830, 215, 255, 245),
                                 TwipsRect(2600, 425, 255, 245)};
    for (int i = 0; i < 3; ++i) {
        picVar_[static_cast<std::size_t>(i)] = new PictureBox(kLightYellow, 1, this);
        picVar_[static_cast<std::size_t>(i)]->setObjectName("picVar" + QString::number(i));
        picVar_[static_cast<std::size_t>(i)]->setGeometry(arrowPlaces[i]);
    }

    const Readout readouts[] = {
        {Label::WxData, "lblWxData", TwipsRect(1200, -10, 1935, 255),
         Qt::AlignHCenter | Qt::AlignTop},
        {Label::Temp, "lblTemp", TwipsRect(1300, 215, 735, 255), Qt::AlignRight | Qt::AlignTop},
        {Label::UR, "lblUR", TwipsRect(2250, 215, 615, 255), Qt::AlignRight | Qt::AlignTop},
        {Label::Press, "lblPress", TwipsRect(1250, 425, 1335, 255), Qt::AlignRight | Qt::AlignTop},
        {Label::Rain, "lblRain", TwipsRect(1200, 650, 1935, 580), Qt::AlignHCenter | Qt::AlignTop},
    };
    for (const Readout& r : readouts) {
        QLabel* label = MakeLabel(this, r.name, r.place, QString(), r.alignment);
        label->setFont(SansFont(9.75, true));
        SetColors(*label, kLightYellow, kBlue);
        labels_[static_cast<std::size_t>(r.label)] = label;
    }
    ReadoutLabel(Label::WxData).setText(Text(StartCaption(Label::WxData)));
    ReadoutLabel(Label::WxData).setToolTip(Text(kWxDataTip));
    ReadoutLabel(Label::Rain).setToolTip(Text(kRainTip));
    ReadoutLabel(Label::Rain).setWordWrap(true);

    QLabel* comment = MakeLabel(this, "lblWxComment", TwipsRect(0, 1210, 3180, 255), QString(),
                                Qt::AlignHCenter | Qt::AlignVCenter);
    comment->setFont(FixedFont(9));
    comment->setFrameStyle(QFrame::Box | QFrame::Plain);
    comment->setLineWidth(1);
    comment->setToolTip(Text(kCommentTip));
    SetColors(*comment, QColor(0xE0, 0xE0, 0xE0), kRed);
    labels_[static_cast<std::size_t>(Label::WxComment)] = comment;
}

void MainWindow::BuildPanes() {
    List2_ = new QListWidget(this);
    List2_->setObjectName(QStringLiteral("List2"));
    List2_->setGeometry(TwipsRect(0, 1470, 3180, 390));
    List2_->setFont(SmallFont(6.75));
    SetColors(*List2_, kLightYellow, QColor());
    // Display only, in the system's grey text. Its two rows fill it, one text line each;
    // what is longer than the list is cut at its edge.
    List2_->setEnabled(false);
    QPalette greyText = List2_->palette();
    greyText.setColor(QPalette::Disabled, QPalette::Text, kGreyText);
    greyText.setColor(QPalette::Disabled, QPalette::Base, kLightYellow);
    List2_->setPalette(greyText);
    List2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List2_->setTextElideMode(Qt::ElideNone);
    List2_->setGridSize(QSize(kRxRowWidth, QFontMetrics(List2_->font()).height()));
    List2_->hide();

    Text1_ = new QPlainTextEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setGeometry(TwipsRect(kHistoryLeft, 0, kHistoryWidth, kHistoryShortHeight));
    Text1_->setFont(SmallFont(6.75));
    SetColors(*Text1_, kLightYellow, QColor());
    Text1_->setReadOnly(true);
    Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setToolTip(Text(kHistoryTip));
    Text1_->hide();
}

QLabel& MainWindow::ReadoutLabel(Label label) const {
    return *labels_[static_cast<std::size_t>(label)];
}

PictureBox& MainWindow::TrendPicture(TrendBox box) const {
    return *picVar_.at(static_cast<std::size_t>(box));
}

void MainWindow::ApplyPanes() {
    setFixedSize(TwipsSize(ClientWidth(panes_.outerWidth), ClientHeight(panes_.outerHeight)));
    List2_->setVisible(panes_.rxVisible);
    Text1_->setGeometry(TwipsRect(kHistoryLeft, 0, kHistoryWidth, panes_.historyHeight));
    Text1_->setVisible(panes_.historyVisible);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_F1 && widget != nullptr && widget->window() == this) {
            help_->Apri(HelpFilePath(Text(kHelpFile)), Text(kHelpTitle));
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    // The right button pressed alone; a press with another button held, or any other
    // button, does nothing.
    if (mouse->button() != Qt::RightButton || mouse->buttons() != Qt::RightButton) return false;
    if (watched == &ReadoutLabel(Label::WxComment)) {
        const bool modified =
            (mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
        panes_ = modified ? SwitchHistoryPane(panes_) : SwitchRxPane(panes_);
        ApplyPanes();
        return true;
    }
    if (watched == &ReadoutLabel(Label::WxData) || watched == &ReadoutLabel(Label::Rain)) {
        ShowSetupDialog(DialogMode::Modeless);
        return true;
    }
    return false;
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && trayAvailable_ && !inTray_) {
        SendToTray();
    }
}

void MainWindow::SendToTray() {
    inTray_ = true;
    cSysTray1_->show();
    // Hidden once the state change has run its course; hiding inside it upsets some window
    // managers. A restore in between keeps the window.
    QTimer::singleShot(0, this, [this] {
        if (inTray_) hide();
    });
}

void MainWindow::RestoreFromTray() {
    inTray_ = false;
    cSysTray1_->hide();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    show();
    raise();
    activateWindow();
}

void MainWindow::SetSetupHooks(std::function<SetupForm()> fill, SetupAccept accept) {
    fillSetup_ = std::move(fill);
    acceptSetup_ = std::move(accept);
}

void MainWindow::ShowSetupDialog(DialogMode mode) {
    if (!IsSetupDialogVisible()) {
        // The dialog has no owner and may outlive an accept hook: it asks for the hook as it
        // stands when the user confirms.
        setup_ = new SetupDialog(fillSetup_ ? fillSetup_() : SetupForm{},
                                 [this](const SetupForm& form) -> std::optional<SetupField> {
                                     if (!acceptSetup_) return std::nullopt;
                                     return acceptSetup_(form);
                                 });
        if (mode == DialogMode::Modal) {
            setup_->exec();
            return;
        }
    }
    setup_->show();
    setup_->raise();
    setup_->activateWindow();
}

bool MainWindow::IsSetupDialogVisible() const { return setup_ && setup_->isVisible(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    emit Closing();
}

}  // namespace pluvetta
