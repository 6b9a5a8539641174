#include <iostream>

#include "cli_session.h"
#include "codes/cp932.h"
#include "commands.h"

namespace cli {

// The date list as the main window builds it at start: newest first.
int RunDays(const CliArgs& args) {
  args.Expect({}, {});
  CliSession cli(args);
  for (const std::string& day : cli.session().DateCombo.Items) {
    std::cout << codes::SjisToUtf8(day) << "\n";
  }
  if (cli.session().DateCombo.Items.empty()) {
    std::cerr << "No race day is stored in " << args.home() << "/Data yet.\n" << cli.FillHint();
  }
  return 0;
}

}  // namespace cli
