#include "almanac/Commemorations.h"

namespace orvanta {

std::array<std::string, 4> MonthCommemorations(int month) {
  switch (month) {
    case 1:
      return {"07: festa del Tricolore (giornata Nazionale della Bandiera)",
              "27: giorno della memoria vittime Nazismo e Olocausto"};
    case 2:
      return {"14: S. Valentino: festa degli innamorati"};
    case 3:
      return {"08: festa delle donne", "19: S. Giuseppe - festa del papà", "21: inizio primavera"};
    case 5:
      return {"Seconda domenica: festa della mamma",
              "09: giorno della memoria vittime del terrorismo"};
    case 6:
      return {"21: inizio estate"};
    case 9:
      return {"23: inizio autunno"};
    case 10:
      return {"02: festa dei nonni", "31: notte di Halloween"};
    case 11:
      return {"04: giornata delle forze armate"};
    case 12:
      return {"21: inizio inverno"};
    default:  // April, July, August and anything outside 1..12
      return {};
  }
}

}  // namespace orvanta
