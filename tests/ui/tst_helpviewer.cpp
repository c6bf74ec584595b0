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
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// An RTF file of 200 paragraphs, the first of them `word`.
QByteArray LongRtf(const QByteArray& word) {
    return "{\\rtf1 " + word + QByteArray("\\par x").repeated(199) + "}";
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
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->View().document()->firstBlock().text(), QString("seconda"));
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

    // Twips, half points and line breaks become pixels, points and line separators; each
    // style reaches the run, and a run without a font or colour keeps the view's.
    void runsAndParagraphsKeepTheirLook() {
        QTextDocument doc;
        pluvetta::FillTextDocument(
            doc, *pluvetta::ReadRtf("{\\rtf1{\\fonttbl{\\f1 DejaVu Serif;}}{\\colortbl;\\red200"
                                    "\\green0\\blue0;}\\qr\\li300\\fi-150\\sa150\\fs36 a\\b\\i\\ul"
                                    "\\f1\\cf1 b\\line c\\par\\pard\\qj d}"));
        QCOMPARE(doc.firstBlock().text(), QString("ab\u2028c"));
        const QTextBlockFormat first = doc.firstBlock().blockFormat();
        QCOMPARE(QList<qreal>({first.leftMargin(), first.textIndent(), first.bottomMargin()}),
                 QList<qreal>({20, -10, 10}));
        QCOMPARE(first.alignment(), Qt::AlignRight);
        QCOMPARE(doc.lastBlock().blockFormat().alignment(), Qt::AlignJustify);
        QTextCursor cursor(&doc);
        cursor.setPosition(1);
        const QTextCharFormat a = cursor.charFormat();
        cursor.setPosition(2);
        const QTextCharFormat b = cursor.charFormat();
        QCOMPARE(QList<int>({a.fontWeight(), b.fontWeight()}), QList<int>({400, 700}));
        QVERIFY(!a.fontItalic() && b.fontItalic() && b.fontUnderline());
        QCOMPARE(QList<qreal>({a.fontPointSize(), b.fontPointSize()}), QList<qreal>({18, 18}));
        QCOMPARE(b.fontFamilies().toStringList(), QStringList("DejaVu Serif"));
        QVERIFY(a.fontFamilies().isNull() && !a.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(b.foreground().color(), QColor(200, 0, 0));
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
