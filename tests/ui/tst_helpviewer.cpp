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

// An RTF file of 200 numbered paragraphs, each starting with `word`.
QByteArray LongRtf(const QByteArray& word) {
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 200; ++i) rtf += word + " " + QByteArray::number(i) + "\\par\n";
    return rtf + "}";
}

// Each block as its alignment, left margin, first-line indent and bottom margin, then each
// fragment as text/weight, i and u when set, size, families and colour ("-" for none).
QStringList Described(const QTextDocument& doc) {
    QStringList blocks;
    for (QTextBlock block = doc.begin(); block != doc.end(); block = block.next()) {
        const QTextBlockFormat b = block.blockFormat();
        QString text = QString("%1 %2 %3 %4:")
                           .arg(int(b.alignment()))
                           .arg(b.leftMargin())
                           .arg(b.textIndent())
                           .arg(b.bottomMargin());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat c = it.fragment().charFormat();
            text +=
                QString(" %1/%2%3%4 %5 %6 %7")
                    .arg(it.fragment().text())
                    .arg(c.fontWeight())
                    .arg(c.fontItalic() ? "i" : "")
                    .arg(c.fontUnderline() ? "u" : "")
                    .arg(c.fontPointSize())
                    .arg(c.fontFamilies().toStringList().join(","))
                    .arg(c.hasProperty(QTextFormat::ForegroundBrush) ? c.foreground().color().name()
                                                                     : "-");
        }
        blocks << text;
    }
    return blocks;
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

    // The caption is a blank and the title; opening again raises the same window. The view
    // fills the window and stays at least one pixel (15 twips) wide and high.
    void apriShowsOneWindowUnderTheTitle() {
        WriteFile("Leggimi.rtf", "{\\rtf1 Benvenuti}");
        HelpWindow* window = Open("Leggimi.rtf");
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QString(" Pluvetta - Istruzioni"));
        QCOMPARE(window->View().toPlainText(), QString("Benvenuti"));
        QVERIFY(window->View().isReadOnly());
        QCOMPARE(window->View().geometry(), QRect(0, 0, 512, 264));
        QCOMPARE(Open("Leggimi.rtf", "Altro"), window);
        QCOMPARE(window->windowTitle(), QString(" Altro"));
        QCOMPARE(QApplication::topLevelWidgets().count(), 1);

        window->setMinimumSize(0, 0);
        window->resize(0, 0);
        QTRY_COMPARE(window->View().geometry(), QRect(0, 0, 1, 1));
        window->resize(300, 200);
        QTRY_COMPARE(window->View().geometry(), QRect(0, 0, 300, 200));
    }

    // Each activation reads the file anew and starts at its top.
    void activationReloadsTheFileFromTheTop() {
        WriteFile("Leggimi.rtf", LongRtf("prima"));
        HelpWindow* window = Open("Leggimi.rtf");
        QVERIFY(window != nullptr);
        QScrollBar* scroll = window->View().verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());

        WriteFile("Leggimi.rtf", LongRtf("seconda"));
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

    // Each style of a run and a paragraph reaches the Qt document; a line break stays within
    // its paragraph.
    void runsAndParagraphsKeepTheirLook() {
        QTextDocument doc;
        pluvetta::FillTextDocument(
            doc, *pluvetta::ReadRtf("{\\rtf1{\\fonttbl{\\f1 DejaVu Serif;}}{\\colortbl;\\red200"
                                    "\\green0\\blue0;}\\qc\\li300\\fi-150\\sa150 -\\b B\\b0\\i I"
                                    "\\i0\\ul U\\ul0\\f1 F\\plain\\fs36 S\\plain\\cf1 C\\line L"
                                    "\\par\\pard\\qr r\\par\\qj j}"));
        QCOMPARE(Described(doc),
                 QStringList({"4 20 -10 10: -/400 12  - B/700 12  - I/400i 12  - U/400u 12  - "
                              "F/400 12 DejaVu Serif - S/400 18  - C\u2028L/400 12  #c80000",
                              "2 0 0 0: r/400 12  #c80000", "8 0 0 0: j/400 12  #c80000"}));
    }

    // The shipped help, as F1 shows it, saved for a look.
    void shippedHelpScreenshot() {
        HelpWindow* window = Open(PLUVETTA_SOURCE_DIR "/docs/Leggimi.rtf");
        QVERIFY(window != nullptr);
        QVERIFY(window->View().toPlainText().startsWith("Pluvetta"));
        const QString artefacts = qEnvironmentVariable("PLUVETTA_ARTEFACTS", QDir::tempPath());
        const QString path = artefacts + "/help_viewer.png";
        window->resize(640, 600);
        QVERIFY2(QDir().mkpath(artefacts) && window->grab().save(path), qPrintable(path));
        qInfo("screenshot %s", qPrintable(path));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
