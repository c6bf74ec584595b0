#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "help/rtf_reader.h"
#include "ui/help_viewer.h"
#include "ui/rich_text.h"

using pluvetta::HelpWindow;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// An RTF file of `lines` numbered paragraphs, each starting with `word`.
QByteArray LongRtf(const QByteArray& word, int lines) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    for (int i = 0; i < lines; ++i) rtf += word + " " + QByteArray::number(i) + "\\par\n";
    return rtf + "}";
}

}  // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT

    std::unique_ptr<pluvetta::HelpViewer> viewer_;
    QTemporaryDir folder_;
    QString workingFolder_;

    HelpWindow* Open(const QString& name, const QString& title = "Pluvetta - Istruzioni") {
        viewer_->Apri(name, title);
        HelpWindow* window = viewer_->Window();
        if (window != nullptr && !QTest::qWaitForWindowActive(window)) return nullptr;
        return window;
    }

  private slots:
    void initTestCase() {
        workingFolder_ = QDir::currentPath();
        QVERIFY(folder_.isValid());
        QVERIFY(QDir::setCurrent(folder_.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(workingFolder_); }

    void init() {
        viewer_ = std::make_unique<pluvetta::HelpViewer>(nullptr);
        viewer_->Messages().AnswerInAdvance();
    }
    void cleanup() { viewer_.reset(); }

    // The caption is a blank and the title; opening again raises the same window.
    void apriShowsOneWindowUnderTheTitle() {
        WriteFile("Leggimi.rtf", "{\\rtf1 Benvenuti}");
        HelpWindow* window = Open("Leggimi.rtf");
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QString(" Pluvetta - Istruzioni"));
        QCOMPARE(window->View().toPlainText(), QString("Benvenuti"));
        QVERIFY(window->View().isReadOnly());

        QCOMPARE(Open("Leggimi.rtf", "Altro"), window);
        QCOMPARE(window->windowTitle(), QString(" Altro"));
        QCOMPARE(QApplication::topLevelWidgets().count(), 1);
    }

    // Each activation reads the file anew and starts at its top.
    void activationReloadsTheFileFromTheTop() {
        WriteFile("Leggimi.rtf", LongRtf("prima", 200));
        HelpWindow* window = Open("Leggimi.rtf");
        QVERIFY(window != nullptr);
        QScrollBar* scroll = window->View().verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());

        WriteFile("Leggimi.rtf", LongRtf("seconda", 200));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(window->View().document()->firstBlock().text(), QString("prima 0"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->View().document()->firstBlock().text(), QString("seconda 0"));
        QCOMPARE(scroll->value(), 0);
    }

    // A file that cannot be shown gives the message; once it is closed, so is the window.
    void missingFileIsReportedAndTheWindowCloses() {
        WriteFile("Vuoto.rtf", "");
        for (const QString name : {"Leggimi-manca.rtf", "Vuoto.rtf"}) {
            viewer_->Apri(name, "Pluvetta - Istruzioni");
            QTRY_COMPARE(viewer_->Window(), nullptr);
            const pluvetta::MessageBox::Shown& shown = viewer_->Messages().Recorded().back();
            QCOMPARE(shown.title, QString("Stellaro"));
            QCOMPARE(shown.text, "Manca il file di help " + name);
            QCOMPARE(shown.icon, QMessageBox::Critical);
        }
        QCOMPARE(viewer_->Messages().Recorded().size(), 2u);
    }

    // The view fills the window, and stays at least one pixel (15 twips) wide and high.
    void viewFillsTheWindowAndNeverVanishes() {
        WriteFile("Leggimi.rtf", "{\\rtf1 x}");
        HelpWindow* window = Open("Leggimi.rtf");
        QVERIFY(window != nullptr);
        QCOMPARE(window->size(), QSize(512, 264));
        QCOMPARE(window->View().geometry(), QRect(0, 0, 512, 264));
        window->setMinimumSize(0, 0);
        window->resize(0, 0);
        QTRY_COMPARE(window->View().geometry(), QRect(0, 0, 1, 1));
        window->resize(300, 200);
        QTRY_COMPARE(window->View().geometry(), QRect(0, 0, 300, 200));
    }

    // Each style of a run and a paragraph reaches the Qt document.
    void runsAndParagraphsKeepTheirLook() {
        const std::optional<pluvetta::RtfDocument> rtf = pluvetta::ReadRtf(
            "{\\rtf1{\\fonttbl{\\f0 DejaVu Serif;}}{\\colortbl;\\red200\\green0\\blue0;}"
            "\\qc\\li300\\fi-150\\sa150 plain\\b B\\b0\\i I\\i0\\ul U\\ul0\\f0 F\\plain\\fs36 S"
            "\\plain\\cf1 C\\line L\\par\\pard\\qr right\\par\\qj just}");
        QVERIFY(rtf);
        QTextDocument doc;
        pluvetta::FillTextDocument(doc, *rtf);
        // A line break stays within its paragraph.
        QCOMPARE(doc.blockCount(), 3);
        const QTextBlock first = doc.firstBlock();
        QCOMPARE(first.text(), QString("plainBIUFSC\u2028L"));
        QCOMPARE(first.blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(first.blockFormat().leftMargin(), 20.0);
        QCOMPARE(first.blockFormat().textIndent(), -10.0);
        QCOMPARE(first.blockFormat().bottomMargin(), 10.0);
        QCOMPARE(first.next().blockFormat().alignment(), Qt::AlignRight);
        QCOMPARE(doc.lastBlock().blockFormat().alignment(), Qt::AlignJustify);

        auto at = [&](int position) {
            QTextCursor cursor(&doc);
            cursor.setPosition(position + 1);
            return cursor.charFormat();
        };
        QCOMPARE(at(0).fontWeight(), int(QFont::Normal));
        QCOMPARE(at(0).fontPointSize(), 12.0);
        QCOMPARE(at(5).fontWeight(), int(QFont::Bold));
        QVERIFY(at(6).fontItalic());
        QVERIFY(at(7).fontUnderline());
        QCOMPARE(at(8).fontFamilies().toStringList(), QStringList("DejaVu Serif"));
        QCOMPARE(at(9).fontPointSize(), 18.0);
        QCOMPARE(at(10).foreground().color(), QColor(200, 0, 0));
        QVERIFY(!at(0).hasProperty(QTextFormat::ForegroundBrush));
    }

    // The shipped help, as F1 shows it, saved for a look.
    void shippedHelpScreenshot() {
        HelpWindow* window = Open(PLUVETTA_SOURCE_DIR "/docs/Leggimi.rtf");
        QVERIFY(window != nullptr);
        QVERIFY(window->View().toPlainText().startsWith("Pluvetta"));
        const QString artefacts = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
        QVERIFY(QDir().mkpath(artefacts));
        const QString path = artefacts + "/help_viewer.png";
        window->resize(640, 600);
        QVERIFY2(window->grab().save(path), qPrintable(path));
        qInfo("screenshot %s", qPrintable(path));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
