#pragma once
// The progress window of a radio operation. Opening it starts the worker thread; the worker only
// posts progress values and its end to this window, which applies them on the UI thread.
//
// The window says inside itself what is happening (its title bar is not drawn everywhere): the
// command, the phase by name (checking, searching, connecting, reading, writing, waiting for the
// radio's confirmation, verifying) with the block out of the blocks expected, the percentage and
// the time left at the line's bit rate. None of these goes backwards (CCloneProgress).
//
// What leaves the radio as it was (information, read, compare, search, the read-back of a
// verify) can be stopped with Cancel or Escape: the worker stops between blocks, closes the port
// and the job fails with 1223. What would leave the radio half-written (write, initialisation,
// firmware) says so in the window instead, and the window closes only when the worker is done.
#include <QDialog>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "link/clone_progress.h"

struct CloneJob;
class QLabel;
class QProgressBar;
class QPushButton;

class CDlgCloning : public QDialog {
    Q_OBJECT
  public:
    explicit CDlgCloning(QWidget* parent = nullptr);
    ~CDlgCloning() override;

    // Runs the job behind this window until its worker is done.
    int RunJob(CloneJob& job);

    // A value from the worker: a non-zero `wParam` is ignored; bit 31 set in `lParam` sets the
    // range 0 … (lParam without bit 31), any other value the position.
    void OnCallbackNotify(uint32_t wParam, uint32_t lParam);

    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* PhaseLabel() const { return m_phase; }
    QLabel* TimeLabel() const { return m_timeLeft; }
    // Cancel where stopping is safe; null otherwise.
    QPushButton* CancelButton() const { return m_cancelButton; }
    // Why this job cannot be stopped; null where it can.
    QLabel* NoStopLabel() const { return m_noStop; }
    bool WorkerDone() const { return m_done; }
    const CloneProgressFigures& Figures() const;

    int32_t m_captionId = -1;
    int32_t m_rangeMin = 0;
    int32_t m_rangeMax = 0;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  public slots:
    void reject() override;

  private:
    void OnWorkerDone();
    // Bar, phase and time left for the figures.
    void ShowState();
    QString PhaseText() const;
    bool Stoppable() const;
    void Stop();

    QLabel* m_caption;
    QLabel* m_phase;
    QProgressBar* m_progress;
    QLabel* m_timeLeft;
    QLabel* m_noStop = nullptr;
    QPushButton* m_cancelButton = nullptr;
    CloneJob* m_job = nullptr;
    std::unique_ptr<CCloneProgress> m_figures;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;
    bool m_started = false;
    bool m_done = false;
};
