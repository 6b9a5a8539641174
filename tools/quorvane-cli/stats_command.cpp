#include "commands.h"
namespace cli {
int RunStats(const CliArgs&) { return 2; }
}
