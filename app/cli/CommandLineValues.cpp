#include "app/cli/CommandLineValues.h"

#include <QList>
#include <QRegularExpression>

#include "app/cli/ArgumentBytes.h"
#include "app/cli/CommandLine.h"
#include "base/Windows1252.h"

namespace orvanta {

std::string Quoted(const QString& value) {
  QString shown = WithRawBytesShown(value);
  for (QChar& c : shown) {
    if (c.category() == QChar::Other_Control) c = u'?';
  }
  return "'" + shown.toStdString() + "'";
}

std::string BadValue(const std::string& option, const QString& value, const char* allowed) {
  return "orvanta: --" + option + ": valore " + Quoted(value) +
         " non valido; valori ammessi: " + allowed;
}

std::string MissingFile(const std::string& option, const QString& value, const char* allowed) {
  return "orvanta: --" + option + ": file " + Quoted(value) +
         " non trovato; valori ammessi: " + allowed;
}

std::string YearRange() {
  return "da " + std::to_string(kFirstCommandLineYear) + " a " +
         std::to_string(kLastCommandLineYear);
}

std::string YearsAllowed() {
  return "un anno " + YearRange() + ", oppure next per l'anno prossimo";
}

// Both expressions need valid UTF-16, hence the test for raw bytes first.
std::optional<int16_t> ParseYear(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]{1,4}$"));
  if (CarriesRawBytes(text) || !digits.match(text).hasMatch()) return std::nullopt;
  return YearInRange(text.toInt());
}

std::optional<int16_t> YearInRange(int year) {
  if (year < kFirstCommandLineYear || year > kLastCommandLineYear) return std::nullopt;
  return static_cast<int16_t>(year);
}

std::optional<int32_t> ParseColour(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
  if (CarriesRawBytes(text) || !form.match(text).hasMatch()) return std::nullopt;
  const uint rgb = text.mid(1).toUInt(nullptr, 16);
  const uint red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
  return static_cast<int32_t>(red | (green << 8) | (blue << 16));
}

std::string LimitText(const QString& text, int limit) {
  QList<uint> characters = text.toUcs4();
  if (characters.size() > limit) characters.resize(limit);
  for (uint& c : characters) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) c = ' ';
  }
  return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                           characters.size())
      .trimmed()
      .toStdString();
}

std::string CharactersWindows1252Lacks(const std::string& text) {
  std::string lacking;
  QStringList seen;
  const QString characters = QString::fromStdString(text);
  for (qsizetype at = 0; at < characters.size(); ++at) {
    // A character outside the BMP is two UTF-16 units.
    const qsizetype units = characters.at(at).isHighSurrogate() ? 2 : 1;
    const QString character = characters.mid(at, units);
    at += units - 1;
    const std::string utf8 = character.toStdString();
    if (utf8 == "?" || Utf8ToWindows1252(utf8) != "?" || seen.contains(character)) continue;
    seen << character;
    lacking += (lacking.empty() ? "'" : " '") + utf8 + "'";
  }
  return lacking;
}

}  // namespace orvanta
