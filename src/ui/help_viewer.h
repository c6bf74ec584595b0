#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "help/rtf_document.h"
#include "ui/message_box.h"

class QTextDocument;
class QTextEdit;

namespace pluvetta {

class TextDocumentFill;

// The help window `frmIstruzioni`: one read-only rich-text view that fills it. Each time it
// becomes the active window it reads its help file anew and shows it from the top; when the
// file cannot be shown it says so and closes. A long guide shows its beginning at once and
// the rest goes in while the window stays live. It is deleted when closed.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(MessageBox& messages);
    ~HelpWindow() override;

    // The file read at each activation; a bare name is taken from the working folder.
    void SetHelpFileName(const QString& name) { HelpFileName_ = name; }
    const QString& HelpFileName() const { return HelpFileName_; }
    QTextEdit& View() const { return *rtfIstruzioni_; }
    // True while part of the guide is still to go into the view.
    bool Filling() const { return reading_.valid() || fill_ != nullptr; }

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CentreOnScreen();
    void Reload();
    void ShowFromTop();
    void FillMore();
    void StopFilling();
    void Show(QTextDocument* document);

    MessageBox& messages_;
    QString HelpFileName_;
    QTextEdit* rtfIstruzioni_ = nullptr;
    // The file as last shown: an activation that finds it unchanged only goes back to the top.
    std::shared_ptr<const std::string> shownBytes_;
    // The whole guide while it is being filled, and the fill that writes into it; before
    // that, its reading on a thread of its own.
    std::unique_ptr<QTextDocument> pending_;
    std::unique_ptr<TextDocumentFill> fill_;
    std::future<std::optional<RtfDocument>> reading_;
    QTimer fillTimer_;
    QMetaObject::Connection restoreScroll_;
    bool reloading_ = false;
    bool frameCentred_ = false;
};

// Opens the one help window, creating it when none is open.
class HelpViewer : public QObject {
    Q_OBJECT

  public:
    explicit HelpViewer(QObject* parent) : QObject(parent) {}
    ~HelpViewer() override;

    // Shows `NFileIstruzioni` under the caption " " + `Titolo`, modeless; an open window is
    // brought to the front and shows the file again.
    void Apri(const QString& NFileIstruzioni, const QString& Titolo);

    // The open window, or none.
    HelpWindow* Window() const { return window_.data(); }
    MessageBox& Messages() { return messages_; }

  private:
    QPointer<HelpWindow> window_;
    MessageBox messages_{nullptr};
};

}  // namespace pluvetta
