#pragma once
// "fleet load", "fleet status", "fleet report": the fleet ledger that several stations share.
#include <memory>
#include <string>
#include <vector>

#include "fleet/fleet_ledger.h"

int RunFleetLoad(const std::vector<std::string>& args);
int RunFleetStatus(const std::vector<std::string>& args);
int RunFleetReport(const std::vector<std::string>& args);

// Opens the ledger `address`; the password comes from `passwordFile` when given, else from
// PGPASSWORD or PGPASSFILE. Null, with the fault on stderr, when it cannot be opened.
std::unique_ptr<IFleetLedger> OpenCliLedger(const std::string& address, const std::string& passwordFile);
// This station's name in the ledger when none is given: the host name.
std::string DefaultStationName();

extern const char kFleetLedgerHelp[];
