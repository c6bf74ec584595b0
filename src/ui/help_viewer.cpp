#include "ui/help_viewer.h"

#include <QFile>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <filesystem>

#include "help/help_file.h"
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
}

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
    const std::optional<RtfDocument> doc =
        LoadHelpFile(std::filesystem::path(QFile::encodeName(HelpFileName_).toStdString()));
    if (doc) {
        // Filled apart, then handed over: a view takes a new document as a whole and lays it
        // out a piece at a time, while one filled in place is laid out in full at once.
        // The view deletes only the document it made itself; a later one is ours to delete.
        const QPointer<QTextDocument> old = rtfIstruzioni_->document();
        auto* shown = new QTextDocument(rtfIstruzioni_);
        shown->setDefaultFont(old->defaultFont());
        FillTextDocument(*shown, *doc);
        rtfIstruzioni_->setDocument(shown);
        delete old.data();
        rtfIstruzioni_->moveCursor(QTextCursor::Start);
        rtfIstruzioni_->verticalScrollBar()->setValue(0);
        rtfIstruzioni_->horizontalScrollBar()->setValue(0);
    } else {
        rtfIstruzioni_->clear();
        messages_.Critical(QString::fromLatin1(kMessageTitle),
                           QString::fromLatin1(kMissingFileText) + HelpFileName_);
        close();
    }
    reloading_ = false;
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
