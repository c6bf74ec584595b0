#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "help/rtf_reader.h"
#include "ui/help_viewer.h"
#include "ui/rich_text.h"

class TestHelpViewer : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    std::unique_ptr<pluvetta::HelpViewer> viewer_;

    // Writes a guide whose text is `body`.
    static bool Write(const QString& file, const QByteArray& body) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write("{\\rtf1 " + body + "}") > 0;
    }
    // Another window takes the focus, then `window` has it again: an activation.
    static bool ActivateAgain(QWidget* window) {
        QWidget other;
        other.show();
        if (!QTest::qWaitForWindowActive(&other)) return false;
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }

  private slots:
    void init() {
        QVERIFY(folder_.isValid());
        viewer_ = std::make_unique<pluvetta::HelpViewer>(nullptr);
        viewer_->Messages().AnswerInAdvance();
    }

    // One window, a blank before its title, its read-only view filling it, never under 15 twips.
    // Each activation reads the file anew from the top; Apri again reuses it, with a new title.
    void apriShowsTheFileFromTheTopInOneWindow() {
        const QString file = folder_.filePath("Leggimi.rtf");
        const auto write = [&file](const QByteArray& word) {
            return Write(file, word + QByteArray("\\par x").repeated(199));
        };
        QVERIFY(write("prima"));
        viewer_->Apri(file, "Pluvetta - Istruzioni");
        pluvetta::HelpWindow* window = viewer_->Window();
        QVERIFY(window != nullptr && QTest::qWaitForWindowActive(window));
        QVERIFY(window->View().isReadOnly());
        QCOMPARE(window->View().geometry(), QRect(0, 0, 512, 264));
        window->setMinimumSize(0, 0);
        window->resize(0, 0);
        QTRY_COMPARE(window->View().geometry(), QRect(0, 0, 1, 1));
        window->resize(300, 200);  // room to be activated again below
        QScrollBar* scroll = window->View().verticalScrollBar();
        scroll->setValue(scroll->maximum());
        QVERIFY(scroll->value() > 0);

        QVERIFY(write("seconda") && ActivateAgain(window));
        QCOMPARE(window->View().document()->firstBlock().text(), QString("seconda"));
        QCOMPARE(scroll->value(), 0);

        // F1 brings a minimised window back, with the shipped help.
        QWidget other;
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window->showMinimized();
        window->resize(640, 600);
        viewer_->Apri(PLUVETTA_SOURCE_DIR "/docs/Leggimi.rtf", "Altro");
        QCOMPARE(viewer_->Window(), window);
        QVERIFY(QTest::qWaitForWindowActive(window) && !window->isMinimized());
        QCOMPARE(window->windowTitle(), QString(" Altro"));
        QVERIFY(window->View().toPlainText().startsWith("Pluvetta"));
    }

    // A long guide shows its beginning at once and takes in the rest between events; the
    // whole then replaces it where the reader is. An unchanged file is not filled again.
    void aLongGuideShowsItsBeginningFirst() {
        const QString file = folder_.filePath("Lungo.rtf");
        QVERIFY(Write(file, QByteArray("rigo lungo\\par ").repeated(100'000)));
        viewer_->Apri(file, "Lungo");
        pluvetta::HelpWindow* window = viewer_->Window();
        QVERIFY(window != nullptr && QTest::qWaitForWindowActive(window));
        QTextEdit& view = window->View();
        QVERIFY(window->Filling() && view.document()->blockCount() < 100'000);
        QCOMPARE(view.document()->lastBlock().text(), QString("rigo lungo"));  // none cut short
        view.setTextCursor(QTextCursor(view.document()->findBlockByNumber(100)));
        // Further down than the view lays out at once when it takes a document.
        QTRY_VERIFY(view.verticalScrollBar()->maximum() > 20'000);
        view.verticalScrollBar()->setValue(20'000);
        QTRY_VERIFY_WITH_TIMEOUT(!window->Filling(), 60'000);
        QCOMPARE(view.document()->blockCount(), 100'000);
        QCOMPARE(view.document()->lastBlock().text(), QString("rigo lungo"));
        QCOMPARE(view.textCursor().position(), 100 * 11);
        QTRY_COMPARE(view.verticalScrollBar()->value(), 20'000);

        const QTextDocument* shown = view.document();
        QVERIFY(ActivateAgain(window));
        QVERIFY(view.document() == shown && !window->Filling());
        QCOMPARE(view.verticalScrollBar()->value(), 0);
    }

    // A file that cannot be shown gives the message; once it is closed, so is the window.
    void missingFileIsReportedAndTheWindowCloses() {
        const QString file = folder_.filePath("Leggimi-manca.rtf");
        viewer_->Apri(file, "Pluvetta - Istruzioni");
        QTRY_COMPARE(viewer_->Window(), nullptr);
        QCOMPARE(viewer_->Messages().Recorded().size(), 1u);
        const pluvetta::MessageBox::Shown& shown = viewer_->Messages().Recorded()[0];
        QCOMPARE(QStringList({shown.title, shown.text}),
                 QStringList({"Stellaro", "Manca il file di help " + file}));
        QCOMPARE(shown.icon, QMessageBox::Critical);
    }

    // Twips, half points and line breaks become pixels, points and line separators; each
    // style reaches the run, and a run without a font or colour keeps the view's.
    void runsAndParagraphsKeepTheirLook() {
        // A view lays out again at each change of its document: one change a run would cost
        // the square of the paragraph count, so a fill of any size makes a few.
        QTextDocument doc;
        doc.documentLayout();  // only a document with a layout tells of its changes
        int changes = 0;
        connect(&doc, &QTextDocument::contentsChange, [&changes] { ++changes; });
        pluvetta::FillTextDocument(
            doc,
            *pluvetta::ReadRtf(("{\\rtf1 " + QByteArray("x\\par ").repeated(99)).toStdString()));
        QVERIFY(changes <= 3);
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
        QTextBlock::iterator run = doc.firstBlock().begin();
        const QTextCharFormat a = run.fragment().charFormat();
        const QTextCharFormat b = (++run).fragment().charFormat();
        QCOMPARE(QList<int>({a.fontWeight(), b.fontWeight()}), QList<int>({400, 700}));
        QVERIFY(!a.fontItalic() && b.fontItalic() && b.fontUnderline());
        QCOMPARE(QList<qreal>({a.fontPointSize(), b.fontPointSize()}), QList<qreal>({18, 18}));
        QCOMPARE(b.fontFamilies().toStringList(), QStringList("DejaVu Serif"));
        QVERIFY(a.fontFamilies().isNull() && !a.hasProperty(QTextFormat::ForegroundBrush));
        QCOMPARE(b.foreground().color(), QColor(200, 0, 0));
    }
};

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
