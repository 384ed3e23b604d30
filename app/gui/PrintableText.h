#pragma once
// Text fields whose text reaches the calendar or the notes file take only
// what the calendar can print (Windows-1252): anything else is refused as it
// is typed or pasted, with a tool tip that names the character, so nothing is
// kept that differs from what the user sees.

#include <QString>
#include <QValidator>
#include <functional>
#include <optional>

class QLineEdit;

namespace orvanta {

// The first character of `text` the calendar cannot print, if any.
std::optional<char32_t> FirstUnprintable(const QString& text);

// Characters as the calendar prints them (an emoji would be one, not two).
int PrintedLength(const QString& text);

// The tool tip for a refused character: which one and why.
QString RefusedCharacterTip(char32_t character);

// Accepts a text when the calendar can print all of it. Decomposed accents
// ("e" and a combining accent) are joined first, and tabs and line breaks of a
// pasted text become blanks: their nearest printable forms.
class PrintableTextValidator : public QValidator {
 public:
  using Refused = std::function<void(char32_t character)>;
  PrintableTextValidator(Refused refused, QObject* parent);

  State validate(QString& input, int& position) const override;

 private:
  Refused refused_;
};

// Puts a PrintableTextValidator on the field; a refusal while the user is at
// the field shows RefusedCharacterTip under it.
void KeepPrintable(QLineEdit* field);

}  // namespace orvanta
