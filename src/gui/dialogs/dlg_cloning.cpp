#include "gui/dialogs/dlg_cloning.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/clone_job.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextCancel = 101;
constexpr uint32_t kTextConnecting = 20030;
constexpr uint32_t kTextReadingBlock = 20031;  // %u of about %u
constexpr uint32_t kTextWritingBlock = 20032;  // %u of %u
constexpr uint32_t kTextConfirming = 20033;
constexpr uint32_t kTextSecondsLeft = 20034;
constexpr uint32_t kTextMinutesLeft = 20035;
constexpr uint32_t kTextChecking = 20036;
constexpr uint32_t kTextReadingBlockOnly = 20037;  // %u
constexpr uint32_t kTextVerifyingBlock = 20038;    // %u of %u
constexpr uint32_t kTextSearchingPort = 20039;     // %u of %u
constexpr uint32_t kTextFirmwareBlock = 20060;     // %u of %u
constexpr uint32_t kTextStopping = 20061;
constexpr uint32_t kTextCannotStop = 20062;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

QString Format(uint32_t id, std::initializer_list<FormatArg> args) {
    return QString::fromStdU16String(FormatLanguageText(id, args));
}

const CloneProgressFigures kNoFigures{};

}  // namespace

CDlgCloning::CDlgCloning(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_caption(new QLabel(this)),
      m_phase(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_timeLeft(new QLabel(this)) {
    setModal(true);
    m_caption->setObjectName("caption");
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_phase->setObjectName("phase");
    m_timeLeft->setObjectName("timeLeft");
    m_progress->setObjectName("progress");
    m_progress->setTextVisible(true);
    m_progress->setFormat(QStringLiteral("%p%"));
    m_progress->setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_phase);
    layout->addWidget(m_progress);
    layout->addWidget(m_timeLeft);
}

CDlgCloning::~CDlgCloning() {
    // Only reached early when the window is destroyed without having run; the worker holds the
    // job, so it must end before the job does.
    m_stop = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

const CloneProgressFigures& CDlgCloning::Figures() const {
    return m_figures ? m_figures->Figures() : kNoFigures;
}

bool CDlgCloning::Stoppable() const {
    return m_job && (m_job->type == kJobInformation || m_job->type == kJobRead || m_job->type == kJobSearch);
}

int CDlgCloning::RunJob(CloneJob& job) {
    m_job = &job;
    const uint32_t bitsPerSecond = job.link ? job.link->m_comSpeed : 0;
    m_figures = std::make_unique<CCloneProgress>(job.type, m_rangeMax, job.expectedTextBytes, bitsPerSecond,
                                                 job.verifying);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    if (Stoppable()) {
        job.cancel = &m_stop;
        auto* buttons = new QDialogButtonBox(this);
        m_cancelButton = buttons->addButton(Text(kTextCancel), QDialogButtonBox::RejectRole);
        m_cancelButton->setObjectName("cancel");
        m_cancelButton->setAutoDefault(false);
        connect(m_cancelButton, &QPushButton::clicked, this, &CDlgCloning::Stop);
        layout->addWidget(buttons);
    } else {
        job.cancel = nullptr;
        m_noStop = new QLabel(Text(kTextCannotStop), this);
        m_noStop->setObjectName("noStop");
        m_noStop->setWordWrap(true);
        layout->addWidget(m_noStop);
    }
    return exec();
}

void CDlgCloning::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started || !m_job) {
        return;
    }
    m_started = true;
    if (m_captionId >= 0) {
        const QString caption = Text(static_cast<uint32_t>(m_captionId));
        setWindowTitle(caption);
        m_caption->setText(caption);
    }
    ShowState();
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
    if (wParam != 0 || !m_figures) {
        return;
    }
    m_figures->Feed(lParam);
    ShowState();
}

void CDlgCloning::ShowState() {
    const CloneProgressFigures& f = Figures();
    if (f.percent < 0) {
        m_progress->setRange(0, 0);  // busy: a wait with nothing to measure
    } else {
        m_progress->setRange(0, 100);
        m_progress->setValue(f.percent);
    }
    m_phase->setText(m_stop ? Text(kTextStopping) : PhaseText());
    QString left;
    if (f.secondsLeft > 0) {
        left = f.secondsLeft < 120
                   ? Format(kTextSecondsLeft, {static_cast<uint32_t>(f.secondsLeft)})
                   : Format(kTextMinutesLeft, {static_cast<uint32_t>((f.secondsLeft + 30) / 60)});
    }
    m_timeLeft->setText(left);
}

QString CDlgCloning::PhaseText() const {
    const CloneProgressFigures& f = Figures();
    switch (f.phase) {
        case ClonePhase::kChecking:
            return Text(kTextChecking);
        case ClonePhase::kSearching:
            return Format(kTextSearchingPort, {f.port, f.ports});
        case ClonePhase::kConnecting:
            return Text(kTextConnecting);
        case ClonePhase::kReading:
            return f.blocks > 0 ? Format(kTextReadingBlock, {f.block, f.blocks})
                                : Format(kTextReadingBlockOnly, {f.block});
        case ClonePhase::kVerifying:
            return f.blocks > 0 ? Format(kTextVerifyingBlock, {f.block, f.blocks})
                                : Format(kTextReadingBlockOnly, {f.block});
        case ClonePhase::kWriting:
            return Format(kTextWritingBlock, {f.block, f.blocks});
        case ClonePhase::kUpdating:
            return Format(kTextFirmwareBlock, {f.block, f.blocks});
        case ClonePhase::kConfirming:
            return Text(kTextConfirming);
    }
    return {};
}

void CDlgCloning::Stop() {
    if (!Stoppable() || m_done || m_stop) {
        return;
    }
    m_stop = true;
    if (m_cancelButton) {
        m_cancelButton->setEnabled(false);
    }
    ShowState();
}

void CDlgCloning::OnWorkerDone() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_done = true;
    if (m_figures && m_job && m_job->result == 0) {
        m_figures->Finish();
        ShowState();
    }
    done(QDialog::Accepted);
}

void CDlgCloning::closeEvent(QCloseEvent* event) {
    if (!m_done) {
        Stop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CDlgCloning::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Stop();
    }
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
    } else {
        Stop();
    }
}
