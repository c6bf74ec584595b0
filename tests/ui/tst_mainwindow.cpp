#include <QLabel>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QtTest>
#include <memory>
#include <tuple>

#include "shell_test.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/window_screen.h"

using pluvetta::Label;
using shell_test::RightClick;

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<pluvetta::MainWindow> window_;

    QWidget* Child(const char* name) const { return window_->findChild<QWidget*>(name); }

  private slots:
    void init() {
        window_ = std::make_unique<pluvetta::MainWindow>(false);
        window_->Help().Messages().AnswerInAdvance();
        window_->show();
    }

    // A fixed panel with its minute timer; its cardinals at their sides of the rose's hub,
    // labels in plain text (what arrives from the air is never markup), tooltips. Without a
    // tray, minimising leaves an ordinary minimised window.
    void fixedPanelTextsAndMinimisingWithoutTray() {
        QCOMPARE(window_->windowTitle(), QString("Wx Station"));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(window_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(window_->ElapsedTimer().isActive());
        QCOMPARE(window_->ElapsedTimer().interval(), 60000);
        QVERIFY(window_->History().isReadOnly() && !Child("List2")->isEnabled());
        const QRect hub = Child("Shape2")->geometry();
        const auto side = [this](const char* name, const char* text) {
            return qobject_cast<QLabel*>(Child(name))->text() == text ? Child(name)->geometry()
                                                                      : QRect();
        };
        QVERIFY(side("lblCardinals0", "N").bottom() < hub.top() &&
                side("lblCardinals1", "O").right() < hub.left() &&
                side("lblCardinals2", "S").top() > hub.bottom() &&
                side("lblCardinals3", "E").left() > hub.right());
        QCOMPARE(window_->CalmLabel().text(), QString("WIND CALM"));
        for (const QLabel* label : window_->findChildren<QLabel*>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        const std::pair<const char*, QString> toolTips[] = {
            {"lblWxData", "Click col tasto destro del muose per avviare il Setup. F1=Help"},
            {"lblRain", "Click col tasto destro del mouse per avviare il Setup"},
            {"lblWxComment",
             "Click o Shift-Click col tasto destro per abilitare/disabilitare le "
             "finestre Rx o Dati storici"},
            {"Text1", "Dati storici"}};
        for (const auto& [name, toolTip] : toolTips) QCOMPARE(Child(name)->toolTip(), toolTip);
        window_->showMinimized();
        QTest::qWait(20);
        QVERIFY(window_->isVisible() && window_->isMinimized() && !window_->Tray().isVisible());
    }

    // Plain right clicks on the comment line switch the Rx pane, with Shift, Ctrl or Alt the
    // history. In every state the controls shown fill the window to its edges, the history
    // pane down to the bottom, bar the pixel or two lost in rounding twips to pixels.
    void rightClicksOnTheCommentLineSwitchPanes() {
        const std::tuple<Qt::KeyboardModifier, bool, bool> steps[] = {
            {Qt::NoModifier, true, false},
            {Qt::ControlModifier, true, true},
            {Qt::NoModifier, false, true},
            {Qt::AltModifier, false, false},
            {Qt::ShiftModifier, false, true}};
        for (const auto& [modifier, rx, history] : steps) {
            RightClick(Child("lblWxComment"), modifier);
            QCOMPARE(Child("List2")->isVisible(), rx);
            QCOMPARE(Child("Text1")->isVisible(), history);
            const QRect room = window_->rect(), shown = window_->childrenRect();
            QVERIFY(shown.marginsAdded({2, 2, 2, 2}).contains(room) &&
                    room.marginsAdded({2, 2, 2, 2}).contains(shown));
            QVERIFY(!history || qAbs(Child("Text1")->geometry().bottom() - room.bottom()) <= 2);
        }
    }

    // F1 from any child of the window asks for the help file; other clicks and keys do nothing.
    void clicksAndKeysReachTheirActionsOnly() {
        for (const char* name : {"lblWxComment", "lblWxData", "lblRain"})
            QTest::mouseClick(Child(name), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
        QTest::keyClick(window_.get(), Qt::Key_F2);
        QCOMPARE(window_->size(), QSize(211, 98));
        QCOMPARE(window_->Setup(), nullptr);

        RightClick(Child("lblWxComment"), Qt::ShiftModifier);
        QTest::keyClick(Child("Text1"), Qt::Key_F1, Qt::ShiftModifier);
        pluvetta::HelpWindow* help = window_->Help().Window();
        QVERIFY(help != nullptr);
        QVERIFY(help->HelpFileName().endsWith(QStringLiteral("Leggimi.rtf")));
        QCOMPARE(help->windowTitle(), QString(" Pluvetta - Istruzioni"));
        delete help;

        // The setup dialog is a window of its own and keeps its F1.
        RightClick(Child("lblRain"), Qt::ShiftModifier);
        QTest::keyClick(window_->Setup(), Qt::Key_F1);
        QCOMPARE(window_->Help().Window(), nullptr);
    }

    // A window started minimised goes straight to the tray, and goes there again after a
    // restore; panes and drawings survive the trip ((607, 347) twips lies on the needle).
    void minimisingSendsTheWindowToTheTray() {
        window_ = std::make_unique<pluvetta::MainWindow>(true);
        window_->showMinimized();
        QTRY_VERIFY(!window_->isVisible());
        QVERIFY(window_->Tray().isVisible());
        emit window_->Tray().activated(QSystemTrayIcon::Trigger);
        QVERIFY(window_->isVisible() && !window_->isMinimized() && !window_->Tray().isVisible());

        RightClick(Child("lblWxComment"));
        window_->WindRose().Line({607, 467}, {607, 227}, pluvetta::Rgb{255, 0, 0});
        window_->showMinimized();
        QTRY_VERIFY(!window_->isVisible());
        emit window_->Tray().activated(QSystemTrayIcon::Trigger);
        QCOMPARE(window_->size(), QSize(211, 123));
        QCOMPARE(window_->WindRose().grab().toImage().pixelColor(40, 23), QColor(255, 0, 0));
    }

    // Latin-1 texts with CR LF line ends, a label's colour, and the log scrolled to its end.
    void screenShowsWhatTheCoreWrites() {
        pluvetta::WindowScreen screen(*window_);
        screen.SetCaption(Label::Rain, "12mm/h\r\n220\xB0");
        QCOMPARE(window_->ReadoutLabel(Label::Rain).text(), QString::fromUtf8("12mm/h\n220°"));
        screen.SetColor(Label::Press, pluvetta::kAlarmRed);
        QCOMPARE(Child("lblPress")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        RightClick(Child("lblWxComment"), Qt::ShiftModifier);
        // A burst of log texts in one turn of the event loop is drawn once, as its last text.
        QSignalSpy redraws(&window_->History(), &QPlainTextEdit::textChanged);
        for (int entries = 1; entries <= 60; ++entries)
            screen.SetLogText(QByteArray("[10:00:00] entry\r\n").repeated(entries).toStdString());
        QCOMPARE(redraws.count(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(redraws.count(), 1);
        QCOMPARE(window_->History().toPlainText(), QString("[10:00:00] entry\n").repeated(60));
        // At the bottom lies the empty line after the last of the 60 entries.
        const QPoint bottom(2, window_->History().viewport()->height() - 2);
        QCOMPARE(window_->History().cursorForPosition(bottom).blockNumber(), 60);
    }

    // The widest texts of daily use show whole in this desktop's faces; the rain label wraps,
    // at the size the core picks for its text.
    void longestReadoutTextsFitTheirLabels() {
        const std::tuple<const char*, int, const char*> samples[] = {
            {"lblTemp", 0, "-12.5°C"},
            {"lblTemp", 0, "104.0°F"},
            {"lblUR", 0, "100%"},
            {"lblElapsed", 0, "99"},
            {"lblCardinals1", 0, "O"},
            {"lblCalm", 0, "WIND CALM"},
            {"lblRain", 10, "12mm/h 35mm/24h\n20mm/Day"},
            {"lblRain", 8, "12mm/h 35mm/24h\n20mm/Day Wch -7.2°C Dp -3.0°C  3.9g/m³"},
            {"lblWxData", 0, "225°  12.5 / 20.8 m/s"},
            {"lblPress", 0, "1.013,2 hPa"},
            {"lblRain", 8, "0.47in/h 1.38in/24h\n0.79in/Day Hi 104.7°F Dp 78.5°F  23.6g/m³"}};
        pluvetta::WindowScreen screen(*window_);
        for (const auto& [name, points, text] : samples) {
            QWidget* label = Child(name);
            if (points != 0) screen.SetFontPoints(Label::Rain, points);
            QRect room = label->rect();
            // The calm label reaches past the rose; only the rose's part of it shows.
            if (label == &window_->CalmLabel()) room.setWidth(81 - label->x());
            const QRect needed = label->fontMetrics().boundingRect(room, Qt::TextWordWrap, text);
            QVERIFY2(room.contains(needed), text);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
