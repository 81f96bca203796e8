#include "commands.h"

std::vector<CliCommand> RadioCommands() {
    return {};
}
