#pragma once
// The progress window of a radio operation. Opening it starts the worker thread; the worker only
// posts progress values and its end to this window, which applies them on the UI thread. The
// user cannot close it: a radio transfer broken off halfway leaves the radio in an unknown state,
// so the window closes only when the worker is done.
//
// The window says inside itself what is happening (its title bar is not drawn everywhere): the
// command, the phase (connecting, reading or writing block n of N, waiting for the radio's
// confirmation), the percentage and the time left at the line's bit rate. The worker's values keep
// their meaning (a range, then positions); the bar shows the real amount of work where the
// command knows more than that range (a read's range is fixed, whatever the configuration's size).
#include <QDialog>
#include <QElapsedTimer>
#include <cstdint>
#include <thread>

struct CloneJob;
class QLabel;
class QProgressBar;

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
    bool WorkerDone() const { return m_done; }
    // The range and position the worker has set.
    int32_t Range() const { return m_range; }
    int32_t Position() const { return m_position; }

    int32_t m_captionId = -1;
    int32_t m_rangeMin = 0;
    int32_t m_rangeMax = 0;
    // The positions a read is expected to reach (its frames); 0: the worker's range is the work.
    int32_t m_expectedWork = 0;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

  public slots:
    void reject() override;

  private:
    void OnWorkerDone();
    // Bar, phase and time left for the current range and position.
    void ShowState();
    QString PhaseText() const;

    QLabel* m_caption;
    QLabel* m_phase;
    QProgressBar* m_progress;
    QLabel* m_timeLeft;
    CloneJob* m_job = nullptr;
    std::thread m_worker;
    int32_t m_range = 0;
    int32_t m_position = 0;
    uint32_t m_bitsPerSecond = 0;
    bool m_started = false;
    bool m_done = false;
};

// The frames a read of a configuration of `cloneTextBytes` bytes of clone text takes: its data
// frames, a block check after every 20, the end frame and the request.
int32_t ExpectedReadFrames(size_t cloneTextBytes);
