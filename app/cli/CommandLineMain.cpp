// The headless program's entry: parse the arguments, then write the calendar.
#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli/CommandLineRun.h"
#include "app/cli/CommandLineSystem.h"
#include "app/core/Folders.h"
#include "base/Version.h"

namespace orvanta {

int RunCommandLine(int argc, char** argv) {
  // The bytes as the user gave them, before Qt decodes (or removes) any.
  const std::vector<std::string> arguments(argv, argv + argc);
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Orvanta"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersion));

  // Asked once per run: the answer may be a folder made just now.
  const std::string privateFolder = PrivateTempFolder();
  const CommandLineResult parsed =
      ParseCommandLine(arguments, SystemCommandLineContext(privateFolder));
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
  return RunCalendarRequest(parsed.request, std::cout, std::cerr);
}

}  // namespace orvanta
