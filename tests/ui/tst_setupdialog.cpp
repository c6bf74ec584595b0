#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>
#include <memory>
#include <optional>
#include <vector>

#include "ui/main_window.h"
#include "ui/setup_dialog.h"

using pluvetta::SetupField;
using pluvetta::SetupForm;

namespace {

// A form as the settings of a station on both links would fill it, English number format.
SetupForm FilledForm() {
    SetupForm form;
    form.call = "Q1XYZ-13";
    form.agwHost = "localhost";
    form.serverHost = "rotate.aprs2.net";
    form.numbers = {"50.0",  "80.0",    "-12.5", "40.0",  "20",   "100",
                    "900.0", "1,040.0", "40.0",  "250.0", "8000", "10153"};
    form.agwEnabled = form.serverEnabled = form.focusOnAlarm = true;
    return form;
}

// One row of the controls table: the control's parent, its caption, and the place the layout
// gives it in pixels (twips / 15), where it gives one.
void Control(const char* name, const char* parent, const char* text, QRect place = {}) {
    QTest::newRow(name) << QString(parent) << QString::fromLatin1(text) << place;
}

}  // namespace

class TestSetupDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<pluvetta::MainWindow> window_;
    // The forms the dialogs handed to their accept hook, and the answer it gives.
    std::vector<SetupForm> accepted_;
    std::optional<SetupField> refuse_;
    int fills_ = 0;

    pluvetta::SetupDialog* Open() {
        window_->ShowSetupDialog(pluvetta::DialogMode::Modeless);
        return window_->Setup();
    }
    template <typename T = QWidget>
    T* Child(const char* name) const {
        return window_->Setup()->findChild<T*>(name);
    }

  private slots:
    void init() {
        accepted_.clear();
        refuse_.reset();
        fills_ = 0;
        window_ = std::make_unique<pluvetta::MainWindow>(false);
        window_->SetSetupHooks(
            [this] {
                SetupForm form = FilledForm();
                form.call += "/" + std::to_string(++fills_);
                return form;
            },
            [this](const SetupForm& form) {
                accepted_.push_back(form);
                return refuse_;
            });
        window_->show();
    }

    void controlsStandInTheirFramesWithTheirCaptions_data() {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("place");
        Control("Frame2", "frmWxSetup", "Station Call", {4, 0, 180, 33});
        Control("Frame4", "frmWxSetup", "All'arrivo nuovi dati", {4, 33, 180, 30});
        Control("Frame3", "frmWxSetup", "Allarmi (valori evidenziati rosso)", {4, 64, 180, 156});
        Control("Frame1", "frmWxSetup", "AGWPE", {4, 223, 180, 57});
        Control("Frame5", "frmWxSetup", "Aprs Server", {4, 280, 180, 57});
        Control("cmdAccept", "frmWxSetup", "&Conferma", {13, 338, 73, 22});
        Control("cmdCancel", "frmWxSetup", "&Cancella", {109, 338, 65, 22});
        Control("chkBeep", "frmWxSetup", "Suona", {128, 43, 56, 16});
        Control("lblCall", "Frame2", "Wx Station");
        Control("chkFocus", "Frame4", "Evidenzia finestra");
        Control("lblHiWind", "Frame3", "Wind:  Max");
        Control("lblHiGust", "Frame3", "Km/h  g");
        Control("lblLoTemp", "Frame3", "Temp: Low");
        Control("lblHiTemp", "Frame3",
                "\xB0"
                "C   Hi");
        Control("lblLoHum", "Frame3", "U.R.:   Low");
        Control("lblHiHum", "Frame3", "%    Hi");
        Control("lblLoBaro", "Frame3", "Baro:   Low");
        Control("lblHiBaro", "Frame3", "mb  Hi");
        Control("lblHiRainHour", "Frame3", "Rain:   1h");
        Control("lblHiRain24", "Frame3", "mm 24h");
        Control("chkFocusAlm", "Frame3", "Evidenzia finestra");
        Control("chkBeepAlm", "Frame3", "Suona");
        Control("chkSaveAlm", "Frame3", "Salva i valori di Allarme / Suoni");
        Control("lblHost", "Frame1", "Agwpe Addr");
        Control("lblPort", "Frame1", "Agwpe Port");
        Control("chkAgw", "Frame1", "Enable");
        Control("lblHostTcp", "Frame5", "Server Addr");
        Control("lblPortTcp", "Frame5", "Server Port");
        Control("chkTcp", "Frame5", "Enable");
    }
    // Every caption shows whole in the faces this desktop provides.
    void controlsStandInTheirFramesWithTheirCaptions() {
        QFETCH(QString, parent);
        QFETCH(QString, text);
        QFETCH(QRect, place);
        Open();
        QWidget* control = Child(QTest::currentDataTag());
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), parent);
        if (!place.isNull()) QCOMPARE(control->geometry(), place);
        // Room for a frame's title, and for a button's text within its bevel.
        const int textWidth = control->fontMetrics().horizontalAdvance(QString(text).remove('&'));
        if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            QCOMPARE(frame->title(), text);
            QVERIFY(textWidth + 16 <= frame->width());
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
            QVERIFY(textWidth + 12 <= button->width());
        } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
            QCOMPARE(check->text(), text);
            QVERIFY(check->sizeHint().width() <= check->width());
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(label->text(), text);
            QVERIFY(label->sizeHint().width() <= label->width());
            QVERIFY(label->buddy() != nullptr);
        }
    }

    // Filled from the form, the widest texts included; the humidity boxes take 100.
    void boxesShowTheFormWholeAndKeepItsLimits() {
        pluvetta::SetupDialog* dialog = Open();
        QCOMPARE(dialog->windowTitle(), QString("Setup Parametri Pluvetta"));
        QCOMPARE(dialog->size(), QSize(187, 362));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->Form().numbers, FilledForm().numbers);
        QCOMPARE(dialog->Form().call, std::string("Q1XYZ-13/1"));
        const std::pair<const char*, int> limits[] = {
            {"txtLoTemp", 5}, {"txtHiTemp", 5}, {"txtLoHum", 3}, {"TxtHiHum", 3}};
        for (const auto& [name, length] : limits)
            QCOMPARE(Child<QLineEdit>(name)->maxLength(), length);
        for (QLineEdit* box : dialog->findChildren<QLineEdit*>()) {
            // The text area is the box less its frame and margins, two pixels each side.
            const int room = box->width() - 8;
            QVERIFY2(box->fontMetrics().horizontalAdvance(box->text()) <= room,
                     qPrintable(box->objectName()));
        }
        const QString artefacts = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
        QVERIFY(QDir().mkpath(artefacts));
        QVERIFY(dialog->grab().save(artefacts + "/frmWxSetup.png"));
        qInfo("screenshot %s", qPrintable(artefacts + "/frmWxSetup.png"));
    }

    void tabOrderRunsFromTheCallToTheLinks() {
        pluvetta::SetupDialog* dialog = Open();
        QStringList order;
        QWidget* widget = Child("txtCall");
        do {
            if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
            widget = widget->nextInFocusChain();
        } while (widget != Child("txtCall") && order.size() < 40);
        QCOMPARE(order, QStringList({"txtCall",    "cmdAccept",     "cmdCancel",   "chkFocus",
                                     "chkBeep",    "txtHiWind",     "txtHiGust",   "txtLoTemp",
                                     "txtHiTemp",  "txtLoHum",      "TxtHiHum",    "txtLoBaro",
                                     "txtHiBaro",  "txtHiRainHour", "txtHiRain24", "chkFocusAlm",
                                     "chkBeepAlm", "txtHost",       "txtPort",     "chkSaveAlm",
                                     "txtPortTcp", "txtHostTcp",    "chkTcp",      "chkAgw"}));
        QCOMPARE(dialog->focusWidget(), Child("txtCall"));
        QCOMPARE(Child<QLineEdit>("txtCall")->selectedText(), QString("Q1XYZ-13/1"));
    }

    // Enter hands over the form as typed and the dialog goes; a refused box keeps it open
    // with that box's text selected; Esc closes it with nothing handed over.
    void enterConfirmsEscCancelsAndTheDialogGoes() {
        QPointer<pluvetta::SetupDialog> dialog = Open();
        QTest::keyClicks(Child("txtCall"), "n0call");
        Child<QCheckBox>("chkTcp")->setChecked(false);
        refuse_ = SetupField::LoTemp;
        QTest::keyClick(Child("txtCall"), Qt::Key_Return);
        QCOMPARE(accepted_.size(), std::size_t{1});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), Child("txtLoTemp"));
        QCOMPARE(Child<QLineEdit>("txtLoTemp")->selectedText(), QString("-12.5"));

        refuse_.reset();
        QTest::keyClick(Child("chkFocus"), Qt::Key_Enter);
        QCOMPARE(accepted_.size(), std::size_t{2});
        QCOMPARE(accepted_[1].call, std::string("n0call"));
        QVERIFY(!accepted_[1].serverEnabled);
        QVERIFY(!window_->IsSetupDialogVisible());
        QTRY_VERIFY(dialog.isNull());

        dialog = Open();
        QTest::keyClick(Child("txtHost"), Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(accepted_.size(), std::size_t{2});
    }

    // A second right click raises the one dialog open; once closed, the next is a new one,
    // filled again from the settings.
    void rightClicksShowOneModelessDialogFreshAtEachOpening() {
        QLabel& wind = window_->ReadoutLabel(pluvetta::Label::WxData);
        QLabel& rain = window_->ReadoutLabel(pluvetta::Label::Rain);
        QTest::mouseClick(&wind, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QPointer<pluvetta::SetupDialog> first = window_->Setup();
        QVERIFY(first != nullptr && first->isVisible());
        QTest::mouseClick(&rain, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 5));
        QCOMPARE(window_->Setup(), first.data());
        QCOMPARE(fills_, 1);
        first->close();
        QTRY_VERIFY(first.isNull());
        QTest::mouseClick(&rain, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(window_->IsSetupDialogVisible());
        QCOMPARE(window_->Setup()->Form().call, std::string("Q1XYZ-13/2"));
    }
};

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
