#include "app/gui/NoteEntries.h"

#include "app/core/NotesFile.h"

namespace orvanta {

namespace {

bool AllDigits(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

}  // namespace

QString HiddenEntry(DayNumber day, const QString& text) {
  return QString::number(day) + QStringLiteral("  ") + text;
}

QString VisibleEntry(const QString& hiddenEntry) {
  bool ok = false;
  const int day = hiddenEntry.left(5).toInt(&ok);
  QString date = QStringLiteral("--/--/--");
  if (ok) {
    const CivilDate civil = DateOf(day);
    date = QStringLiteral("%1/%2/%3")
               .arg(civil.Day, 2, 10, QLatin1Char('0'))
               .arg(civil.Month, 2, 10, QLatin1Char('0'))
               .arg(civil.Year % 100, 2, 10, QLatin1Char('0'));
  }
  return date + hiddenEntry.mid(5);
}

QString EntryText(const QString& visibleEntry) {
  return visibleEntry.mid(10);
}

std::optional<DayNumber> EntryDay(const QString& visibleEntry) {
  bool dayOk = false;
  bool monthOk = false;
  const int day = visibleEntry.left(2).toInt(&dayOk);
  const int month = visibleEntry.mid(3, 2).toInt(&monthOk);
  if (!dayOk || !monthOk) return std::nullopt;
  return MakeDayNumber(kEditorYear, month, day);
}

QString SanitizeTypedNote(const QString& text) {
  QString safe = text;
  safe.replace(QLatin1Char('"'), QLatin1Char('\''));
  safe.replace(QLatin1Char(','), QChar(0x00B8));
  return safe;
}

bool DateFieldRejects(const QString& text, DateField field) {
  if (!AllDigits(text)) return true;
  if (text == QStringLiteral("00")) return true;
  const int value = text.toInt();
  return field == DateField::Day ? value > 31 : value > 12;
}

}  // namespace orvanta
