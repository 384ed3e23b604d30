#include "app/gui/PrintableText.h"

#include <QLineEdit>
#include <QToolTip>

#include "base/Windows1252.h"

namespace orvanta {

namespace {

// Characters that stand for a blank when pasted from several lines or columns.
bool IsLayoutBreak(QChar c) {
  return c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

}  // namespace

std::optional<char32_t> FirstUnprintable(const QString& text) {
  for (const char32_t character : text.toUcs4()) {
    if (!IsPrintableWindows1252(character)) return character;
  }
  return std::nullopt;
}

int PrintedLength(const QString& text) {
  return static_cast<int>(text.toUcs4().size());
}

QString RefusedCharacterTip(char32_t character) {
  // A control character has no picture of its own: its number says which.
  // U+FFFD stands for half a character that the field's limit cut off.
  if (character == 0xFFFD)
    return QStringLiteral("Carattere non accettato: il calendario non può stamparlo.");
  const QString shown = character < 0x20 || (character >= 0x7F && character <= 0x9F)
                            ? QString()
                            : QStringLiteral("«%1» ").arg(QString::fromUcs4(&character, 1));
  const QString code =
      QString::number(static_cast<uint>(character), 16).toUpper().rightJustified(4, u'0');
  return QStringLiteral("Carattere %1(U+%2) non accettato: il calendario non può stamparlo.")
      .arg(shown, code);
}

PrintableTextValidator::PrintableTextValidator(Refused refused, QObject* parent)
    : QValidator(parent), refused_(std::move(refused)) {}

QValidator::State PrintableTextValidator::validate(QString& input, int& position) const {
  QString text = input;
  for (QChar& c : text) {
    if (IsLayoutBreak(c)) c = QLatin1Char(' ');
  }
  text = text.normalized(QString::NormalizationForm_C);
  if (const std::optional<char32_t> refused = FirstUnprintable(text)) {
    if (refused_) refused_(*refused);
    return Invalid;
  }
  if (text != input) {
    // The cursor stays behind the same characters.
    position =
        static_cast<int>(input.left(position).normalized(QString::NormalizationForm_C).size());
    input = text;
  }
  return Acceptable;
}

void KeepPrintable(QLineEdit* field) {
  auto* validator = new PrintableTextValidator(
      [field](char32_t character) {
        // A text the program sets (a note read from the file) is not typed.
        if (!field->hasFocus()) return;
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())),
                           RefusedCharacterTip(character), field);
      },
      field);
  field->setValidator(validator);
}

}  // namespace orvanta
