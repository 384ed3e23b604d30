#pragma once
// Importing birthdays, anniversaries and yearly events from address book and
// calendar files into the personal notes file.

#include "app/core/notes/NotesImportRequest.h"

namespace orvanta {

[[nodiscard]] NotesImportOutcome ImportNotes(const NotesImportRequest& request,
                                             const ReportPublisher& publish = {});

}  // namespace orvanta
