// The import module's one exported function: the command line loads this
// module for --import-notes only, so that no other run maps libical (and the
// ICU it pulls in).
#include "app/core/notes/NotesImportRequest.h"
#include "app/import/NotesImport.h"
#include "app/import/NotesMerge.h"

extern "C" __attribute__((visibility("default"))) void orvanta_import_notes(
    const orvanta::NotesImportRequest* request, const orvanta::ReportPublisher* publish,
    orvanta::NotesImportOutcome* outcome) {
  *outcome = orvanta::ImportNotes(*request, *publish);
  // File names and what the files hold reach the terminal only escaped.
  for (std::string& line : outcome->errors) line = orvanta::ReportText(line);
}
