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

using pluvetta::Label;
using pluvetta::MainWindow;
using pluvetta::PictureBox;
using pluvetta::PointF;
using pluvetta::Rgb;
using pluvetta::WindowScreen;

namespace {

// Presses the right button on `widget`: 'R' alone, 'S', 'C' or 'A' with Shift, Ctrl or Alt.
void RightClick(QWidget* widget, char how) {
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    if (how == 'S') modifiers = Qt::ShiftModifier;
    if (how == 'C') modifiers = Qt::ControlModifier;
    if (how == 'A') modifiers = Qt::AltModifier;
    QTest::mousePress(widget, Qt::RightButton, modifiers, QPoint(5, 5));
    QTest::mouseRelease(widget, Qt::RightButton, modifiers, QPoint(5, 5));
}

QString ArtefactFolder() {
    const QString folder = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
    QDir().mkpath(folder);
    return folder;
}

// A readout as it looks after a report, written through the window's Screen: the worked
// example's texts, its wind rose and a trend arrow, so screenshots show a window in use.
void ShowSampleReadout(MainWindow& window) {
    WindowScreen screen(window);
    screen.SetCaption(Label::WxData, "220\xB0  6 / 8 km/h");
    screen.SetCaption(Label::Temp,
                      "25.0\xB0"
                      "C");
    screen.SetCaption(Label::UR, "50%");
    screen.SetCaption(Label::Press, "990.0 mb");
    screen.SetCaption(Label::Rain,
                      "0mm/h 0mm/24h\r\n0mm/Day Dp 13.8\xB0"
                      "C  11.5g/m\xB3");
    screen.SetFontPoints(Label::Rain, 8);
    screen.SetCaption(Label::WxComment, " wRSW");
    screen.SetCaption(Label::Elapsed, "07");
    const double a = 220 * 0.017453277777777776;
    const double s = std::sin(a);
    const double c = std::cos(a);
    pluvetta::Canvas& rose = screen.WindRose();
    rose.Clear();
    rose.Circle({607 + 520 * s, 607 - 520 * c}, 10, Rgb{0, 255, 0});
    rose.Line({607 + 140 * s, 607 - 140 * c}, {607 + 236.6 * s, 607 - 236.6 * c}, Rgb{255, 0, 0});
    rose.Line({607 + 140 * s, 607 - 140 * c}, {607 + 217.2 * s, 607 - 217.2 * c}, Rgb{255, 255, 0});
    pluvetta::Canvas& arrow = screen.TrendBox(2);
    arrow.Clear();
    arrow.Line({127, 200}, {127, 35}, pluvetta::kNormalBlue);
    arrow.Line({127, 35}, {170, 70}, pluvetta::kNormalBlue);
    arrow.Line({170, 70}, {70, 70}, pluvetta::kNormalBlue);
    arrow.Line({70, 70}, {127, 35}, pluvetta::kNormalBlue);
    screen.SetRxRows("Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:",
                     "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW");
    screen.SetLogText(
        "[10:41:07] Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:\r\n"
        "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\r\n"
        "[10:51:09] Q1XYZ-13>APRS,TCPIP*,qAC,T2ITALY:\r\n"
        "!4903.50N/07201.75W_225/005g007t076r000p000P000h51b09898wRSW\r\n");
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window_ = std::make_unique<MainWindow>(false);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void controlsStandInTheirPlacesWithTheirTexts_data();
    void controlsStandInTheirPlacesWithTheirTexts();
    void windowIsAFixedYellowPanelCalledWxStation();
    void rightClicksOnTheCommentLineSwitchPanes_data();
    void rightClicksOnTheCommentLineSwitchPanes();
    void leftClicksChangeNothing();
    void rightClickOnReadoutShowsOneSetupDialog();
    void f1FromAnyChildAsksForTheHelpFile();
    void minimisingSendsTheWindowToTheTray_data();
    void minimisingSendsTheWindowToTheTray();
    void withoutTrayMinimisingLeavesAMinimisedWindow();
    void windowStartedMinimisedGoesStraightToTheTray();
    void screenWritesTheControls();
    void drawingSurvivesATripToTheTray();
    void longestReadoutTextsFitTheirLabels();
    void screenshotsOfTheFourPaneStates();

  private:
    QWidget* Child(const char* name) { return window_->findChild<QWidget*>(name); }

    std::unique_ptr<MainWindow> window_;
};

void TestMainWindow::controlsStandInTheirPlacesWithTheirTexts_data() {
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("visible");

    // Places are the design's twips / 15, both edges rounded to whole pixels.
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
    QTest::newRow("lblWxData") << panel << QRect(80, -1, 129, 17) << "Pluvetta v6.0"
                               << "Click col tasto destro del muose per avviare il Setup. F1=Help"
                               << true;
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
    QTest::newRow("lblWxComment")
        << panel << QRect(0, 81, 212, 17) << ""
        << "Click o Shift-Click col tasto destro per abilitare/disabilitare le finestre Rx o "
           "Dati storici"
        << true;
    QTest::newRow("List2") << panel << QRect(0, 98, 212, 26) << ""
                           << "" << false;
    QTest::newRow("Text1") << panel << QRect(213, 0, 218, 100) << ""
                           << "Dati storici" << false;
}

void TestMainWindow::controlsStandInTheirPlacesWithTheirTexts() {
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

void TestMainWindow::windowIsAFixedYellowPanelCalledWxStation() {
    QCOMPARE(window_->windowTitle(), QString("Wx Station"));
    QCOMPARE(window_->size(), QSize(211, 98));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(window_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!window_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window_->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xC0));
    QVERIFY(!window_->windowIcon().isNull());
    QVERIFY(window_->font().bold());
    QVERIFY(window_->findChild<QTimer*>("tmrElapsed")->isActive());
    QCOMPARE(window_->findChild<QTimer*>("tmrElapsed")->interval(), 60000);
    auto* history = window_->findChild<QPlainTextEdit*>("Text1");
    QVERIFY(history->isReadOnly());
    QCOMPARE(history->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(history->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!window_->findChild<QListWidget*>("List2")->isEnabled());
}

void TestMainWindow::rightClicksOnTheCommentLineSwitchPanes_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("rxShown");
    QTest::addColumn<bool>("historyShown");
    QTest::addColumn<int>("historyHeight");

    // Client sizes: 3165 or 6435 twips wide, 1470 or 1850 high; history 1500 or 1850 high.
    QTest::newRow("first click grows tall") << "R" << QSize(211, 123) << true << false << 100;
    QTest::newRow("second click shrinks") << "RR" << QSize(211, 98) << false << false << 100;
    QTest::newRow("shift shows history") << "S" << QSize(429, 98) << false << true << 100;
    QTest::newRow("ctrl like shift") << "C" << QSize(429, 98) << false << true << 100;
    QTest::newRow("alt like shift") << "A" << QSize(429, 98) << false << true << 100;
    QTest::newRow("alt then ctrl hides") << "AC" << QSize(211, 98) << false << false << 100;
    QTest::newRow("tall then history") << "RS" << QSize(429, 123) << true << true << 123;
    QTest::newRow("history then tall") << "SR" << QSize(429, 123) << true << true << 123;
    QTest::newRow("tall with history made short")
        << "RSR" << QSize(429, 98) << false << true << 100;
    QTest::newRow("hidden tall, made short, shown")
        << "RSSRS" << QSize(429, 98) << false << true << 100;
    QTest::newRow("hidden short, made tall, shown")
        << "SSRS" << QSize(429, 123) << true << true << 123;
}

void TestMainWindow::rightClicksOnTheCommentLineSwitchPanes() {
    QFETCH(QString, clicks);
    QFETCH(QSize, size);
    QFETCH(bool, rxShown);
    QFETCH(bool, historyShown);
    QFETCH(int, historyHeight);

    QWidget* comment = Child("lblWxComment");
    for (QChar how : clicks) RightClick(comment, how.toLatin1());
    QCOMPARE(window_->size(), size);
    QCOMPARE(Child("List2")->isVisible(), rxShown);
    QCOMPARE(Child("Text1")->isVisible(), historyShown);
    QCOMPARE(Child("Text1")->height(), historyHeight);
}

void TestMainWindow::leftClicksChangeNothing() {
    for (const char* name : {"lblWxComment", "lblWxData", "lblRain"}) {
        QTest::mouseClick(Child(name), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseClick(Child(name), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
    }
    QTest::keyClick(window_.get(), Qt::Key_F2);
    QCOMPARE(window_->size(), QSize(211, 98));
    QCOMPARE(window_->Setup(), nullptr);
}

void TestMainWindow::rightClickOnReadoutShowsOneSetupDialog() {
    RightClick(Child("lblWxData"), 'R');
    pluvetta::SetupDialog* dialog = window_->Setup();
    QVERIFY(dialog != nullptr);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QString("Setup Parametri Pluvetta"));

    RightClick(Child("lblWxData"), 'S');
    RightClick(Child("lblRain"), 'R');
    QCOMPARE(window_->Setup(), dialog);
    int dialogs = 0;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<pluvetta::SetupDialog*>(top) != nullptr) ++dialogs;
    }
    QCOMPARE(dialogs, 1);
    // Right clicks on the readout leave the panes as they are.
    QCOMPARE(window_->size(), QSize(211, 98));
}

void TestMainWindow::f1FromAnyChildAsksForTheHelpFile() {
    QSignalSpy asked(&window_->Help(), &pluvetta::HelpViewer::OpenRequested);
    RightClick(Child("lblWxComment"), 'S');
    QWidget* history = Child("Text1");
    history->setFocus();
    QTest::keyClick(history, Qt::Key_F1);
    QTest::keyClick(history, Qt::Key_F1, Qt::ShiftModifier);
    QTest::keyClick(window_.get(), Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(asked.count(), 3);
    QCOMPARE(asked.at(0).at(0).toString(), QString("Leggimi.rtf"));
    QCOMPARE(asked.at(0).at(1).toString(), QString("Pluvetta - Istruzioni"));

    // Another window of the program keeps its F1.
    RightClick(Child("lblWxData"), 'R');
    QTest::keyClick(window_->Setup(), Qt::Key_F1);
    QCOMPARE(asked.count(), 3);
}

void TestMainWindow::minimisingSendsTheWindowToTheTray_data() {
    QTest::addColumn<bool>("desktopsOwnTray");
    QTest::newRow("this desktop's tray") << true;
    QTest::newRow("a tray the window is told of") << false;
}

void TestMainWindow::minimisingSendsTheWindowToTheTray() {
    QFETCH(bool, desktopsOwnTray);
    if (desktopsOwnTray && !QSystemTrayIcon::isSystemTrayAvailable()) {
        QSKIP("this desktop has no notification area");
    }
    window_ = std::make_unique<MainWindow>(true);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    RightClick(Child("lblWxComment"), 'R');

    window_->showMinimized();
    QTRY_VERIFY(!window_->isVisible());
    QVERIFY(window_->IsInTray());
    QVERIFY(window_->Tray().isVisible());

    emit window_->Tray().activated(QSystemTrayIcon::Trigger);
    QVERIFY(window_->isVisible());
    QVERIFY(!window_->isMinimized());
    QVERIFY(!window_->IsInTray());
    QVERIFY(!window_->Tray().isVisible());
    // The panes survive the trip.
    QCOMPARE(window_->size(), QSize(211, 123));
}

void TestMainWindow::withoutTrayMinimisingLeavesAMinimisedWindow() {
    window_->showMinimized();
    QTest::qWait(20);
    QVERIFY(window_->isVisible());
    QVERIFY(window_->isMinimized());
    QVERIFY(!window_->IsInTray());
    QVERIFY(!window_->Tray().isVisible());
}

void TestMainWindow::windowStartedMinimisedGoesStraightToTheTray() {
    window_ = std::make_unique<MainWindow>(true);
    window_->showMinimized();
    QTRY_VERIFY(window_->IsInTray());
    QTRY_VERIFY(!window_->isVisible());
    QVERIFY(window_->Tray().isVisible());
    window_->RestoreFromTray();
    QVERIFY(window_->isVisible());
    QVERIFY(!window_->isMinimized());
}

void TestMainWindow::screenWritesTheControls() {
    WindowScreen screen(*window_);
    screen.SetCaption(Label::Temp,
                      "-3.5\xB0"
                      "C");
    QCOMPARE(qobject_cast<QLabel*>(Child("lblTemp"))->text(), QString::fromUtf8("-3.5°C"));
    screen.SetCaption(Label::Rain, "0mm/h 0mm/24h\r\n0mm/Day");
    QCOMPARE(qobject_cast<QLabel*>(Child("lblRain"))->text(), QString("0mm/h 0mm/24h\n0mm/Day"));
    // A packet's remainder that looks like markup is shown as it came.
    screen.SetCaption(Label::WxComment, "<b>x</b>");
    QCOMPARE(qobject_cast<QLabel*>(Child("lblWxComment"))->text(), QString("<b>x</b>"));

    screen.SetColor(Label::Press, pluvetta::kAlarmRed);
    QCOMPARE(Child("lblPress")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    const double tenPoints = Child("lblRain")->font().pointSizeF();
    screen.SetFontPoints(Label::Rain, 8);
    QCOMPARE(Child("lblRain")->font().pointSizeF(), tenPoints * 8 / 9.75);
    QVERIFY(Child("lblRain")->font().bold());

    screen.SetCalmVisible(true);
    QVERIFY(Child("lblCalm")->isVisible());

    screen.SetRxRows("Q1XYZ-13>APRS:", "_10090556c220s004g005t077");
    screen.SetRxRows("Q1XYZ-13>APRS,qAR:", "!4903.50N/07201.75W_");
    auto* rx = window_->findChild<QListWidget*>("List2");
    QCOMPARE(rx->count(), 2);
    QCOMPARE(rx->item(0)->text(), QString("Q1XYZ-13>APRS,qAR:"));
    QCOMPARE(rx->item(1)->text(), QString("!4903.50N/07201.75W_"));

    QString log;
    for (int i = 0; i < 60; ++i) log += QString("[10:%1:00] entry\r\n").arg(i, 2, 10, QChar('0'));
    screen.SetLogText(log.toStdString());
    auto* history = window_->findChild<QPlainTextEdit*>("Text1");
    QCOMPARE(history->toPlainText(), QString(log).replace("\r\n", "\n"));
    QVERIFY(history->textCursor().atEnd());

    screen.SetWindowCaption("Q1XYZ-13 Wx Station");
    QCOMPARE(window_->windowTitle(), QString("Q1XYZ-13 Wx Station"));
    screen.SetTrayTooltip("Q1XYZ-13 Wx Station");
    QCOMPARE(window_->Tray().toolTip(), QString("Q1XYZ-13 Wx Station"));
}

void TestMainWindow::drawingSurvivesATripToTheTray() {
    window_ = std::make_unique<MainWindow>(true);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    PictureBox& rose = window_->WindRose();
    rose.Clear();
    rose.Line({607, 467}, {607, 227}, pluvetta::kAlarmRed);
    const QPoint onNeedle(40, 23);  // (607, 347) twips
    QCOMPARE(rose.grab().toImage().pixelColor(onNeedle), QColor(255, 0, 0));

    window_->showMinimized();
    QTRY_VERIFY(!window_->isVisible());
    window_->RestoreFromTray();
    QCOMPARE(rose.grab().toImage().pixelColor(onNeedle), QColor(255, 0, 0));

    rose.Clear();
    QCOMPARE(rose.grab().toImage().pixelColor(onNeedle), QColor(0xC0, 0xC0, 0xC0));
}

// The widest texts a report gives in daily use must show whole with the fonts in use.
void TestMainWindow::longestReadoutTextsFitTheirLabels() {
    struct Sample {
        const char* label;
        const char* text;
    };
    const Sample samples[] = {
        {"lblWxData", "225°  15 / 25 km/h"},
        {"lblWxData", "Calma di vento"},
        {"lblTemp", "-12.5°C"},
        {"lblUR", "100%"},
        {"lblPress", "1.013,2 mb"},
        {"lblElapsed", "99"},
        {"lblCardinals1", "O"},
        {"lblWxComment", "Variaz Press in 4h= -3mb "},
    };
    for (const Sample& s : samples) {
        auto* label = window_->findChild<QLabel*>(s.label);
        const QString text = QString::fromUtf8(s.text);
        const int width = QFontMetrics(label->font()).horizontalAdvance(text);
        QVERIFY2(width <= label->contentsRect().width(),
                 qPrintable(QString("%1 \"%2\" needs %3 px of %4")
                                .arg(s.label, text)
                                .arg(width)
                                .arg(label->contentsRect().width())));
    }
    // The calm text stands inside the rose, which ends before the label does.
    auto* calm = window_->findChild<QLabel*>("lblCalm");
    QVERIFY(QFontMetrics(calm->font()).horizontalAdvance("WIND CALM") <=
            Child("picWx")->width() - calm->x());

    // The rain label wraps; its longest texts must fit its height at the size the core picks.
    WindowScreen screen(*window_);
    auto* rain = window_->findChild<QLabel*>("lblRain");
    const struct {
        int points;
        const char* text;
    } rains[] = {
        {10, "12mm/h 35mm/24h\r\n20mm/Day"},
        {8,
         "12mm/h 35mm/24h\r\n20mm/Day Wch -7.2\xB0"
         "C Dp -3.0\xB0"
         "C  3.9g/m\xB3"},
    };
    for (const auto& r : rains) {
        screen.SetFontPoints(Label::Rain, r.points);
        screen.SetCaption(Label::Rain, r.text);
        const QRect needed =
            QFontMetrics(rain->font())
                .boundingRect(rain->contentsRect(), Qt::TextWordWrap, rain->text());
        QVERIFY2(needed.height() <= rain->height() && needed.width() <= rain->width(),
                 qPrintable(QString("rain at %1 points needs %2x%3 px")
                                .arg(r.points)
                                .arg(needed.width())
                                .arg(needed.height())));
    }
}

void TestMainWindow::screenshotsOfTheFourPaneStates() {
    ShowSampleReadout(*window_);
    const QString folder = ArtefactFolder();
    const struct {
        const char* clicks;
        const char* file;
    } states[] = {
        {"", "frmWx-narrow-short.png"},
        {"R", "frmWx-narrow-tall.png"},
        {"S", "frmWx-wide-tall.png"},
        {"R", "frmWx-wide-short.png"},
    };
    for (const auto& state : states) {
        for (const char* how = state.clicks; *how != '\0'; ++how) {
            RightClick(Child("lblWxComment"), *how);
        }
        const QImage shot = window_->grab().toImage();
        QCOMPARE(shot.size(), window_->size() * window_->devicePixelRatioF());
        const QString path = folder + "/" + state.file;
        QVERIFY2(shot.save(path), qPrintable(path));
        qInfo("screenshot %s", qPrintable(path));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
