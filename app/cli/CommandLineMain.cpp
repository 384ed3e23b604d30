// The headless program's entry: parse the arguments, then write the calendar.
#include <clocale>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "app/cli/CommandLineRun.h"
#include "app/cli/CommandLineSystem.h"
#include "app/core/platform/Folders.h"

namespace orvanta {

namespace {

// A first look makes nothing: help, version, errors and a dry run leave no
// folder behind. What writes asks again with its folders made (once per
// run: the private folder may be one made just now). What the checks read
// stays only in the answer.
CommandLineResult ParseArguments(const std::vector<std::string>& arguments) {
  const CommandLineContext look = SystemCommandLineContext({}, false);
  CommandLineResult parsed = ParseCommandLine(arguments, look);
  const bool writes = parsed.action == CommandLineResult::Action::Run ||
                      (parsed.action == CommandLineResult::Action::Import && !parsed.import.dryRun);
  if (!writes) return parsed;
  const std::string adopted = AdoptNotesBesideProgram(AppFolder());
  if (!adopted.empty()) std::cerr << "orvanta: " << adopted << '\n';
  const std::string privateFolder = PrivateTempFolder();
  CommandLineContext context = SystemCommandLineContext(privateFolder);
  // The notes and shift files the first look read are not read again.
  context.checkNotes = look.checkNotes;
  context.checkShift = look.checkShift;
  return ParseCommandLine(arguments, context);
}

}  // namespace

int RunCommandLine(int argc, char** argv) {
  // The system's reasons ("No such file or directory") in the user's
  // language, as the messages around them.
  std::setlocale(LC_ALL, "");
  const std::vector<std::string> arguments(argv, argv + argc);

  CommandLineResult parsed = ParseArguments(arguments);
  switch (parsed.action) {
    case CommandLineResult::Action::Help:
    case CommandLineResult::Action::Version:
      std::cout << parsed.text << std::flush;
      if (!std::cout) {
        std::cerr << "orvanta: impossibile scrivere sullo standard output\n";
        return kExitNotWritten;
      }
      return kExitOk;
    case CommandLineResult::Action::Error:
      std::cerr << parsed.text << '\n';
      return kExitUsage;
    case CommandLineResult::Action::Import:
      return RunNotesImport(parsed.import, std::cout, std::cerr);
    case CommandLineResult::Action::Run:
      break;
  }
  for (const std::string& warning : parsed.warnings) std::cerr << warning << '\n';
  return RunCalendarRequest(std::move(parsed.request), std::cout, std::cerr);
}

}  // namespace orvanta
