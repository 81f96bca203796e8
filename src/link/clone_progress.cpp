#include "link/clone_progress.h"

#include <algorithm>

#include "link/clone_frames.h"
#include "link/clone_job.h"

namespace {

constexpr uint32_t kFramesPerBlock = 20;
// A frame on the line: the 160 bytes it carries, its address, command and end bytes and the
// radio's short answers in between; ten bits a byte with start and stop bits.
constexpr int64_t kBitsPerFrame = 175 * 10;

uint32_t CeilDiv(uint32_t a, uint32_t b) {
    return b == 0 ? 0 : (a + b - 1) / b;
}

}  // namespace

uint32_t CCloneProgress::ReadFrames(size_t cloneTextBytes) {
    const uint32_t data = static_cast<uint32_t>((cloneTextBytes + kCloneFrameData - 1) / kCloneFrameData);
    return 1 + data + CeilDiv(data, kFramesPerBlock) + 1;
}

CCloneProgress::CCloneProgress(int jobType, int32_t rangeMax, size_t expectedTextBytes,
                               uint32_t bitsPerSecond, bool verifying)
    : m_type(jobType),
      m_verifying(verifying),
      m_bitsPerSecond(bitsPerSecond),
      m_expectedFrames(expectedTextBytes > 0 ? ReadFrames(expectedTextBytes) : 0),
      m_expectedData(static_cast<uint32_t>((expectedTextBytes + kCloneFrameData - 1) / kCloneFrameData)),
      m_range(static_cast<uint32_t>(std::max(rangeMax, 0))) {
    Update();
}

void CCloneProgress::Feed(uint32_t value) {
    if (value & kProgressRange) {
        m_range = value & ~kProgressRange;
        // A read sets its range to the frames it took once the configuration is complete.
        m_finished = m_finished || (m_type == kJobRead && m_position >= 2);
    } else {
        // A refused block goes again from its first frame: the figures wait until it passes them.
        m_position = std::max(m_position, value);
    }
    Update();
}

void CCloneProgress::Finish() {
    m_finished = true;
    Update();
}

void CCloneProgress::SetPercent(int64_t done, int64_t work) {
    int percent = 100;
    if (!m_finished) {
        // Never full while work remains, however far the work runs past its estimate.
        percent = work <= 0 ? 0 : static_cast<int>(std::clamp<int64_t>(done * 100 / work, 0, 99));
    }
    m_figures.percent = std::max(m_figures.percent, percent);
}

void CCloneProgress::SetSecondsLeft(int64_t framesLeft) {
    if (m_finished || m_bitsPerSecond == 0 || framesLeft <= 0) {
        m_figures.secondsLeft = m_finished || framesLeft <= 0 ? 0 : m_figures.secondsLeft;
        return;
    }
    const int64_t seconds =
        std::max<int64_t>(1, (framesLeft * kBitsPerFrame + m_bitsPerSecond - 1) / m_bitsPerSecond);
    m_figures.secondsLeft = m_figures.secondsLeft < 0 ? seconds : std::min(m_figures.secondsLeft, seconds);
}

void CCloneProgress::Update() {
    CloneProgressFigures& f = m_figures;
    switch (m_type) {
        case kJobInformation:
            // One question and one answer: nothing to measure but the wait.
            f.phase = ClonePhase::kChecking;
            if (m_finished) {
                f.percent = 100;
            }
            break;
        case kJobSearch:
            f.phase = ClonePhase::kSearching;
            f.ports = m_range / 3;
            f.port = std::max(f.port, std::min(f.ports, m_position / 3 + 1));
            SetPercent(m_position, m_range);
            break;
        case kJobRead: {
            // Position 1: connected; from 2 on, one a frame received.
            const uint32_t frames = std::max(m_expectedFrames, m_position + 1);
            f.phase = m_position <= 1 ? ClonePhase::kConnecting
                                      : (m_verifying ? ClonePhase::kVerifying : ClonePhase::kReading);
            // A block counts from its second frame: the first after a block check may be the end.
            if (m_position >= 2 && !m_finished) {
                f.block = std::max(f.block, (std::max(m_position, 3u) - 3) / (kFramesPerBlock + 1) + 1);
            }
            if (m_finished) {
                f.blocks = f.block;
            } else if (m_expectedFrames > 0) {
                f.blocks = std::max({f.blocks, CeilDiv(m_expectedData, kFramesPerBlock), f.block});
                SetPercent(m_position, frames);
                SetSecondsLeft(static_cast<int64_t>(frames) - m_position);
            } else {
                // No size known: a block count without a total, and no share or time.
                f.blocks = 0;
            }
            break;
        }
        case kJobWrite:
        case kJobFirmware: {
            // Position 1: connected, 2: request sent, 3 …: one a frame (a write) or a block (a
            // firmware update) sent, then the end frame, then the radio's confirmation.
            const uint32_t units = m_range > 5 ? m_range - 5 : 0;
            const bool write = m_type == kJobWrite;
            f.blocksExact = true;
            f.blocks = write ? CeilDiv(units, kFramesPerBlock) : units;
            if (m_position <= 2) {
                f.phase = ClonePhase::kConnecting;
            } else if (m_position - 3 >= units) {
                f.phase = ClonePhase::kConfirming;
                f.block = f.blocks;
            } else {
                f.phase = write ? ClonePhase::kWriting : ClonePhase::kUpdating;
                const uint32_t sent = m_position - 3;
                f.block = std::max(f.block, write ? sent / kFramesPerBlock + 1 : sent + 1);
            }
            if (m_range > 0 && m_position >= m_range) {
                m_finished = true;
            }
            SetPercent(m_position, m_range);
            if (write) {
                SetSecondsLeft(static_cast<int64_t>(m_range) - m_position);
            }
            break;
        }
        default:
            break;
    }
    if (m_finished) {
        f.percent = 100;
        f.secondsLeft = 0;
    }
}
