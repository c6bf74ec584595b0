#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>

#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"
#include "ui/setup_dialog.h"
#include "ui/window_screen.h"

using pluvetta::kNormalBlue;
using pluvetta::Label;
using pluvetta::MainWindow;
using pluvetta::Rgb;
using pluvetta::WindowScreen;

namespace {

// Presses the right button on `widget`: 'R' alone, 'S', 'C' or 'A' with Shift, Ctrl or Alt.
void RightClick(QWidget* widget, char how) {
    const Qt::KeyboardModifiers modifiers = how == 'S'   ? Qt::ShiftModifier
                                            : how == 'C' ? Qt::ControlModifier
                                            : how == 'A' ? Qt::AltModifier
                                                         : Qt::NoModifier;
    QTest::mousePress(widget, Qt::RightButton, modifiers, QPoint(5, 5));
    QTest::mouseRelease(widget, Qt::RightButton, modifiers, QPoint(5, 5));
}

// The worked example's readout, rose and a rising pressure arrow, written through the Screen,
// so that screenshots show a window in use.
void ShowSampleReadout(MainWindow& window) {
    WindowScreen screen(window);
    screen.SetCaption(Label::WxData, "220\xB0  6 / 8 km/h");
    screen.SetCaption(Label::Temp,
                      "25.0\xB0"
                      "C");
    screen.SetCaption(Label::UR, "50%");
    screen.SetCaption(Label::Press, "990.0 mb");
    screen.SetFontPoints(Label::Rain, 8);
    screen.SetCaption(Label::Rain,
                      "0mm/h 0mm/24h\r\n0mm/Day Dp 13.8\xB0"
                      "C  11.5g/m\xB3");
    screen.SetCaption(Label::WxComment, " wRSW");
    screen.SetCaption(Label::Elapsed, "07");
    const double s = std::sin(220 * 0.017453277777777776);
    const double c = std::cos(220 * 0.017453277777777776);
    auto onRose = [&](double length) {
        return pluvetta::PointF{607 + length * s, 607 - length * c};
    };
    screen.WindRose().Circle(onRose(520), 10, Rgb{0, 255, 0});
    screen.WindRose().Line(onRose(140), onRose(236.6), Rgb{255, 0, 0});
    screen.WindRose().Line(onRose(140), onRose(217.2), Rgb{255, 255, 0});
    const pluvetta::PointF up[] = {{127, 200}, {127, 35}, {170, 70}, {70, 70}, {127, 35}};
    for (int i = 0; i + 1 < 5; ++i) screen.TrendBox(2).Line(up[i], up[i + 1], kNormalBlue);
    screen.SetRxRows("Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:",
                     "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW");
    screen.SetLogText(
        "[10:41:07] Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:\r\n"
        "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\r\n");
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private:
    QWidget* Child(const char* name) const { return window_->findChild<QWidget*>(name); }
    QLabel* LabelNamed(const char* name) const { return window_->findChild<QLabel*>(name); }
    void NewWindow(bool trayAvailable) {
        window_ = std::make_unique<MainWindow>(trayAvailable);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    std::unique_ptr<MainWindow> window_;

  private slots:
    void init() { NewWindow(false); }
    void cleanup() { window_.reset(); }

    void controlsStandInTheirPlacesWithTheirTexts_data() {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<bool>("visible");

        // Design twips / 15, both edges rounded to whole pixels.
        const QString rose = "picWx";
        const QString panel = "frmWx";
        QTest::newRow("picWx") << panel << QRect(0, 0, 81, 81) << ""
                               << "" << true;
        QTest::newRow("Shape1") << rose << QRect(3, 3, 74, 74) << ""
                                << "" << true;
        QTest::newRow("Shape2") << rose << QRect(32, 32, 17, 17) << ""
                                << "" << true;
        QTest::newRow("lblElapsed") << rose << QRect(34, 34, 13, 13) << "00"
                                    << "" << true;
        QTest::newRow("lblCardinals0") << rose << QRect(37, 3, 9, 17) << "N"
                                       << "" << true;
        QTest::newRow("lblCardinals1") << rose << QRect(5, 32, 9, 17) << "O"
                                       << "" << true;
        QTest::newRow("lblCardinals2") << rose << QRect(37, 63, 9, 17) << "S"
                                       << "" << true;
        QTest::newRow("lblCardinals3") << rose << QRect(67, 32, 9, 17) << "E"
                                       << "" << true;
        QTest::newRow("lblCalm") << rose << QRect(3, 15, 81, 17) << "WIND CALM"
                                 << "" << false;
        QTest::newRow("lblWxData")
            << panel << QRect(80, -1, 129, 17) << "Pluvetta v6.0"
            << "Click col tasto destro del muose per avviare il Setup. F1=Help" << true;
        QTest::newRow("lblTemp") << panel << QRect(87, 14, 49, 17) << ""
                                 << "" << true;
        QTest::newRow("picVar0") << panel << QRect(135, 14, 17, 17) << ""
                                 << "" << true;
        QTest::newRow("lblUR") << panel << QRect(150, 14, 41, 17) << ""
                               << "" << true;
        QTest::newRow("picVar1") << panel << QRect(189, 14, 17, 17) << ""
                                 << "" << true;
        QTest::newRow("lblPress") << panel << QRect(83, 28, 89, 17) << ""
                                  << "" << true;
        QTest::newRow("picVar2") << panel << QRect(173, 28, 17, 17) << ""
                                 << "" << true;
        QTest::newRow("lblRain") << panel << QRect(80, 43, 129, 39) << ""
                                 << "Click col tasto destro del mouse per avviare il Setup" << true;
        QTest::newRow("lblWxComment") << panel << QRect(0, 81, 212, 17) << ""
                                      << "Click o Shift-Click col tasto destro per "
                                         "abilitare/disabilitare le finestre Rx o Dati storici"
                                      << true;
        QTest::newRow("List2") << panel << QRect(0, 98, 212, 26) << ""
                               << "" << false;
        QTest::newRow("Text1") << panel << QRect(213, 0, 218, 100) << ""
                               << "Dati storici" << false;
    }
    void controlsStandInTheirPlacesWithTheirTexts() {
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(bool, visible);

        QWidget* control = Child(QTest::currentDataTag());
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget()->objectName(), parent);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->toolTip(), toolTip);
        QCOMPARE(control->isVisible(), visible);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(label->text(), text);
            QCOMPARE(label->textFormat(), Qt::PlainText);
        }
    }

    void windowIsAFixedPanelWithMinimiseButtonOnly() {
        QCOMPARE(window_->windowTitle(), QString("Wx Station"));
        QCOMPARE(window_->size(), QSize(211, 98));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(window_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(window_->findChild<QTimer*>("tmrElapsed")->isActive());
        QVERIFY(window_->findChild<QPlainTextEdit*>("Text1")->isReadOnly());
        QVERIFY(!Child("List2")->isEnabled());
    }

    void rightClicksOnTheCommentLineSwitchPanes_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("historyHeight");

        // Client 3165 or 6435 twips wide, 1470 or 1850 high; history 1500 or 1850 high.
        QTest::newRow("first click grows tall") << "R" << QSize(211, 123) << 100;
        QTest::newRow("second click shrinks") << "RR" << QSize(211, 98) << 100;
        QTest::newRow("ctrl shows history") << "C" << QSize(429, 98) << 100;
        QTest::newRow("alt then shift hides") << "AS" << QSize(211, 98) << 100;
        QTest::newRow("tall, then history") << "RS" << QSize(429, 123) << 123;
        QTest::newRow("history, then tall") << "SR" << QSize(429, 123) << 123;
        QTest::newRow("tall with history made short") << "RSR" << QSize(429, 98) << 100;
        QTest::newRow("hidden tall, made short, shown") << "RSSRS" << QSize(429, 98) << 100;
    }
    void rightClicksOnTheCommentLineSwitchPanes() {
        QFETCH(QString, clicks);
        QFETCH(QSize, size);
        QFETCH(int, historyHeight);

        for (QChar how : clicks) RightClick(Child("lblWxComment"), how.toLatin1());
        QCOMPARE(window_->size(), size);
        QCOMPARE(Child("List2")->isVisible(), size.height() == 123);
        QCOMPARE(Child("Text1")->isVisible(), size.width() == 429);
        QCOMPARE(Child("Text1")->height(), historyHeight);
    }

    void leftClicksAndOtherKeysDoNothing() {
        QSignalSpy asked(&window_->Help(), &pluvetta::HelpViewer::OpenRequested);
        for (const char* name : {"lblWxComment", "lblWxData", "lblRain"}) {
            QTest::mouseClick(Child(name), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
        }
        QTest::keyClick(window_.get(), Qt::Key_F2);
        QCOMPARE(window_->size(), QSize(211, 98));
        QCOMPARE(window_->Setup(), nullptr);
        QCOMPARE(asked.count(), 0);
    }

    void rightClickOnReadoutShowsOneModelessSetupDialog() {
        RightClick(Child("lblWxData"), 'R');
        pluvetta::SetupDialog* dialog = window_->Setup();
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QString("Setup Parametri Pluvetta"));
        RightClick(Child("lblWxData"), 'S');
        RightClick(Child("lblRain"), 'R');
        QCOMPARE(window_->Setup(), dialog);
        QCOMPARE(QApplication::topLevelWidgets().count(), 2);
    }

    void f1FromAnyChildAsksForTheHelpFile() {
        QSignalSpy asked(&window_->Help(), &pluvetta::HelpViewer::OpenRequested);
        RightClick(Child("lblWxComment"), 'S');
        Child("Text1")->setFocus();
        QTest::keyClick(Child("Text1"), Qt::Key_F1);
        QTest::keyClick(Child("Text1"), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(asked.count(), 2);
        QCOMPARE(asked.at(0).at(0).toString(), QString("Leggimi.rtf"));
        QCOMPARE(asked.at(0).at(1).toString(), QString("Pluvetta - Istruzioni"));
        // The setup dialog is a window of its own and keeps its F1.
        RightClick(Child("lblWxData"), 'R');
        QTest::keyClick(window_->Setup(), Qt::Key_F1);
        QCOMPARE(asked.count(), 2);
    }

    void minimisingSendsTheWindowToTheTray_data() {
        QTest::addColumn<bool>("desktopsOwnTray");
        QTest::newRow("this desktop's tray") << true;
        QTest::newRow("a tray the window is told of") << false;
    }
    void minimisingSendsTheWindowToTheTray() {
        QFETCH(bool, desktopsOwnTray);
        if (desktopsOwnTray && !QSystemTrayIcon::isSystemTrayAvailable()) {
            QSKIP("this desktop has no notification area");
        }
        NewWindow(true);
        RightClick(Child("lblWxComment"), 'R');
        window_->WindRose().Line({607, 467}, {607, 227}, Rgb{255, 0, 0});

        window_->showMinimized();
        QTRY_VERIFY(!window_->isVisible());
        QVERIFY(window_->Tray().isVisible());
        emit window_->Tray().activated(QSystemTrayIcon::Trigger);
        QVERIFY(window_->isVisible());
        QVERIFY(!window_->isMinimized());
        QVERIFY(!window_->Tray().isVisible());
        // Panes and drawings survive the trip: (607, 347) twips lies on the needle.
        QCOMPARE(window_->size(), QSize(211, 123));
        QCOMPARE(window_->WindRose().grab().toImage().pixelColor(40, 23), QColor(255, 0, 0));
    }

    void withoutTrayMinimisingLeavesAMinimisedWindow() {
        window_->showMinimized();
        QTest::qWait(20);
        QVERIFY(window_->isVisible());
        QVERIFY(window_->isMinimized());
        QVERIFY(!window_->Tray().isVisible());
    }

    void windowStartedMinimisedGoesStraightToTheTray() {
        window_ = std::make_unique<MainWindow>(true);
        window_->showMinimized();
        QTRY_VERIFY(window_->IsInTray());
        QTRY_VERIFY(!window_->isVisible());
        QVERIFY(window_->Tray().isVisible());
    }

    void screenShowsLatin1TextsAsPlainText() {
        WindowScreen screen(*window_);
        screen.SetCaption(Label::Temp,
                          "-3.5\xB0"
                          "C");
        QCOMPARE(LabelNamed("lblTemp")->text(), QString::fromUtf8("-3.5°C"));
        screen.SetCaption(Label::Rain, "0mm/h 0mm/24h\r\n0mm/Day");
        QCOMPARE(LabelNamed("lblRain")->text(), QString("0mm/h 0mm/24h\n0mm/Day"));
        // A packet's remainder that looks like markup is shown as it came.
        screen.SetCaption(Label::WxComment, "<img src=x>");
        QCOMPARE(LabelNamed("lblWxComment")->text(), QString("<img src=x>"));
        screen.SetColor(Label::Press, pluvetta::kAlarmRed);
        QCOMPARE(Child("lblPress")->palette().color(QPalette::WindowText), QColor(255, 0, 0));

        screen.SetRxRows("Q1XYZ-13>APRS:", "_10090556c220");
        screen.SetRxRows("Q1XYZ-13>APRS,qAR:", "!4903.50N/07201.75W_");
        auto* rx = window_->findChild<QListWidget*>("List2");
        QCOMPARE(rx->count(), 2);
        QCOMPARE(rx->item(1)->text(), QString("!4903.50N/07201.75W_"));

        QString log;
        for (int i = 0; i < 60; ++i) log += QString("[10:%1:00] entry\r\n").arg(i);
        screen.SetLogText(log.toStdString());
        auto* history = window_->findChild<QPlainTextEdit*>("Text1");
        QCOMPARE(history->toPlainText(), QString(log).replace("\r\n", "\n"));
        QVERIFY(history->textCursor().atEnd());
    }

    // The widest texts of daily use must show whole in the faces this desktop provides.
    void longestReadoutTextsFitTheirLabels() {
        const char* const samples[][2] = {
            {"lblWxData", "225°  15 / 25 km/h"}, {"lblTemp", "-12.5°C"}, {"lblUR", "100%"},
            {"lblPress", "1.013,2 mb"},          {"lblElapsed", "99"},   {"lblCardinals1", "O"},
        };
        for (const auto& sample : samples) {
            QLabel* label = LabelNamed(sample[0]);
            const int width = label->fontMetrics().horizontalAdvance(QString::fromUtf8(sample[1]));
            QVERIFY2(
                width <= label->width(),
                qPrintable(
                    QString("%1 needs %2 px of %3").arg(sample[1]).arg(width).arg(label->width())));
        }
        QLabel* calm = LabelNamed("lblCalm");
        QVERIFY(calm->fontMetrics().horizontalAdvance("WIND CALM") <= 81 - calm->x());

        // The rain label wraps; at the size the core picks, its longest texts fit its height.
        WindowScreen screen(*window_);
        QLabel* rain = LabelNamed("lblRain");
        const std::pair<int, const char*> rains[] = {
            {10, "12mm/h 35mm/24h\r\n20mm/Day"},
            {8,
             "12mm/h 35mm/24h\r\n20mm/Day Wch -7.2\xB0"
             "C Dp -3.0\xB0"
             "C  3.9g/m\xB3"},
        };
        for (const auto& [points, text] : rains) {
            screen.SetFontPoints(Label::Rain, points);
            screen.SetCaption(Label::Rain, text);
            const QRect needed =
                rain->fontMetrics().boundingRect(rain->rect(), Qt::TextWordWrap, rain->text());
            QVERIFY2(needed.height() <= rain->height(),
                     qPrintable(QString("%1 points need %2 px").arg(points).arg(needed.height())));
        }
    }

    void screenshotsOfTheFourPaneStates() {
        ShowSampleReadout(*window_);
        const QString folder = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
        QVERIFY(QDir().mkpath(folder));
        const char* const states[][2] = {{"", "frmWx-narrow-short.png"},
                                         {"R", "frmWx-narrow-tall.png"},
                                         {"S", "frmWx-wide-tall.png"},
                                         {"R", "frmWx-wide-short.png"}};
        for (const auto& state : states) {
            for (const char* how = state[0]; *how != '\0'; ++how) {
                RightClick(Child("lblWxComment"), *how);
            }
            const QString path = folder + "/" + state[1];
            QVERIFY2(window_->grab().save(path), qPrintable(path));
            qInfo("screenshot %s", qPrintable(path));
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
