#include "app/gui/NoteEntries.h"

namespace orvanta {

QString HiddenEntry(DayNumber day, const QString& text) {
  return QString::number(day) + QStringLiteral("  ") + text;
}

QString VisibleEntry(DayNumber day, const QString& text) {
  const CivilDate civil = DateOf(day);
  return QStringLiteral("%1/%2/%3  ")
             .arg(civil.Day, 2, 10, QLatin1Char('0'))
             .arg(civil.Month, 2, 10, QLatin1Char('0'))
             .arg(civil.Year % 100, 2, 10, QLatin1Char('0')) +
         text;
}

}  // namespace orvanta
