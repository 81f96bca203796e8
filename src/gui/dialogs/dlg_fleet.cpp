#include "gui/dialogs/dlg_fleet.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSysInfo>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "document/read_backup.h"
#include "gui/shell/user_prompts.h"
#include "platform/posix/port_enum.h"
#include "text/language_texts.h"

namespace {

enum : uint32_t {
    kTitle = 10700,
    kTemplateLabel = 10701,
    kFleetLabel = 10702,
    kReportLabel = 10703,
    kPasswordLabel = 10704,
    kBrowse = 10705,
    kStartText = 10706,
    kStopText = 10707,
    kOpenReport = 10708,
    kRowHeader = 10709,
    kRadioHeader = 10710,
    kStateHeader = 10711,
    kPortHeader = 10712,
    kProgressHeader = 10713,
    kWaiting = 10714,
    kReading = 10715,
    kWriting = 10716,
    kVerifying = 10717,
    kDone = 10718,
    kFailed = 10719,
    kSkipped = 10720,
    kIniFilter = 10721,
    kCsvFilter = 10722,
    kFleetRefused = 10723,
    kChooseAll = 10724,
    kSummaryText = 10725,
    kAnyRadio = 10726,
    kWatchText = 10727,
    kAgainText = 10728,
    kStopping = 10729,
    kReportRefused = 10730,
    kWaitingAfter = 10731,
    kLedgerLabel = 10732,
    kLedgerFilter = 10733,
    kLedgerRefused = 10734,
    kStationHeader = 10735,
    kDoneHeader = 10736,
    kInProgressHeader = 10737,
    kFailedHeader = 10738,
    kRateHeader = 10739,
    kLedgerSummary = 10740,
    kChooseAllLedger = 10741,
    kNotKnown = 10742,
};

// A failure the user must see: the stop icon, as every error of the program.
void ShowError(const QString& text) {
    UserPrompts().Message(nullptr, text, IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
}

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

QString Format(uint32_t id, std::initializer_list<FormatArg> args) {
    return QString::fromStdU16String(FormatLanguageText(id, args));
}

QString StateText(FleetRadioState state) {
    switch (state) {
        case FleetRadioState::kWaiting:
            return Text(kWaiting);
        case FleetRadioState::kReading:
            return Text(kReading);
        case FleetRadioState::kWriting:
            return Text(kWriting);
        case FleetRadioState::kVerifying:
            return Text(kVerifying);
        case FleetRadioState::kDone:
            return Text(kDone);
        case FleetRadioState::kFailed:
        case FleetRadioState::kSkipped:
            break;
    }
    return {};
}

QTableWidget* Table(std::initializer_list<uint32_t> headers, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    QStringList labels;
    for (uint32_t id : headers) {
        labels << Text(id);
    }
    table->setHorizontalHeaderLabels(labels);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    return table;
}

}  // namespace

CDlgFleet::CDlgFleet(uint32_t speed, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(kTitle));
    m_options.speed = speed;
    m_options.backupFolder = DefaultBackupFolder();

    auto* form = new QFormLayout;
    auto chooser = [this, form](uint32_t label, QLineEdit*& edit, uint32_t filter, bool save) {
        edit = new QLineEdit(this);
        auto* browse = new QPushButton(Text(kBrowse), this);
        connect(browse, &QPushButton::clicked, this,
                [this, &edit, filter, save] { Browse(edit, filter, save); });
        auto* row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(browse);
        form->addRow(Text(label), row);
    };
    chooser(kTemplateLabel, m_template, kIniFilter, false);
    chooser(kFleetLabel, m_fleet, kCsvFilter, false);
    chooser(kReportLabel, m_report, kCsvFilter, true);
    chooser(kLedgerLabel, m_ledgerEdit, kLedgerFilter, false);
    m_password = new QLineEdit(this);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(16);
    form->addRow(Text(kPasswordLabel), m_password);

    m_ports = new QListWidget(this);
    std::vector<ComInfo> ports;
    EnumComPorts(ports);
    for (const auto& p : ports) {
        auto* item = new QListWidgetItem(QString::fromStdU16String(p.name) + "  (" +
                                         QString::fromStdString(p.port) + ")");
        item->setData(Qt::UserRole, QString::fromStdString(p.port));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        m_ports->addItem(item);
    }
    m_ports->setMaximumHeight(90);
    form->addRow(Text(kPortHeader), m_ports);
    m_watch = new QCheckBox(Text(kWatchText), this);
    m_again = new QCheckBox(Text(kAgainText), this);
    form->addRow(QString(), m_watch);
    form->addRow(QString(), m_again);

    m_rows = Table({kRowHeader, kRadioHeader, kStateHeader}, this);
    m_portTable = Table({kPortHeader, kStateHeader, kProgressHeader}, this);
    m_portTable->setMaximumHeight(130);
    m_portTable->horizontalHeader()->setStretchLastSection(false);
    m_portTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_portTable->setColumnWidth(2, 160);
    m_summary = new QLabel(this);
    m_stations = Table({kStationHeader, kDoneHeader, kInProgressHeader, kFailedHeader, kRateHeader}, this);
    m_stations->setMaximumHeight(110);
    m_stations->hide();
    m_ledgerSummary = new QLabel(this);
    m_ledgerSummary->hide();
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { RefreshStations(); });
    timer->start(2000);

    m_start = new QPushButton(Text(kStartText), this);
    m_stop = new QPushButton(Text(kStopText), this);
    m_openReportButton = new QPushButton(Text(kOpenReport), this);
    m_stop->setEnabled(false);
    m_openReportButton->setEnabled(false);
    connect(m_start, &QPushButton::clicked, this, [this] { Start(); });
    connect(m_stop, &QPushButton::clicked, this, [this] { Stop(); });
    connect(m_openReportButton, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_report->text())); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_summary, 1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_openReportButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_rows, 1);
    layout->addWidget(m_portTable);
    layout->addWidget(m_ledgerSummary);
    layout->addWidget(m_stations);
    layout->addLayout(buttons);
    resize(720, 640);
}

CDlgFleet::~CDlgFleet() {
    if (m_run) {
        m_run->Stop();
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CDlgFleet::Browse(QLineEdit* edit, uint32_t filterId, bool save) {
    const QString filter = Text(filterId);
    const QString ext = filterId == kIniFilter ? "ini" : filterId == kLedgerFilter ? "db" : "csv";
    const QString path = save ? UserPrompts().SaveFileName(this, filter, ext, edit->text())
                              : UserPrompts().OpenFileName(this, filter, ext);
    if (!path.isEmpty()) {
        edit->setText(path);
    }
}

bool CDlgFleet::Start() {
    if (Running()) {
        return false;
    }
    FleetRunOptions options = m_options;
    options.ports.clear();
    for (int i = 0; i < m_ports->count(); ++i) {
        if (m_ports->item(i)->checkState() == Qt::Checked) {
            options.ports.push_back(m_ports->item(i)->data(Qt::UserRole).toString().toStdString());
        }
    }
    options.watch = m_watch->isChecked();
    options.again = m_again->isChecked();
    options.reportPath = m_report->text().toStdString();
    if (!m_password->text().isEmpty()) {
        options.password = m_password->text().toStdU16String();
    }
    const std::string ledgerAddress = m_ledgerEdit->text().trimmed().toStdString();
    if (!ledgerAddress.empty()) {
        if (m_template->text().isEmpty() || (options.ports.empty() && !options.watch)) {
            ShowError(Text(kChooseAllLedger));
            return false;
        }
    } else if (m_template->text().isEmpty() || m_fleet->text().isEmpty() || options.reportPath.empty() ||
               (options.ports.empty() && !options.watch)) {
        ShowError(Text(kChooseAll));
        return false;
    }
    FleetCheck check;
    if (!ledgerAddress.empty()) {
        // The rows are the ledger's; the template is checked here, each row as it is applied.
        ErrorInfo e = LoadFleetTemplate(m_template->text().toStdString(), check.plan.templateMap);
        std::unique_ptr<IFleetLedger> ledger;
        std::unique_ptr<IFleetLedger> watch;
        if (e.ok()) {
            ledger = OpenFleetLedger(ledgerAddress, {}, e);
        }
        if (e.ok()) {
            watch = OpenFleetLedger(ledgerAddress, {}, e);
        }
        std::vector<LedgerRow> rows;
        if (e.ok()) {
            e = ledger->Rows(rows);
        }
        if (!e.ok()) {
            ShowError(Format(kLedgerRefused, {QString::fromStdString(e.detail).toStdU16String()}));
            return false;
        }
        for (const auto& row : rows) {
            FleetRow shown;
            shown.line = row.line;
            shown.radio = QString::fromStdString(row.radio).toStdU16String();
            check.plan.rows.push_back(std::move(shown));
        }
        m_ledger = std::move(ledger);
        m_ledgerWatch = std::move(watch);
        options.ledger = m_ledger.get();
        options.station = QSysInfo::machineHostName().toStdString();
        if (options.station.empty()) {
            options.station = "station";
        }
    } else {
        m_ledgerWatch.reset();
        check = CheckFleet(m_template->text().toStdString(), m_fleet->text().toStdString());
    }
    m_stations->setVisible(m_ledgerWatch != nullptr);
    m_ledgerSummary->setVisible(m_ledgerWatch != nullptr);
    if (!check.ok()) {
        QString lines = Text(kFleetRefused) + "\n";
        for (const auto& p : check.problems) {
            lines += "\n" + QString::fromStdString(DescribeFleetProblem(p));
        }
        ShowError(lines);
        return false;
    }

    m_rows->setRowCount(0);
    m_portTable->setRowCount(0);
    m_rowOfLine.clear();
    m_lastResult.clear();
    for (const auto& row : check.plan.rows) {
        const int r = m_rows->rowCount();
        m_rows->insertRow(r);
        m_rows->setItem(r, 0, new QTableWidgetItem(QString::number(row.line)));
        m_rows->setItem(
            r, 1,
            new QTableWidgetItem(row.AnyRadio() ? Text(kAnyRadio) : QString::fromStdU16String(row.radio)));
        m_rows->setItem(r, 2, new QTableWidgetItem(Text(kWaiting)));
        m_rowOfLine[row.line] = r;
    }
    m_rows->resizeColumnsToContents();

    if (m_thread.joinable()) {
        m_thread.join();
    }
    if (options.ledger) {
        check.plan.rows.clear();  // only shown: the run claims its rows from the ledger
    }
    m_run = std::make_unique<FleetRun>(std::move(check.plan), options, static_cast<IFleetObserver*>(this));
    RefreshStations();
    m_finished = false;
    m_start->setEnabled(false);
    m_stop->setEnabled(true);
    m_openReportButton->setEnabled(false);
    FleetRun* run = m_run.get();
    m_thread = std::thread([this, run] {
        const ErrorInfo e = run->Run();
        QMetaObject::invokeMethod(
            this,
            [this, e] {
                if (!e.ok()) {
                    ShowError(Format(kReportRefused,
                                     {std::u16string(QString::fromStdString(e.detail).toStdU16String())}));
                }
                RunEnded();
            },
            Qt::QueuedConnection);
    });
    return true;
}

void CDlgFleet::Stop() {
    if (Running()) {
        m_run->Stop();
        m_stop->setEnabled(false);
        m_summary->setText(Text(kStopping));
    }
}

void CDlgFleet::reject() {
    if (Running()) {
        // The radios in progress are finished first: a radio cut off mid-write is left half-written.
        m_closeWhenDone = true;
        Stop();
        return;
    }
    QDialog::reject();
}

void CDlgFleet::RunEnded() {
    m_finished = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    ShowSummary();
    RefreshStations();
    m_start->setEnabled(true);
    m_stop->setEnabled(false);
    const bool haveReport = !m_report->text().isEmpty() && QFile::exists(m_report->text());
    m_openReportButton->setEnabled(haveReport);
    emit finished();
    if (m_closeWhenDone) {
        QDialog::reject();
        return;
    }
    if (m_openReport && haveReport) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_report->text()));
    }
}

int CDlgFleet::PortRow(const std::string& port) {
    const QString name = QString::fromStdString(port);
    for (int r = 0; r < m_portTable->rowCount(); ++r) {
        if (m_portTable->item(r, 0)->text() == name) {
            return r;
        }
    }
    const int r = m_portTable->rowCount();
    m_portTable->insertRow(r);
    m_portTable->setItem(r, 0, new QTableWidgetItem(name));
    m_portTable->setItem(r, 1, new QTableWidgetItem(Text(kWaiting)));
    auto* bar = new QProgressBar(m_portTable);
    bar->setRange(0, 1);
    bar->setValue(0);
    m_portTable->setCellWidget(r, 2, bar);
    m_portTable->resizeColumnToContents(0);
    return r;
}

void CDlgFleet::SetRowState(unsigned rowLine, const QString& text) {
    const auto it = m_rowOfLine.find(rowLine);
    if (it != m_rowOfLine.end()) {
        m_rows->item(it->second, 2)->setText(text);
    }
}

void CDlgFleet::ShowSummary() {
    if (!m_run) {
        return;
    }
    const FleetSummary s = m_run->Summary();
    m_summary->setText(Format(kSummaryText, {s.done, s.failed, s.skipped, s.waiting, s.rowsLeft}));
}

void CDlgFleet::RefreshStations() {
    if (!m_ledgerWatch) {
        return;
    }
    LedgerStatus s;
    if (ErrorInfo e = m_ledgerWatch->Status(s); !e.ok()) {
        m_ledgerSummary->setText(Format(kLedgerRefused, {QString::fromStdString(e.detail).toStdU16String()}));
        return;
    }
    QString left = Text(kNotKnown);
    if (s.secondsLeft >= 0) {
        left = QString::asprintf("%lld:%02lld:%02lld", static_cast<long long>(s.secondsLeft / 3600),
                                 static_cast<long long>(s.secondsLeft / 60 % 60),
                                 static_cast<long long>(s.secondsLeft % 60));
    }
    m_ledgerSummary->setText(
        Format(kLedgerSummary, {s.rows, s.done, s.inProgress, s.left, left.toStdU16String()}));
    m_stations->setRowCount(static_cast<int>(s.stations.size()));
    for (int r = 0; r < static_cast<int>(s.stations.size()); ++r) {
        const LedgerStationStatus& st = s.stations[static_cast<size_t>(r)];
        const QString cells[] = {QString::fromStdString(st.station), QString::number(st.done),
                                 QString::number(st.inProgress), QString::number(st.failed),
                                 QString::number(st.perHour, 'f', 1)};
        for (int c = 0; c < 5; ++c) {
            if (auto* item = m_stations->item(r, c)) {
                item->setText(cells[c]);
            } else {
                m_stations->setItem(r, c, new QTableWidgetItem(cells[c]));
            }
        }
    }
}

// The observer's calls come from the run's threads: each is carried to the window's thread.

void CDlgFleet::OnPortAdded(const std::string& port) {
    QMetaObject::invokeMethod(
        this, [this, port] { PortRow(port); }, Qt::QueuedConnection);
}

void CDlgFleet::OnState(const std::string& port, FleetRadioState state, unsigned rowLine) {
    QMetaObject::invokeMethod(
        this,
        [this, port, state, rowLine] {
            const QString text = StateText(state);
            if (text.isEmpty()) {
                return;  // the end of a radio comes with its reason in OnRadioEnded
            }
            const int r = PortRow(port);
            // A waiting port still shows how its last radio ended.
            const auto last = m_lastResult.find(port);
            m_portTable->item(r, 1)->setText(
                state == FleetRadioState::kWaiting && last != m_lastResult.end()
                    ? Format(kWaitingAfter, {text.toStdU16String(), last->second.toStdU16String()})
                    : text);
            if (state == FleetRadioState::kWaiting || state == FleetRadioState::kReading) {
                static_cast<QProgressBar*>(m_portTable->cellWidget(r, 2))->setValue(0);
            }
            if (rowLine != 0) {
                SetRowState(rowLine, text);
            }
            ShowSummary();
        },
        Qt::QueuedConnection);
}

void CDlgFleet::OnProgress(const std::string& port, uint32_t value) {
    QMetaObject::invokeMethod(
        this,
        [this, port, value] {
            auto* bar = static_cast<QProgressBar*>(m_portTable->cellWidget(PortRow(port), 2));
            if (value & kProgressRange) {
                bar->setRange(0, static_cast<int>(std::max<uint32_t>(value & ~kProgressRange, 1)));
                bar->setValue(0);
            } else {
                bar->setValue(
                    static_cast<int>(std::min<uint32_t>(value, static_cast<uint32_t>(bar->maximum()))));
            }
        },
        Qt::QueuedConnection);
}

void CDlgFleet::OnRadioEnded(const FleetReportLine& line, const ErrorInfo& reportError) {
    QMetaObject::invokeMethod(
        this,
        [this, line, reportError] {
            const std::u16string reason = QString::fromStdString(line.reason).toStdU16String();
            const QString text = line.result == kFleetDone      ? Text(kDone)
                                 : line.result == kFleetSkipped ? Format(kSkipped, {reason})
                                                                : Format(kFailed, {reason});
            const int r = PortRow(line.port);
            m_lastResult[line.port] =
                (line.iccid.empty() ? QString() : QString::fromStdString(line.iccid) + ": ") + text;
            m_portTable->item(r, 1)->setText(m_lastResult[line.port]);
            if (line.row != 0) {
                SetRowState(line.row, text);
                if (!line.iccid.empty()) {
                    m_rows->item(m_rowOfLine[line.row], 1)->setText(QString::fromStdString(line.iccid));
                }
            }
            if (!reportError.ok()) {
                m_summary->setText(
                    Format(kReportRefused,
                           {std::u16string(QString::fromStdString(reportError.detail).toStdU16String())}));
                return;
            }
            ShowSummary();
        },
        Qt::QueuedConnection);
}
