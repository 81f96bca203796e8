#include "gui/editor/k_edit.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {

constexpr int kMaxDroppedPath = 260;

// Only files are taken: dropped text would slip past the limits.
void AcceptFilesOnly(QDropEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

}  // namespace

void KEdit::dragEnterEvent(QDragEnterEvent* event) {
    AcceptFilesOnly(event);
}

void KEdit::dragMoveEvent(QDragMoveEvent* event) {
    AcceptFilesOnly(event);
}

void KEdit::dropEvent(QDropEvent* event) {
    // Dropped files replace the text with their path; a single-line field takes the first only.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            setText(url.toLocalFile().left(kMaxDroppedPath));
            FilterAllowedChars();  // a dropped path is input like a paste
            event->acceptProposedAction();
            return;
        }
    }
    event->ignore();
}
