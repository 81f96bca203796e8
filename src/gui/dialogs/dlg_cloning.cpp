#include "gui/dialogs/dlg_cloning.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "link/clone_job.h"
#include "text/language_texts.h"

namespace {

int ClampToInt(uint32_t value) {
    return static_cast<int>(std::min<uint32_t>(value, INT_MAX));
}

}  // namespace

CDlgCloning::CDlgCloning(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_progress(new QProgressBar(this)) {
    setModal(true);
    m_progress->setObjectName("progress");
    m_progress->setTextVisible(false);
    m_progress->setMinimumWidth(320);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_progress);
}

CDlgCloning::~CDlgCloning() {
    // Only reached early when the window is destroyed without having run; the worker holds the
    // job, so it must end before the job does.
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

int CDlgCloning::RunJob(CloneJob& job) {
    m_job = &job;
    return exec();
}

void CDlgCloning::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started || !m_job) {
        return;
    }
    m_started = true;
    if (m_captionId >= 0) {
        setWindowTitle(QString::fromStdU16String(GetLanguageText(static_cast<uint32_t>(m_captionId))));
    }
    m_progress->setRange(m_rangeMin, m_rangeMax);
    m_progress->setValue(m_rangeMin);
    CloneJob* job = m_job;
    m_worker = std::thread([this, job] {
        CloneThreadProc(*job, [this](uint32_t value) {
            QMetaObject::invokeMethod(
                this, [this, value] { OnCallbackNotify(0, value); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this] { OnWorkerDone(); }, Qt::QueuedConnection);
    });
}

void CDlgCloning::OnCallbackNotify(uint32_t wParam, uint32_t lParam) {
    if (wParam != 0) {
        return;
    }
    if (lParam & 0x80000000u) {
        m_progress->setRange(0, ClampToInt(lParam & 0x7FFFFFFFu));
    } else {
        m_progress->setValue(ClampToInt(lParam));
    }
}

void CDlgCloning::OnWorkerDone() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_done = true;
    done(QDialog::Accepted);
}

void CDlgCloning::closeEvent(QCloseEvent* event) {
    if (!m_done) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CDlgCloning::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

bool CDlgCloning::event(QEvent* event) {
    // Enter reaches a dialog as a shortcut override before any key press; none may act here.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyRelease) {
        event->accept();
        return true;
    }
    return QDialog::event(event);
}

void CDlgCloning::reject() {
    if (m_done) {
        QDialog::reject();
    }
}
