#include "help_text.h"

#include <algorithm>

#include <string_view>

namespace cli {
namespace {

constexpr const char* kIntro =
    "quorvane-cli: the Quorvane program without its window. It works on the same program\n"
    "folder as the window, with the same files, settings and messages.\n"
    "\n"
    "usage: quorvane-cli [--home DIR] COMMAND [OPTIONS]\n"
    "       quorvane-cli help [COMMAND]\n"
    "       quorvane-cli COMMAND --help\n"
    "\n"
    "DIR is the program folder. Without --home it is the folder of quorvane-cli when\n"
    "that folder may be written (a build folder); an installed quorvane-cli (under /usr)\n"
    "uses $XDG_DATA_HOME/Quorvane, by default ~/.local/share/Quorvane, made at its first\n"
    "use; the window uses the same folder. It holds Data/ (the stored race days), CHG/,\n"
    "Kaime/, csv/, ErrorLog.txt, the settings file Quorvane.ini and feed/ (the data feed\n"
    "that pull reads). Only feed and pull may be given a DIR that does not exist yet.\n";

constexpr const char* kFirstStart =
    "FIRST START\n"
    "  Without JV-Link there is no data yet. Four weeks of sample race days, written into\n"
    "  the program folder and pulled, give something to work on (the window offers the\n"
    "  same at its first start). For the installed program:\n"
    "    quorvane-cli feed --out ~/.local/share/Quorvane/feed --days 28 \\\n"
    "        --from $(date -d '28 days ago' +%Y%m%d)\n"
    "    quorvane-cli pull --final-odds \\\n"
    "        --from \"$(date -d '28 days ago' +%Y/%m/%d) 00:00:00\"\n"
    "  With --home DIR, write the feed into DIR/feed and give --home DIR to pull.\n";

constexpr const char* kDates =
    "DATES\n"
    "  --day takes a race day in one of these forms; the day used is echoed on\n"
    "  standard error as \"day: yyyy年mm月dd日\":\n"
    "    2024年05月18日   as `days` lists it\n"
    "    2024-05-18       yyyy-mm-dd\n"
    "    20240518         yyyymmdd\n"
    "    today            today's date (QUORVANE_NOW=\"yyyy/mm/dd hh:nn:ss\" sets the clock)\n"
    "    latest           the newest stored day before today (its races are all run)\n"
    "  A day that is not stored stops with status 1 and names the nearest stored days;\n"
    "  a date that does not exist (2024-02-30) is a usage error.\n";

constexpr const char* kSlots =
    "SLOTS\n"
    "  --slot N is item N of the day's race list, counted from 0 in race-list order;\n"
    "  `day --day D` prints every race with its slot.\n";

constexpr const char* kBetTypes =
    "BET TYPES\n"
    "  The four bet tables, as the screen names them and as --type and --exclude do:\n"
    "    馬連    UR    two horses, either order        買い目 \" 3-11\"\n"
    "    馬単    UT    first and second, in order      買い目 \"11- 3\"\n"
    "    ３連複  SRF   three horses, any order         買い目 \" 1- 2-12\"\n"
    "    ３連単  SRT   first, second, third, in order  買い目 \"12- 1- 2\"\n"
    "  TYPE:ROW names bet row ROW of table TYPE, counted from 1 as its No. column\n"
    "  shows (UR:3 is the third 馬連 bet).\n";

constexpr const char* kExitStatus =
    "EXIT STATUS\n"
    "  0  done (also when a question was answered No)\n"
    "  1  the operation stopped: the message on standard error says why and what to do\n"
    "  2  bad arguments: the message and the usage on standard error\n";

constexpr const char* kStreams =
    "Messages, questions and progress go to standard error in UTF-8; views, lists and\n"
    "JSON to standard output.\n";

bool Mentions(const Command& command, std::string_view word) {
  return std::string_view(command.synopsis).find(word) != std::string_view::npos;
}

std::string Indented(std::string_view text, std::string_view indent) {
  std::string out(indent);
  for (char c : text) {
    out += c;
    if (c == '\n') out += indent;
  }
  return out + "\n";
}

// Text kept line for line as printed: the characters roff would read as its own
// are escaped, and a line may not start as a request.
std::string RoffBlock(std::string_view text) {
  std::string out = ".nf\n";
  bool line_start = true;
  for (char c : text) {
    if (line_start && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    line_start = c == '\n';
  }
  if (!line_start) out += '\n';
  return out + ".fi\n";
}

}  // namespace

std::string UsageLines(const Command& command) {
  const std::string prefix = "usage: quorvane-cli [--home DIR] ";
  std::string out = prefix;
  for (char c : std::string_view(command.synopsis)) {
    out += c;
    if (c == '\n') out += std::string(prefix.size(), ' ');
  }
  return out + "\n";
}

std::string OverviewHelp() {
  std::string text = std::string(kIntro) + "\nCOMMANDS\n";
  for (const Command& command : Commands()) {
    std::string name = command.name;
    // A longer name keeps a blank before its summary instead of being cut.
    name.resize(std::max<size_t>(7, name.size() + 1), ' ');
    text += "  " + name + command.summary + "\n";
  }
  text += "  help   this text; help COMMAND tells all of one command\n\n";
  text += std::string(kFirstStart) + "\n" + kDates + "\n" + kSlots + "\n" + kBetTypes + "\n" +
          kExitStatus + "\n" + kStreams;
  return text;
}

std::string CommandHelp(const Command& command) {
  std::string text = UsageLines(command) + "\n" + command.purpose + "\n\nOPTIONS\n" +
                     command.options + "\n\nOUTPUT\n" + Indented(command.output, "  ") +
                     "\nEXAMPLE\n  " + command.example + "\n";
  if (Mentions(command, "--day")) text += std::string("\n") + kDates;
  if (Mentions(command, "--slot")) text += std::string("\n") + kSlots;
  if (Mentions(command, "TYPE")) text += std::string("\n") + kBetTypes;
  return text + "\n" + kExitStatus;
}

std::string ManualPage() {
  std::string page =
      ".TH QUORVANE\\-CLI 1 \"\" \"Quorvane Version.1.13\" \"User Commands\"\n"
      ".\\\" Written by `quorvane-cli help --man` from the text of its help.\n"
      ".SH NAME\nquorvane\\-cli \\- the Quorvane program without its window\n"
      ".SH DESCRIPTION\n" +
      RoffBlock(OverviewHelp()) + ".SH COMMANDS\n";
  for (const Command& command : Commands()) {
    page += std::string(".SS ") + command.name + "\n" + RoffBlock(CommandHelp(command));
  }
  return page + ".SH SEE ALSO\n.BR quorvane (1)\n";
}

std::string ReferenceMarkdown() {
  std::string md =
      "# quorvane-cli reference\n\n"
      "<!-- Written by `quorvane-cli help --markdown` from the text of its help; the CLI\n"
      "     tests fail when this file differs from what it prints. -->\n\n"
      "## Overview\n\n```text\n" +
      OverviewHelp() + "```\n";
  for (const Command& command : Commands()) {
    md += std::string("\n## ") + command.name + "\n\n```text\n" + CommandHelp(command) + "```\n";
  }
  return md;
}

}  // namespace cli
