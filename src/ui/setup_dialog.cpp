#include "ui/setup_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/latin1.h"
#include "ui/twips.h"
#include "ui/widget_colors.h"
#include "ui/window_fonts.h"
#include "ui/wx_icon.h"

namespace pluvetta {

namespace {

constexpr int kClientWidth = 2805;
constexpr int kClientHeight = 5430;
constexpr int kFrameLeft = 53;
constexpr int kFrameWidth = 2700;

const QColor kBlack(0x00, 0x00, 0x00);
const QColor kDarkRed(0x80, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kLightCyan(0xC0, 0xFF, 0xFF);

// A threshold row of the alarms frame: a label, a box, the form's unit label, a box; places in
// twips within the frame.
struct ThresholdRow {
    const char* caption;
    const char* firstName;
    SetupField first;
    const char* secondName;
    SetupField second;
    int maxLength;  // 0: no limit
};
// The humidity boxes take three characters, not two: 100 is a humidity, and a longer text
// would be cut when the box is filled.
const ThresholdRow kThresholdRows[] = {
    {"Wind:  Max", "txtHiWind", SetupField::HiWind, "txtHiGust", SetupField::HiGust, 0},
    {"Temp: Low", "txtLoTemp", SetupField::LoTemp, "txtHiTemp", SetupField::HiTemp, 5},
    {"U.R.:   Low", "txtLoHum", SetupField::LoHum, "TxtHiHum", SetupField::HiHum, 3},
    {"Baro:   Low", "txtLoBaro", SetupField::LoBaro, "txtHiBaro", SetupField::HiBaro, 0},
    {"Rain:   1h", "txtHiRainHour", SetupField::HiRainHour, "txtHiRain24", SetupField::HiRain24, 0},
};
constexpr int kRowTop = 210;
constexpr int kRowStep = 300;
constexpr int kRowHeight = 285;

// The keyboard's path through the dialog.
const char* const kTabOrder[] = {
    "txtCall",   "cmdAccept",     "cmdCancel",   "chkFocus",    "chkBeep",    "txtHiWind",
    "txtHiGust", "txtLoTemp",     "txtHiTemp",   "txtLoHum",    "TxtHiHum",   "txtLoBaro",
    "txtHiBaro", "txtHiRainHour", "txtHiRain24", "chkFocusAlm", "chkBeepAlm", "txtHost",
    "txtPort",   "chkSaveAlm",    "txtPortTcp",  "txtHostTcp",  "chkTcp",     "chkAgw",
};

QGroupBox* MakeFrame(QWidget* parent, const char* name, const char* caption, int top, int height) {
    auto* frame = new QGroupBox(FromLatin1(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(TwipsRect(kFrameLeft, top, kFrameWidth, height));
    return frame;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const char* caption, QRect place,
                  const QColor& color) {
    auto* label = new QLabel(FromLatin1(caption), parent);
    label->setObjectName(name);
    label->setFont(parent->font());
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetColors(*label, QColor(), color);
    return label;
}

// A text box with its label, which names it to the keyboard and to screen readers.
QLineEdit* MakeBox(QLabel* label, const char* name, QRect place) {
    auto* box = new QLineEdit(label->parentWidget());
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(label->parentWidget()->font());
    box->setGeometry(place);
    box->setTextMargins(0, 0, 0, 0);
    label->setBuddy(box);
    return box;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, QRect place,
                     const QColor& color) {
    auto* check = new QCheckBox(FromLatin1(caption), parent);
    check->setObjectName(QString::fromLatin1(name));
    check->setFont(parent->font());
    check->setGeometry(place);
    SetColors(*check, QColor(), color);
    return check;
}

}  // namespace

SetupDialog::SetupDialog(const SetupForm& form, SetupAccept accept)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      accept_(std::move(accept)),
      filled_(form) {
    setObjectName(QStringLiteral("frmWxSetup"));
    setWindowTitle(FromLatin1(kSetupCaption));
    setWindowIcon(WxIcon());
    // The layout was drawn in a sans serif that sets text narrower than the faces here: at its
    // 8.25 points the threshold rows would overrun their frame, at 7.5 points they fit.
    setFont(SansFont(7.5, false));
    setFixedSize(TwipsSize(kClientWidth, kClientHeight));
    // Frame captions sit on the frame's top edge, so that the frames' low rows have room. Under
    // a style sheet the frames no longer hand their font down: each control is given its own.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    Build();
    Fill(form);
    // Closed in any way, the dialog is gone; the next opening builds a new one.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
}

void SetupDialog::Build() {
    QGroupBox* station = MakeFrame(this, "Frame2", "Station Call", 0, 495);
    QLabel* callLabel =
        MakeLabel(station, "lblCall", "Wx Station", TwipsRect(100, 195, 1000, 270), kRed);
    callLabel->setFont(SansFont(7.5, true));
    txtCall_ = MakeBox(callLabel, "txtCall", TwipsRect(1050, 180, 1560, 285));
    txtCall_->setFont(SansFont(9.75, true));
    SetColors(*txtCall_, kLightCyan, kBlue);

    QGroupBox* onData = MakeFrame(this, "Frame4", "All'arrivo nuovi dati", 490, 460);
    chkFocus_ =
        MakeCheck(onData, "chkFocus", "Evidenzia finestra", TwipsRect(100, 160, 1700, 240), kBlack);

    QGroupBox* alarms = MakeFrame(this, "Frame3", "Allarmi (valori evidenziati rosso)", 960, 2340);
    // The frame's colour goes to its caption only; its children name their own.
    SetColors(*alarms, QColor(), kRed);
    for (std::size_t row = 0; row < std::size(kThresholdRows); ++row) {
        const ThresholdRow& r = kThresholdRows[row];
        const int top = kRowTop + static_cast<int>(row) * kRowStep;
        const QString firstLabel = QString::fromLatin1(r.firstName).replace(0, 3, "lbl");
        const QString secondLabel = QString::fromLatin1(r.secondName).replace(0, 3, "lbl");
        QLabel* left =
            MakeLabel(alarms, firstLabel, r.caption, TwipsRect(45, top, 795, kRowHeight), kDarkRed);
        QLabel* middle =
            MakeLabel(alarms, secondLabel, "", TwipsRect(1425, top, 555, kRowHeight), kDarkRed);
        unitLabels_[row] = middle;
        QLineEdit* first = MakeBox(left, r.firstName, TwipsRect(840, top, 585, kRowHeight));
        QLineEdit* second = MakeBox(middle, r.secondName, TwipsRect(1980, top, 675, kRowHeight));
        for (QLineEdit* box : {first, second}) {
            SetColors(*box, QColor(), kBlack);
            if (r.maxLength > 0) box->setMaxLength(r.maxLength);
        }
        numbers_[static_cast<std::size_t>(r.first)] = first;
        numbers_[static_cast<std::size_t>(r.second)] = second;
    }
    chkFocusAlm_ = MakeCheck(alarms, "chkFocusAlm", "Evidenzia finestra",
                             TwipsRect(75, 1740, 1700, 240), kBlack);
    chkBeepAlm_ = MakeCheck(alarms, "chkBeepAlm", "Suona", TwipsRect(1830, 1740, 840, 240), kBlack);
    chkSaveAlm_ = MakeCheck(alarms, "chkSaveAlm", "Salva i valori di Allarme / Suoni",
                            TwipsRect(75, 2010, 2580, 240), kGreen);

    struct LinkFrame {
        const char* name;
        const char* caption;
        int top;
        const char* hostCaption;
        const char* hostName;
        const char* portCaption;
        const char* portName;
        const char* checkName;
    };
    const LinkFrame links[] = {
        {"Frame1", "AGWPE", 3350, "Agwpe Addr", "txtHost", "Agwpe Port", "txtPort", "chkAgw"},
        {"Frame5", "Aprs Server", 4200, "Server Addr", "txtHostTcp", "Server Port", "txtPortTcp",
         "chkTcp"},
    };
    for (const LinkFrame& l : links) {
        QGroupBox* frame = MakeFrame(this, l.name, l.caption, l.top, 855);
        const QString hostLabel = QString::fromLatin1(l.hostName).replace(0, 3, "lbl");
        const QString portLabel = QString::fromLatin1(l.portName).replace(0, 3, "lbl");
        QLineEdit* host =
            MakeBox(MakeLabel(frame, hostLabel, l.hostCaption, TwipsRect(90, 210, 900, 285), kBlue),
                    l.hostName, TwipsRect(990, 210, 1680, 285));
        QLineEdit* port =
            MakeBox(MakeLabel(frame, portLabel, l.portCaption, TwipsRect(90, 510, 900, 285), kBlue),
                    l.portName, TwipsRect(990, 510, 720, 285));
        for (QLineEdit* box : {host, port}) SetColors(*box, kLightYellow, kDarkRed);
        QCheckBox* enable =
            MakeCheck(frame, l.checkName, "Enable", TwipsRect(1800, 530, 870, 240), kBlack);
        const bool agw = l.top == links[0].top;
        (agw ? txtHost_ : txtHostTcp_) = host;
        numbers_[static_cast<std::size_t>(agw ? SetupField::AgwPort : SetupField::ServerPort)] =
            port;
        (agw ? chkAgw_ : chkTcp_) = enable;
    }

    // Lies over the frame of the data notices, beside the other check box there.
    chkBeep_ = MakeCheck(this, "chkBeep", "Suona", TwipsRect(1920, 650, 840, 240), kBlack);

    auto* confirm = new QPushButton(QStringLiteral("&Conferma"), this);
    confirm->setObjectName(QStringLiteral("cmdAccept"));
    confirm->setGeometry(TwipsRect(188, 5075, 1095, 325));
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &SetupDialog::Confirm);
    auto* cancel = new QPushButton(QStringLiteral("&Cancella"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setGeometry(TwipsRect(1641, 5075, 975, 325));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    QWidget* previous = nullptr;
    for (const char* name : kTabOrder) {
        auto* next = findChild<QWidget*>(QString::fromLatin1(name));
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    }
}

void SetupDialog::Fill(const SetupForm& form) {
    txtCall_->setText(FromLatin1(form.call));
    txtHost_->setText(FromLatin1(form.agwHost));
    txtHostTcp_->setText(FromLatin1(form.serverHost));
    for (std::size_t i = 0; i < kSetupFieldCount; ++i)
        numbers_[i]->setText(FromLatin1(form.numbers[i]));
    for (std::size_t row = 0; row < kThresholdRowCount; ++row)
        unitLabels_[row]->setText(FromLatin1(form.unitLabels[row]));
    chkAgw_->setChecked(form.agwEnabled);
    chkTcp_->setChecked(form.serverEnabled);
    chkFocus_->setChecked(form.focusOnData);
    chkBeep_->setChecked(form.beepOnData);
    chkFocusAlm_->setChecked(form.focusOnAlarm);
    chkBeepAlm_->setChecked(form.beepOnAlarm);
    chkSaveAlm_->setChecked(form.saveAlarms);
    // Typing replaces the call at once.
    txtCall_->setFocus();
    txtCall_->selectAll();
}

SetupForm SetupDialog::Form() const {
    SetupForm form = filled_;
    form.call = ToLatin1(txtCall_->text());
    form.agwHost = ToLatin1(txtHost_->text());
    form.serverHost = ToLatin1(txtHostTcp_->text());
    for (std::size_t i = 0; i < kSetupFieldCount; ++i)
        form.numbers[i] = ToLatin1(numbers_[i]->text());
    form.agwEnabled = chkAgw_->isChecked();
    form.serverEnabled = chkTcp_->isChecked();
    form.focusOnData = chkFocus_->isChecked();
    form.beepOnData = chkBeep_->isChecked();
    form.focusOnAlarm = chkFocusAlm_->isChecked();
    form.beepOnAlarm = chkBeepAlm_->isChecked();
    form.saveAlarms = chkSaveAlm_->isChecked();
    return form;
}

void SetupDialog::Confirm() {
    const std::optional<SetupField> refused = accept_ ? accept_(Form()) : std::nullopt;
    if (!refused) {
        accept();
        return;
    }
    QLineEdit* box = numbers_[static_cast<std::size_t>(*refused)];
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

}  // namespace pluvetta
