#include "app/core/platform/ProgramModules.h"

#include <dlfcn.h>

#include <iostream>

#include "app/core/platform/Folders.h"

namespace orvanta {

void* ProgramModuleEntry(const char* name, const char* entry, std::string& why) {
  const std::string folder = ProgramFolder();
  why.clear();
  if (folder.empty()) {
    why = "la cartella del programma è sconosciuta";
    return nullptr;
  }
  for (const std::string& path :
       {folder + name, folder + ORVANTA_MODULE_FOLDER + "/" + std::string(name)}) {
    // RTLD_NOW: a module that does not fit this program fails here, with a
    // message, rather than at the first call that misses a symbol. It stays
    // loaded until the process ends.
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* function = module != nullptr ? ::dlsym(module, entry) : nullptr;
    if (function != nullptr) return function;
    // Both places are said: a broken module beside the program is not
    // hidden behind the missing installed one.
    const char* error = ::dlerror();
    why += (why.empty() ? "" : "; ") + (error != nullptr ? std::string(error) : path);
  }
  return nullptr;
}

int RunWindowModule(int argc, char** argv) {
  std::string why;
  using Entry = int (*)(int, char**);
  const auto run = reinterpret_cast<Entry>(ProgramModuleEntry(kWindowModule, kWindowEntry, why));
  if (run != nullptr) return run(argc, argv);
  std::cerr << "orvanta: impossibile caricare la finestra del programma (" << why
            << "); per scrivere il calendario dalla riga di comando vedere orvanta --help\n";
  return kWindowModuleMissing;
}

}  // namespace orvanta
