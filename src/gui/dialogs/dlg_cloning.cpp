#include "gui/dialogs/dlg_cloning.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "link/clone_frames.h"
#include "link/clone_job.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextConnecting = 20030;
constexpr uint32_t kTextReadingBlock = 20031;  // %u of about %u
constexpr uint32_t kTextWritingBlock = 20032;  // %u of %u
constexpr uint32_t kTextConfirming = 20033;
constexpr uint32_t kTextSecondsLeft = 20034;
constexpr uint32_t kTextMinutesLeft = 20035;

constexpr int32_t kFramesPerBlock = 20;
// A frame on the line: the 160 bytes it carries, its address and command bytes and its end,
// and the radio's short answers in between; ten bits a byte with start and stop bits.
constexpr int64_t kBitsPerFrame = 175 * 10;

int ClampToInt(uint32_t value) {
    return static_cast<int>(std::min<uint32_t>(value, INT_MAX));
}

QString Format(uint32_t id, std::initializer_list<FormatArg> args) {
    return QString::fromStdU16String(FormatLanguageText(id, args));
}

int32_t CeilDiv(int32_t a, int32_t b) {
    return b <= 0 ? 0 : (a + b - 1) / b;
}

}  // namespace

int32_t ExpectedReadFrames(size_t cloneTextBytes) {
    const int32_t data = static_cast<int32_t>((cloneTextBytes + kCloneFrameData - 1) / kCloneFrameData);
    // Connection and request, the data frames with a block check after every 20, the end frame.
    return 1 + data + CeilDiv(data, kFramesPerBlock) + 1;
}

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
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

int CDlgCloning::RunJob(CloneJob& job) {
    m_job = &job;
    m_bitsPerSecond = job.link ? job.link->m_comSpeed : 0;
    return exec();
}

void CDlgCloning::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started || !m_job) {
        return;
    }
    m_started = true;
    if (m_captionId >= 0) {
        const QString caption =
            QString::fromStdU16String(GetLanguageText(static_cast<uint32_t>(m_captionId)));
        setWindowTitle(caption);
        m_caption->setText(caption);
    }
    m_range = m_rangeMax;
    m_position = m_rangeMin;
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
    if (wParam != 0) {
        return;
    }
    if (lParam & 0x80000000u) {
        m_range = ClampToInt(lParam & 0x7FFFFFFFu);
    } else if (m_expectedWork > 0) {
        // A read's last value is its fixed range, which may lie below the frames counted before.
        m_position = std::max(m_position, ClampToInt(lParam));
    } else {
        m_position = ClampToInt(lParam);
    }
    ShowState();
}

void CDlgCloning::ShowState() {
    // The work the bar shows: the expected amount where the command knows it, else the worker's
    // range. A position beyond it widens it, so the bar is never full while work remains.
    int32_t work = m_expectedWork > 0 ? m_expectedWork : m_range;
    if (m_expectedWork > 0 && m_position >= work) {
        work = m_position + std::max<int32_t>(m_position / 20, 1);
    }
    m_progress->setRange(0, std::max(work, 0));
    m_progress->setValue(std::clamp(m_position, 0, std::max(work, 0)));
    m_phase->setText(PhaseText());

    QString left;
    const int32_t remaining = work - m_progress->value();
    const bool transfer = m_job && m_job->type != kJobInformation && m_job->type != kJobSearch;
    if (transfer && m_position >= 2 && remaining > 0 && m_bitsPerSecond > 0) {
        const int64_t seconds = std::max<int64_t>(
            1, (remaining * kBitsPerFrame + m_bitsPerSecond - 1) / static_cast<int64_t>(m_bitsPerSecond));
        left = seconds < 120 ? Format(kTextSecondsLeft, {static_cast<uint32_t>(seconds)})
                             : Format(kTextMinutesLeft, {static_cast<uint32_t>((seconds + 30) / 60)});
    }
    m_timeLeft->setText(left);
}

QString CDlgCloning::PhaseText() const {
    if (!m_job) {
        return {};
    }
    switch (m_job->type) {
        case kJobRead: {
            if (m_position <= 1) {
                return Format(kTextConnecting, {});
            }
            const int32_t expectedData =
                std::max(m_expectedWork - 2, 0) * kFramesPerBlock / (kFramesPerBlock + 1);
            const uint32_t block = static_cast<uint32_t>((m_position - 2) / (kFramesPerBlock + 1) + 1);
            const uint32_t blocks =
                std::max<uint32_t>(block, static_cast<uint32_t>(CeilDiv(expectedData, kFramesPerBlock)));
            return Format(kTextReadingBlock, {block, blocks});
        }
        case kJobWrite: {
            if (m_position <= 2) {
                return Format(kTextConnecting, {});
            }
            const int32_t dataFrames = std::max(m_range - 5, 0);
            if (m_position - 3 >= dataFrames) {
                return Format(kTextConfirming, {});
            }
            const uint32_t blocks = static_cast<uint32_t>(CeilDiv(dataFrames, kFramesPerBlock));
            const uint32_t block = static_cast<uint32_t>((m_position - 3) / kFramesPerBlock + 1);
            return Format(kTextWritingBlock, {block, blocks});
        }
        case kJobFirmware:
            return m_position <= 2 ? Format(kTextConnecting, {}) : QString();
        default:
            return {};
    }
}

void CDlgCloning::OnWorkerDone() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_done = true;
    m_progress->setValue(m_progress->maximum());
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
