#pragma once
// The progress window of a radio operation. Opening it starts the worker thread; the worker only
// posts progress values and its end to this window, which applies them on the UI thread. The
// user cannot close it: a radio transfer broken off halfway leaves the radio in an unknown state,
// so the window closes only when the worker is done.
#include <QDialog>
#include <cstdint>
#include <thread>

struct CloneJob;
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
    bool WorkerDone() const { return m_done; }

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

    QProgressBar* m_progress;
    CloneJob* m_job = nullptr;
    std::thread m_worker;
    bool m_started = false;
    bool m_done = false;
};
