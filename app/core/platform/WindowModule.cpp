#include "app/core/platform/WindowModule.h"

#include <dlfcn.h>

#include <iostream>
#include <string>

#include "app/core/platform/Folders.h"

namespace orvanta {

int RunWindowModule(std::initializer_list<const char*> relativePaths, int argc, char** argv) {
  const std::string folder = ProgramFolder();
  std::string why = "la cartella del programma è sconosciuta";
  for (const char* relative : relativePaths) {
    if (folder.empty()) break;
    // RTLD_NOW: a module that does not fit this program fails here, with a
    // message, rather than at the first call that misses a symbol.
    void* module = ::dlopen((folder + relative).c_str(), RTLD_NOW | RTLD_LOCAL);
    using Entry = int (*)(int, char**);
    const auto entry =
        module != nullptr ? reinterpret_cast<Entry>(::dlsym(module, kWindowEntryName)) : nullptr;
    // The module stays loaded until the process ends: Qt's objects may run
    // their destructors at exit.
    if (entry != nullptr) return entry(argc, argv);
    const char* error = ::dlerror();
    why = error != nullptr ? error : folder + relative;
  }
  std::cerr << "orvanta: impossibile caricare la finestra del programma (" << why
            << "); per scrivere il calendario dalla riga di comando vedere orvanta --help\n";
  return kWindowModuleMissing;
}

}  // namespace orvanta
