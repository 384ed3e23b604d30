#include "almanac/AlmanacYear.h"

#include "almanac/Easter.h"
#include "base/Text.h"

namespace orvanta {
namespace {

struct CivilHoliday {
  HolidayKey Key = HolidayKey::None;
  bool Red = false;
};

// Carnival days are looked for in February and March only.
CivilHoliday Carnival(const AlmanacYear& year, DayNumber day) {
  if (day == year.EasterDay - 47) return {HolidayKey::MartediGrasso, false};
  if (day == year.EasterDay - 52) return {HolidayKey::GiovediGrasso, false};
  if (day == year.EasterDay - 43) return {HolidayKey::SabatoGrasso, false};
  return {};
}

CivilHoliday EasterHoliday(const AlmanacYear& year, DayNumber day) {
  if (day == year.EasterDay) return {HolidayKey::Pasqua, true};
  if (day == year.EasterMonday) return {HolidayKey::LunediAngelo, true};
  return {};
}

CivilHoliday Fixed(HolidayKey key) {
  return {key, IsPublicHoliday(key)};
}

// The civil holiday table: within a month the first rule that holds wins.
CivilHoliday FindCivilHoliday(const AlmanacYear& year, DayNumber day) {
  const CivilDate date = DateOf(day);
  const int d = date.Day;
  using K = HolidayKey;
  switch (date.Month) {
    case 1:
      if (d == 1) return Fixed(K::Capodanno);
      if (d == 6) return Fixed(K::Epifania);
      return {};
    case 2:
      return Carnival(year, day);
    case 3:
      if (const CivilHoliday easter = EasterHoliday(year, day); easter.Key != K::None)
        return easter;
      return Carnival(year, day);
    case 4:
      if (const CivilHoliday easter = EasterHoliday(year, day); easter.Key != K::None)
        return easter;
      if (d == 25) return Fixed(K::Liberazione);
      return {};
    case 5:
      return d == 1 ? Fixed(K::FestaLavoro) : CivilHoliday{};
    case 6:
      return d == 2 ? Fixed(K::FestaRepubblica) : CivilHoliday{};
    case 8:
      return d == 15 ? Fixed(K::Assunzione) : CivilHoliday{};
    case 11:
      if (d == 1) return Fixed(K::TuttiSanti);
      if (d == 2) return Fixed(K::Defunti);
      return {};
    case 12:
      if (d == 8) return Fixed(K::Immacolata);
      if (d == 25) return Fixed(K::Natale);
      if (d == 26) return Fixed(K::SantoStefano);
      if (d == 31 && year.Chiesa) return Fixed(K::SanSilvestro);
      return {};
    default:
      return {};
  }
}

}  // namespace

const char* HolidayPageName(HolidayKey key) {
  switch (key) {
    case HolidayKey::None:
      return "";
    case HolidayKey::Capodanno:
      return "Capodanno";
    case HolidayKey::Epifania:
      return "Epifania";
    case HolidayKey::MartediGrasso:
      return "'Martedì grasso' (Carnevale Romano)";
    case HolidayKey::GiovediGrasso:
      return "'Giovedì grasso'";
    case HolidayKey::SabatoGrasso:
      return "'Sabato grasso' (Carnevale Ambrosiano)";
    case HolidayKey::Pasqua:
      return "Pasqua";
    case HolidayKey::LunediAngelo:
      return "Dell'Angelo";
    case HolidayKey::Liberazione:
      return "Anniversario della liberazione";
    case HolidayKey::FestaLavoro:
      return "Festa del lavoro";
    case HolidayKey::FestaRepubblica:
      return "Festa della Repubblica";
    case HolidayKey::Assunzione:
      return "Assunzione S. Vergine";
    case HolidayKey::TuttiSanti:
      return "Tutti i Santi";
    case HolidayKey::Defunti:
      return "Defunti";
    case HolidayKey::Immacolata:
      return "Immacolata Concezione";
    case HolidayKey::Natale:
      return "Natale";
    case HolidayKey::SantoStefano:
      return "S. Stefano";
    case HolidayKey::SanSilvestro:
      return "S. Silvestro";
  }
  return "";
}

bool IsPublicHoliday(HolidayKey key) {
  switch (key) {
    case HolidayKey::None:
    case HolidayKey::MartediGrasso:
    case HolidayKey::GiovediGrasso:
    case HolidayKey::SabatoGrasso:
    case HolidayKey::Defunti:
    case HolidayKey::SanSilvestro:
      return false;
    default:
      return true;
  }
}

bool IsReligiousName(HolidayKey key) {
  return key == HolidayKey::SanSilvestro;
}

AlmanacYear PrepareAlmanacYear(int year, bool chiesa, bool notePersonali) {
  AlmanacYear state;
  state.Year = year;
  state.EasterDay = ComputeEaster(year);
  state.EasterMonday = state.EasterDay + 1;
  if (chiesa) state.ChurchFeastList = BuildChurchFeasts(year, state.EasterDay);
  state.Chiesa = chiesa;
  state.NotePersonali = notePersonali;
  return state;
}

DayName NameDay(const AlmanacYear& year, DayNumber day) {
  DayName name;
  const CivilHoliday holiday = FindCivilHoliday(year, day);
  name.holiday = holiday.Key;
  name.red = IsSunday(day) || holiday.Red;
  if (year.Chiesa) {
    for (std::size_t slot = 0; slot < year.ChurchFeastList.size(); ++slot) {
      const auto& feast = year.ChurchFeastList[slot];
      if (feast && feast->Day == day) {
        name.feastSlot = static_cast<int>(slot);
        break;
      }
    }
  }
  return name;
}

std::string PrintedDayName(const AlmanacYear& year, const DayName& name) {
  if (name.feastSlot >= 0) {
    const auto& feast = year.ChurchFeastList[static_cast<std::size_t>(name.feastSlot)];
    if (feast) return std::string(TrimSpaces(feast->Name));
  }
  return HolidayPageName(name.holiday);
}

std::string PersonalNoteOf(const AlmanacYear& year, DayNumber day) {
  if (!year.NotePersonali) return {};
  for (const NoteEntry& note : year.NotesTable) {
    if (note.day == day) return std::string(TrimSpaces(note.text));
  }
  return {};
}

}  // namespace orvanta
