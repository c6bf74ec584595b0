#include "ui/help_viewer.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "help/help_file.h"
#include "help/rtf_reader.h"
#include "ui/rich_text.h"
#include "ui/twips.h"
#include "ui/wx_icon.h"

namespace pluvetta {

namespace {

const char* const kInitialCaption = "Istruzioni:";
const char* const kMissingFileText = "Manca il file di help ";
const char* const kMessageTitle = "Stellaro";
constexpr int kClientWidth = 7680;
constexpr int kClientHeight = 3960;
// A long guide shows this much of its beginning at once, a few screenfuls and more, while the
// whole is read apart and then filled in slices short enough that keys, scrolling and signals
// are served between them.
constexpr std::size_t kFirstBytes = std::size_t{64} << 10;
constexpr std::chrono::milliseconds kReadingPoll{20};
constexpr std::chrono::milliseconds kNextSlice{30};

}  // namespace

HelpWindow::HelpWindow(MessageBox& messages) : QWidget(nullptr, Qt::Window), messages_(messages) {
    setObjectName(QStringLiteral("frmIstruzioni"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(kInitialCaption));
    setWindowIcon(WxIcon());
    rtfIstruzioni_ = new QTextEdit(this);
    rtfIstruzioni_->setObjectName(QStringLiteral("rtfIstruzioni"));
    rtfIstruzioni_->setReadOnly(true);
    // A caret that the keys move lets a screen reader walk the text.
    rtfIstruzioni_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
    resize(TwipsSize(kClientWidth, kClientHeight));
    CentreOnScreen();
    connect(&fillTimer_, &QTimer::timeout, this, &HelpWindow::FillMore);
}

// Out of line, where the fill's type is known; the fill goes before the document it fills.
HelpWindow::~HelpWindow() = default;

void HelpWindow::CentreOnScreen() {
    const QScreen* here = screen();
    if (here == nullptr) return;
    const QRect area = here->geometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

bool HelpWindow::event(QEvent* event) {
    const QEvent::Type type = event->type();
    const bool handled = QWidget::event(event);
    // The window manager adds its frame only once the window is shown: centred before that,
    // the window sits half a frame low and right. Centred again, once, when the frame is known.
    // (Only after events that cannot have deleted the window.)
    const bool placed = type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize;
    if (placed && !frameCentred_ && isVisible() && frameGeometry().size() != size()) {
        frameCentred_ = true;
        CentreOnScreen();
    }
    if (type == QEvent::WindowActivate) Reload();
    return handled;
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized()) return;
    rtfIstruzioni_->setGeometry(0, 0, std::max(1, width()), std::max(1, height()));
}

void HelpWindow::Reload() {
    // The message box below activates this window again when it closes.
    if (reloading_ || !isVisible()) return;
    reloading_ = true;
    std::optional<std::string> bytes =
        ReadHelpFileBytes(std::filesystem::path(QFile::encodeName(HelpFileName_).toStdString()));
    std::optional<RtfDocument> beginning;
    if (bytes && shownBytes_ && *bytes == *shownBytes_) {
        ShowFromTop();
    } else if (bytes && (beginning = ReadRtf(std::string_view(*bytes).substr(0, kFirstBytes)))) {
        StopFilling();
        shownBytes_ = std::make_shared<const std::string>(std::move(*bytes));
        if (shownBytes_->size() > kFirstBytes) {
            // What comes before a paragraph's end reads the same whatever follows; the last
            // paragraph of the beginning may be cut, and waits for the whole.
            if (!beginning->paragraphs.empty()) beginning->paragraphs.pop_back();
            reading_ =
                std::async(std::launch::async, [bytes = shownBytes_] { return ReadRtf(*bytes); });
            fillTimer_.start(kReadingPoll);
        }
        auto shown = std::make_unique<QTextDocument>();
        shown->setDefaultFont(rtfIstruzioni_->document()->defaultFont());
        FillTextDocument(*shown, *beginning);
        Show(shown.release());
        ShowFromTop();
    } else {
        StopFilling();
        shownBytes_.reset();
        rtfIstruzioni_->clear();
        messages_.Critical(QString::fromLatin1(kMessageTitle),
                           QString::fromLatin1(kMissingFileText) + HelpFileName_);
        close();
    }
    reloading_ = false;
}

void HelpWindow::StopFilling() {
    fillTimer_.stop();
    reading_ = {};  // waits for a reading under way
    fill_.reset();
    pending_.reset();
}

void HelpWindow::ShowFromTop() {
    rtfIstruzioni_->moveCursor(QTextCursor::Start);
    rtfIstruzioni_->verticalScrollBar()->setValue(0);
    rtfIstruzioni_->horizontalScrollBar()->setValue(0);
}

void HelpWindow::Show(QTextDocument* document) {
    // The view deletes only the document it made itself; a later one is ours to delete.
    const QPointer<QTextDocument> old = rtfIstruzioni_->document();
    document->setParent(rtfIstruzioni_);
    rtfIstruzioni_->setDocument(document);
    delete old.data();
}

void HelpWindow::FillMore() {
    if (reading_.valid()) {
        if (reading_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
        std::optional<RtfDocument> doc = reading_.get();
        if (!doc) return StopFilling();  // cannot be: its beginning was read
        // Filled apart, then handed over: a view takes a new document as a whole and lays it
        // out a piece at a time, while one filled in place is laid out again at every change.
        pending_ = std::make_unique<QTextDocument>();
        pending_->setDefaultFont(rtfIstruzioni_->document()->defaultFont());
        fill_ = std::make_unique<TextDocumentFill>(*pending_, std::move(*doc));
        fillTimer_.start(0);
    }
    if (fill_ == nullptr || !fill_->Continue(kNextSlice)) return;
    fillTimer_.stop();
    fill_.reset();
    // What is shown so far is the whole's beginning: the reader keeps caret and place.
    const QTextCursor was = rtfIstruzioni_->textCursor();
    const int anchor = was.anchor();
    const int position = was.position();
    const int vertical = rtfIstruzioni_->verticalScrollBar()->value();
    const int horizontal = rtfIstruzioni_->horizontalScrollBar()->value();
    Show(pending_.release());
    QTextDocument* whole = rtfIstruzioni_->document();
    QTextCursor caret(whole);
    caret.setPosition(anchor);
    caret.setPosition(position, QTextCursor::KeepAnchor);
    rtfIstruzioni_->setTextCursor(caret);
    // The view lays a new document out lazily and learns its size from the event loop: the
    // place is laid out now, and scrolled to once the view's range reaches it.
    QAbstractTextDocumentLayout* layout = whole->documentLayout();
    layout->hitTest(QPointF(0, vertical + rtfIstruzioni_->viewport()->height()), Qt::FuzzyHit);
    const auto restore = [this, vertical, horizontal] {
        QScrollBar* bar = rtfIstruzioni_->verticalScrollBar();
        if (bar->maximum() < vertical) return false;
        bar->setValue(vertical);
        rtfIstruzioni_->horizontalScrollBar()->setValue(horizontal);
        return true;
    };
    if (restore()) return;
    restoreScroll_ = connect(
        layout, &QAbstractTextDocumentLayout::documentSizeChanged, this,
        [this, restore] {
            if (restore()) disconnect(restoreScroll_);
        },
        Qt::QueuedConnection);
}

HelpViewer::~HelpViewer() { delete window_; }

void HelpViewer::Apri(const QString& NFileIstruzioni, const QString& Titolo) {
    if (!window_) window_ = new HelpWindow(messages_);
    window_->SetHelpFileName(NFileIstruzioni);
    window_->setWindowTitle(QLatin1Char(' ') + Titolo);
    // A minimised window comes back as it was before; show() alone would leave it an icon.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace pluvetta
