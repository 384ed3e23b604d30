#pragma once
// The print options the user switches on and off, described once: the window
// builds its check boxes from this table, in its order, and the command line
// its --no-... switches and their help lines.

#include <stdexcept>

#include "calendar/CalendarOptions.h"

namespace orvanta {

struct PrintOption {
  bool CalendarOptions::*field;
  const char* boxName;    // the window's check box (object name)
  const char* caption;    // its caption, UTF-8
  const char* offSwitch;  // the command-line switch that turns it off, without "--"
  const char* offHelp;    // what the help says of that switch, UTF-8
  // Printed only when its file exists: the command line reads the switch
  // together with the option that names the file (--notes, --shift).
  bool withFile;
};

inline constexpr PrintOption kPrintOptions[] = {
    {&CalendarOptions::PrintMese_P_S, "chkPrintMese_P_S",
     "Stampa colonne laterali con mese precedente e successivo", "no-side-columns",
     "senza le colonne del mese precedente e successivo", false},
    {&CalendarOptions::Progressivi, "chkProgressivi",
     "Stampa i numeri progressivi dei giorni e delle settimane", "no-progressive",
     "senza i numeri progressivi dei giorni e delle settimane", false},
    {&CalendarOptions::Testo3D, "chkTesto3D", "Stampa il testo con effetto tridimensionale",
     "no-3d", "senza l'effetto tridimensionale del testo", false},
    // The double space is the window's caption as it has always been.
    {&CalendarOptions::Zodiaco, "chkZodiaco", "Stampa  icone del periodo zodiacale", "no-zodiac",
     "senza le icone del periodo zodiacale", false},
    {&CalendarOptions::FasiSoleLuna, "chkFasiSoleLuna", "Stampa effemeridi solari e lunari",
     "no-ephemeris", "senza le effemeridi solari e lunari", false},
    {&CalendarOptions::Icone, "chkIcone", "Stampa Icone festività o eventi", "no-pictures",
     "senza le immagini degli eventi", false},
    {&CalendarOptions::Chiesa, "chkChiesa", "Stampa le ricorrenze religiose", "no-religious",
     "senza le ricorrenze religiose", false},
    {&CalendarOptions::Note, "chkNote", "Stampa note a piè di pagina", "no-footnotes",
     "senza le note a piè di pagina", false},
    {&CalendarOptions::NotePersonali, "chkNotePersonali", "Stampa note personali", "no-notes",
     "senza le note personali", true},
    {&CalendarOptions::Turno, "chkTurno", "Stampa turno", "no-shift", "senza il turno", true},
};

// The table's entry for `field`.
constexpr const PrintOption& PrintOptionOf(bool CalendarOptions::*field) {
  for (const PrintOption& option : kPrintOptions) {
    if (option.field == field) return option;
  }
  throw std::logic_error("not a print option");
}

}  // namespace orvanta
