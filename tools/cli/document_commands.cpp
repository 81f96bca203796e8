#include "commands.h"

std::vector<CliCommand> DocumentCommands() { return {}; }
