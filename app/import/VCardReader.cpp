#include "app/import/VCardReader.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/import/InputKind.h"
#include "app/import/VCardProperties.h"
#include "base/AsciiCase.h"
#include "base/Text.h"

namespace orvanta {
namespace {

// More labelled dates than any person has are passed over.
constexpr std::size_t kMaxLabelled = 16;

// What of a name, label or date value goes into an item: far more than a
// note of 50 characters or a line of the report shows, and a bound on what
// one line of the file can cost each of the items it is copied into.
constexpr std::size_t kMaxTextBytes = 200;

// `text` cut to at most `bytes`, not inside a UTF-8 sequence.
std::string Clipped(std::string_view text, std::size_t bytes = kMaxTextBytes) {
  if (text.size() <= bytes) return std::string(text);
  while (bytes > 0 && IsUtf8Continuation(text[bytes])) --bytes;
  return std::string(text.substr(0, bytes));
}

struct DateValue {
  int month = 0;
  int day = 0;
};

struct Contact {
  std::string formattedName;   // FN
  std::string structuredName;  // N as "Given Family"
  std::string organisation;    // ORG
  std::optional<VCardProperty> birthday;
  std::optional<VCardProperty> anniversary;
  // Dates that Apple and Google address books write as itemN.X-ABDATE, named
  // by the X-ABLABEL of the same group.
  std::vector<VCardProperty> labelledDates;
  std::map<std::string, std::string> labels;  // by group
  int line = 0;                               // of its BEGIN:VCARD
};

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// `count` digits at `at` as a number, or -1.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return -1;
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (!IsAsciiDigit(text[i])) return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// The day and month of "1985-03-15", "19850315", "--0315", "--03-15" and of
// the date part of a date-time ("1985-03-15T00:00:00Z"); the year only
// decides whether 29 February exists.
std::optional<DateValue> ParseDate(std::string_view text) {
  text = text.substr(0, text.find('T'));
  const bool yearless = text.starts_with("--");
  const int year = yearless ? 2000 : Digits(text, 0, 4);  // 2000: "--0229" is a day
  if (year < 0) return std::nullopt;
  std::string_view rest = text.substr(yearless ? 2 : 4);
  if (!yearless && rest.size() == 6 && rest[0] == '-') rest.remove_prefix(1);
  // "MMDD" or "MM-DD"
  const bool dash = rest.size() == 5 && rest[2] == '-';
  if (rest.size() != 4 && !dash) return std::nullopt;
  const int month = Digits(rest, 0, 2);
  const int day = Digits(rest, dash ? 3 : 2, 2);
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
  return DateValue{month, day};
}

// "Compleanno di Anna Rossi" on the date of `property`, or why not.
ImportedItem DatedItem(const VCardProperty& property, const std::string& caption,
                       const std::string& name) {
  ImportedItem item;
  item.text = caption + name;
  item.captionBytes = caption.size();
  const std::string value = Clipped(TrimWhitespace(property.value));
  if (name.empty()) {
    item.refusal = "contatto senza nome";
  } else if (AsciiUpper(property.Parameter("VALUE")) == "TEXT") {
    item.refusal = "data scritta come testo ('" + value + "'), non come data";
  } else if (const std::optional<DateValue> date = ParseDate(value)) {
    item.month = date->month;
    item.day = date->day;
  } else {
    item.refusal = "data non riconosciuta ('" + value + "')";
  }
  return item;
}

std::string NameOf(const Contact& contact) {
  for (const std::string* name :
       {&contact.formattedName, &contact.structuredName, &contact.organisation}) {
    const std::string_view trimmed = TrimWhitespace(*name);
    if (!trimmed.empty()) return Clipped(trimmed);
  }
  return {};
}

// "Given Family" of a structured name "Family;Given;Additional;Prefix;Suffix".
std::string StructuredName(std::string_view value) {
  const std::vector<std::string> parts = SplitVCardComponents(value);
  std::string name = parts.size() > 1 ? std::string(TrimWhitespace(parts[1])) : std::string();
  const std::string_view family = TrimWhitespace(parts[0]);
  if (!family.empty()) name += (name.empty() ? "" : " ") + std::string(family);
  return name;
}

bool IsAnniversary(const std::string& name) {
  return name == "ANNIVERSARY" || name == "X-ANNIVERSARY" || name == "X-EVOLUTION-ANNIVERSARY" ||
         name == "X-MS-ANNIVERSARY" || name == "X-WAB-WEDDING_ANNIVERSARY";
}

// "_$!<Anniversary>!$_", as Apple writes its own labels, is "Anniversary".
std::string PlainLabel(std::string_view label) {
  label = TrimWhitespace(label);
  if (label.starts_with("_$!<") && label.ends_with(">!$_"))
    label = label.substr(4, label.size() - 8);
  return std::string(label);
}

void Take(Contact& contact, const VCardProperty& property) {
  if (property.name == "FN") {
    contact.formattedName = UnescapeVCardText(property.value);
  } else if (property.name == "N") {
    contact.structuredName = StructuredName(property.value);
  } else if (property.name == "ORG") {
    contact.organisation = SplitVCardComponents(property.value)[0];
  } else if (property.name == "BDAY" && !contact.birthday) {
    contact.birthday = property;
  } else if (IsAnniversary(property.name) && !contact.anniversary) {
    contact.anniversary = property;
  } else if (property.name == "X-ABDATE" && contact.labelledDates.size() < kMaxLabelled) {
    contact.labelledDates.push_back(property);
  } else if (property.name == "X-ABLABEL" && !property.group.empty() &&
             contact.labels.size() < kMaxLabelled) {
    contact.labels[property.group] = Clipped(PlainLabel(UnescapeVCardText(property.value)));
  }
}

// The labelled dates: an anniversary becomes one (when the contact has none
// of its own), any other is reported as not imported.
void AddLabelledDates(Contact& contact, const std::string& name, ImportedItems& found) {
  for (const VCardProperty& date : contact.labelledDates) {
    const auto label = contact.labels.find(date.group);
    const std::string plain = label == contact.labels.end() ? std::string() : label->second;
    const std::string upper = AsciiUpper(plain);
    if ((upper == "ANNIVERSARY" || upper == "ANNIVERSARIO") && !contact.anniversary) {
      contact.anniversary = date;
      continue;
    }
    ImportedItem item = DatedItem(date, (plain.empty() ? "Data" : plain) + " di ", name);
    item.refusal =
        "data con etichetta '" + plain + "': diventano note solo compleanni e anniversari";
    found.Add(std::move(item));
  }
}

void AddContact(Contact& contact, ImportedItems& found) {
  if (!contact.birthday && !contact.anniversary && contact.labelledDates.empty()) {
    ++found.ignored;
    return;
  }
  const std::string name = NameOf(contact);
  AddLabelledDates(contact, name, found);
  if (contact.birthday) found.Add(DatedItem(*contact.birthday, "Compleanno di ", name));
  if (contact.anniversary) found.Add(DatedItem(*contact.anniversary, "Anniversario di ", name));
}

}  // namespace

bool LooksLikeVCard(std::string_view bytes) {
  return FirstLineIs(bytes, "BEGIN:VCARD");
}

ImportedItems ReadVCards(std::string_view bytes) {
  ImportedItems found;
  found.ignoredOne = "contatto senza data ignorato";
  found.ignoredMany = "contatti senza data ignorati";
  Contact contact;
  bool open = false;
  // A BEGIN:VCARD always starts a new contact: one left open before it (or
  // at the end of the file) is reported, not read on into the next.
  const auto broken = [&] {
    ImportedItem item;
    item.text = NameOf(contact);
    item.refusal = "contatto senza END:VCARD (inizia alla riga " + std::to_string(contact.line) +
                   "): controllare il file";
    found.Add(std::move(item));
  };
  ForEachVCardProperty(bytes, [&](const VCardProperty& property) {
    const bool contactLine = AsciiUpper(std::string(TrimWhitespace(property.value))) == "VCARD";
    if (property.name == "BEGIN" && contactLine) {
      if (open) broken();
      contact = Contact{};
      contact.line = property.line;
      open = true;
    } else if (property.name == "END" && contactLine) {
      if (open) AddContact(contact, found);
      open = false;
    } else if (open) {
      Take(contact, property);
    }
  });
  if (open) broken();
  return found;
}

}  // namespace orvanta
