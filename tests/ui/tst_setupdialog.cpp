#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>
#include <optional>

#include "shell_test.h"
#include "ui/main_window.h"

using pluvetta::SetupForm;
using shell_test::RightClick;

// The dialog on a main window whose hooks fill it from `fill_`, with the widest numbers of daily
// use, and note what Enter hands back.
class TestSetupDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<pluvetta::MainWindow> window_;
    SetupForm fill_;
    std::vector<SetupForm> accepted_;
    std::optional<pluvetta::SetupField> refuse_;

    QWidget* Child(const char* name) const { return window_->Setup()->findChild<QWidget*>(name); }
    QLineEdit* Box(const char* name) const { return qobject_cast<QLineEdit*>(Child(name)); }

  private slots:
    void init() {
        fill_.call = "Q1XYZ-13";
        fill_.numbers = {"50.0",  "80.0",    "-12.5", "40.0",  "20",    "100",
                         "900.0", "1,040.0", "40.0",  "250.0", "45000", "10153"};
        accepted_.clear();
        window_ = std::make_unique<pluvetta::MainWindow>(false);
        window_->SetSetupHooks([this] { return fill_; },
                               [this](const SetupForm& form) {
                                   accepted_.push_back(form);
                                   return refuse_;
                               });
        window_->show();
    }

    // Every caption and number whole, each control within its frame and clear of the others
    // (but the second check box of the data notices, which lies on their frame), and no
    // room to spare. The call has the focus (typing replaces it: see below); Tab walks the
    // alarms row by row.
    void layoutTextsAndKeyboard() {
        window_->ShowSetupDialog(pluvetta::DialogMode::Modeless);
        pluvetta::SetupDialog* dialog = window_->Setup();
        QCOMPARE(dialog->windowTitle(), QString("Setup Parametri Pluvetta"));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(dialog->childrenRect().marginsAdded({4, 0, 4, 4}).contains(dialog->rect()));
        // What a control covers: a caption only as far as its text reaches.
        const auto covers = [](QWidget* w) {
            const bool caption = qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w);
            return QRect(w->pos(), caption ? w->sizeHint().boundedTo(w->size()) : w->size());
        };
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            // A box's text area is the box less its frame and margins, two pixels each side.
            auto* box = qobject_cast<QLineEdit*>(w);
            const int needed =
                box ? box->fontMetrics().horizontalAdvance(box->text()) + 8 : w->sizeHint().width();
            const QByteArray name = w->objectName().toLatin1();
            QVERIFY2(!(box || qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w)) ||
                         needed <= w->width(),
                     name);
            QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), name);
            for (QWidget* other :
                 w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const bool onFrame = QSet{w->objectName(), other->objectName()} ==
                                     QSet<QString>{"chkBeep", "Frame4"};
                QVERIFY2(other == w || onFrame || !covers(other).intersects(covers(w)), name);
            }
        }
        QCOMPARE(Box("TxtHiHum")->text(), QString("100"));
        shell_test::Screenshot(*dialog, "frmWxSetup.png");
        QCOMPARE(dialog->focusWidget(), Child("txtCall"));
        const auto next = [](QWidget* w) {  // where Tab goes from `w`
            do w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus));
            return w;
        };
        for (QWidget* w = Child("txtHiWind"); w != Child("chkBeepAlm"); w = next(w))
            QVERIFY(std::pair(w->y(), w->x()) < std::pair(next(w)->y(), next(w)->x()));
    }

    // Each check box shows its own setting of the form and hands it back.
    void checkBoxesCarryTheirSettings() {
        const std::pair<const char*, bool SetupForm::*> checks[] = {
            {"chkAgw", &SetupForm::agwEnabled},        {"chkTcp", &SetupForm::serverEnabled},
            {"chkFocus", &SetupForm::focusOnData},     {"chkBeep", &SetupForm::beepOnData},
            {"chkFocusAlm", &SetupForm::focusOnAlarm}, {"chkBeepAlm", &SetupForm::beepOnAlarm},
            {"chkSaveAlm", &SetupForm::saveAlarms}};
        for (const auto& [name, setting] : checks) {
            fill_.*setting = true;
            window_->ShowSetupDialog(pluvetta::DialogMode::Modeless);
            QStringList ticked;  // the boxes shown ticked, then the settings handed back
            for (auto* check : window_->Setup()->findChildren<QCheckBox*>())
                if (check->isChecked()) ticked << check->objectName();
            QTest::keyClick(Child(name), Qt::Key_Enter);
            for (const auto& [other, otherSetting] : checks)
                if (accepted_.back().*otherSetting) ticked << other;
            QCOMPARE(ticked, QStringList({name, name}));
            fill_.*setting = false;
        }
    }

    // Right clicks show one modeless dialog and raise it while open. A box refused on Enter
    // keeps the dialog, with that box's text selected. Esc hands over nothing.
    void rightClicksEnterAndEsc() {
        RightClick(&window_->ReadoutLabel(pluvetta::Label::WxData));
        QPointer<pluvetta::SetupDialog> dialog = window_->Setup();
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        RightClick(&window_->ReadoutLabel(pluvetta::Label::Rain), Qt::ShiftModifier);
        QCOMPARE(window_->Setup(), dialog.data());
        QTest::keyClicks(Child("txtCall"), "n0call");
        refuse_ = pluvetta::SetupField::LoTemp;
        QTest::keyClick(Child("txtCall"), Qt::Key_Return);
        QCOMPARE(accepted_.back().call, std::string("n0call"));
        QCOMPARE(dialog->focusWidget(), Child("txtLoTemp"));
        QCOMPARE(Box("txtLoTemp")->selectedText(), QString("-12.5"));
        QTest::keyClick(Child("txtHost"), Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(accepted_.size(), std::size_t{1});
    }
};

QTEST_MAIN(TestSetupDialog)
#include "tst_setupdialog.moc"
