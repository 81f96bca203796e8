#pragma once
// The fleet window (Clone > Fleet...): choose the template, the fleet file, the report and the
// ports; the fleet file is checked whole before anything starts. While the fleet runs, each row
// shows its state (waiting, reading, writing, verifying, done, failed and why) and each port its
// state and progress; the report opens when the run is over. The work is the core's FleetRun on a
// thread of its own; its news reaches the window as queued calls.
//
// With a ledger (a file, or postgresql://…) in place of the fleet file, the rows come from the
// ledger that other stations share, and a table shows every station's progress there, refreshed
// while the window is open.
#include <QDialog>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "fleet/fleet_run.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

class CDlgFleet : public QDialog, public IFleetObserver {
    Q_OBJECT
  public:
    // `speed`: the bit rate of the program's radio commands.
    CDlgFleet(uint32_t speed, QWidget* parent = nullptr);
    ~CDlgFleet() override;

    // Tests set these before Start, in place of the choosers.
    QLineEdit* TemplateEdit() const { return m_template; }
    QLineEdit* FleetEdit() const { return m_fleet; }
    QLineEdit* ReportEdit() const { return m_report; }
    QLineEdit* LedgerEdit() const { return m_ledgerEdit; }
    QTableWidget* StationTable() const { return m_stations; }
    QLabel* LedgerLabel() const { return m_ledgerSummary; }
    // Reads the ledger's status into the station table (the timer calls it too).
    void RefreshStations();
    QListWidget* PortList() const { return m_ports; }
    QTableWidget* RowTable() const { return m_rows; }
    QTableWidget* PortTable() const { return m_portTable; }
    QPushButton* StartButton() const { return m_start; }
    QLabel* SummaryLabel() const { return m_summary; }
    bool Running() const { return m_thread.joinable() && !m_finished; }
    // The timings and poll interval of the run (tests shorten them), the backups' folder.
    FleetRunOptions m_options;
    // Opens the report when the run ends (tests switch it off).
    bool m_openReport = true;

    // Checks the files and starts the run; false (with a message) when anything is refused.
    bool Start();
    void Stop();

  signals:
    void finished();

  protected:
    void reject() override;

  private:
    void OnPortAdded(const std::string& port) override;
    void OnState(const std::string& port, FleetRadioState state, unsigned rowLine) override;
    void OnProgress(const std::string& port, uint32_t value) override;
    void OnRadioEnded(const FleetReportLine& line, const ErrorInfo& reportError) override;

    void Browse(QLineEdit* edit, uint32_t filterId, bool save);
    int PortRow(const std::string& port);
    void SetRowState(unsigned rowLine, const QString& text);
    void ShowSummary();
    void RunEnded();

    QLineEdit* m_template;
    QLineEdit* m_fleet;
    QLineEdit* m_report;
    QLineEdit* m_ledgerEdit;
    QLineEdit* m_password;
    QListWidget* m_ports;
    QCheckBox* m_watch;
    QCheckBox* m_again;
    QTableWidget* m_rows;
    QTableWidget* m_portTable;
    QLabel* m_summary;
    QTableWidget* m_stations;
    QLabel* m_ledgerSummary;
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_openReportButton;

    std::unique_ptr<IFleetLedger> m_ledger;       // the run's connection
    std::unique_ptr<IFleetLedger> m_ledgerWatch;  // the window's own, for the station table
    std::unique_ptr<FleetRun> m_run;
    std::thread m_thread;
    bool m_finished = false;
    bool m_closeWhenDone = false;
    std::map<unsigned, int> m_rowOfLine;
    std::map<std::string, QString> m_lastResult;  // port: how its last radio ended
};
