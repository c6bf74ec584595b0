#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>
#include <optional>

#include "shell_test.h"
#include "ui/main_window.h"

using pluvetta::Label;
using shell_test::RightClick;

// The dialog on a main window whose hooks fill it with the widest numbers of daily use, count
// the openings in the call, and note what Enter hands back.
class TestSetupDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<pluvetta::MainWindow> window_;
    int fills_ = 0;
    QStringList accepted_;  // the call of each form handed back
    std::optional<pluvetta::SetupField> refuse_;

    QWidget* Child(const char* name) const { return window_->Setup()->findChild<QWidget*>(name); }
    QLineEdit* Box(const char* name) const { return qobject_cast<QLineEdit*>(Child(name)); }

  private slots:
    void init() {
        fills_ = 0;
        accepted_.clear();
        window_ = std::make_unique<pluvetta::MainWindow>(false);
        window_->SetSetupHooks(
            [this] {
                pluvetta::SetupForm form;
                form.call = "Q1XYZ-13/" + std::to_string(++fills_);
                form.numbers = {"50.0",  "80.0",    "-12.5", "40.0",  "20",    "100",
                                "900.0", "1,040.0", "40.0",  "250.0", "45000", "10153"};
                return form;
            },
            [this](const pluvetta::SetupForm& form) {
                accepted_ << QString::fromStdString(form.call);
                return refuse_;
            });
        window_->show();
    }

    // The places the layout gives in pixels (twips / 15), every caption and number whole, and
    // the call in focus (typing replaces it: see below) with Tab walking on from it.
    void layoutTextsAndTabOrder() {
        window_->ShowSetupDialog(pluvetta::DialogMode::Modeless);
        pluvetta::SetupDialog* dialog = window_->Setup();
        QCOMPARE(dialog->windowTitle(), QString("Setup Parametri Pluvetta"));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->size(), QSize(187, 362));
        const std::pair<const char*, QRect> places[] = {
            {"Frame2", {4, 0, 180, 33}},       {"Frame4", {4, 33, 180, 30}},
            {"Frame3", {4, 64, 180, 156}},     {"Frame1", {4, 223, 180, 57}},
            {"Frame5", {4, 280, 180, 57}},     {"cmdAccept", {13, 338, 73, 22}},
            {"cmdCancel", {109, 338, 65, 22}}, {"chkBeep", {128, 43, 56, 16}}};
        for (const auto& [name, place] : places) QCOMPARE(Child(name)->geometry(), place);
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            // A box's text area is the box less its frame and margins, two pixels each side.
            auto* box = qobject_cast<QLineEdit*>(w);
            const int needed =
                box ? box->fontMetrics().horizontalAdvance(box->text()) + 8 : w->sizeHint().width();
            if (box || qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w)) {
                QVERIFY2(needed <= w->width(), qPrintable(w->objectName()));
            }
        }
        QCOMPARE(Box("TxtHiHum")->text(), QString("100"));
        QVERIFY(shell_test::Screenshot(*dialog, "frmWxSetup.png"));
        QCOMPARE(dialog->focusWidget(), Child("txtCall"));
        QStringList order;
        QWidget* w = Child("txtCall");
        for (int i = 0; i < 200 && order.size() < 24; ++i, w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
        }
        QCOMPARE(order.join(' '),
                 QString("txtCall cmdAccept cmdCancel chkFocus chkBeep txtHiWind "
                         "txtHiGust txtLoTemp txtHiTemp txtLoHum TxtHiHum txtLoBaro "
                         "txtHiBaro txtHiRainHour txtHiRain24 chkFocusAlm chkBeepAlm "
                         "txtHost txtPort chkSaveAlm txtPortTcp txtHostTcp chkTcp "
                         "chkAgw"));
    }

    // Right clicks show one modeless dialog and raise it while open. Enter hands over the form:
    // a refused box keeps the dialog, with that box's text selected; taken, the dialog is gone
    // and the next opening builds and fills a new one. Esc hands over nothing.
    void rightClicksEnterAndEsc() {
        RightClick(&window_->ReadoutLabel(Label::WxData));
        QPointer<pluvetta::SetupDialog> dialog = window_->Setup();
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        RightClick(&window_->ReadoutLabel(Label::Rain), Qt::ShiftModifier);
        QCOMPARE(window_->Setup(), dialog.data());
        QTest::keyClicks(Child("txtCall"), "n0call");
        refuse_ = pluvetta::SetupField::LoTemp;
        QTest::keyClick(Child("txtCall"), Qt::Key_Return);
        QCOMPARE(dialog->focusWidget(), Child("txtLoTemp"));
        QCOMPARE(Box("txtLoTemp")->selectedText(), QString("-12.5"));
        refuse_.reset();
        QTest::keyClick(Child("chkFocus"), Qt::Key_Enter);
        QTRY_VERIFY(dialog.isNull());

        RightClick(&window_->ReadoutLabel(Label::Rain));
        dialog = window_->Setup();
        QCOMPARE(Box("txtCall")->text(), QString("Q1XYZ-13/2"));
        QTest::keyClick(Child("txtHost"), Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(accepted_, QStringList({"n0call", "n0call"}));
    }
};

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
