// Form objects: drawing recorded once and shown by name or on chosen pages.
#include "pdf/NumberFormat.h"
#include "pdf/ResourceEntry.h"
#include "pdf/TextEncoding.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {

void clsPDFCreator::StartObject(const std::string& Name, int32_t Options) {
  RequireNoStream("StartObject");
  CheckObjectRoom(2);
  const std::string name = Utf8ToWindows1252(Name);
  const int32_t number = OpenIndirectObject(0);
  line_ = "<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /" + name + "\r/BBox [";
  InsetPageBox();
  line_ += "]\r/Matrix [1 0 0 1 0 0]\r/Length ";
  AppendInt(line_, number + 1);
  line_ += " 0 R >>\rstream";
  WriteLine(line_);
  streamStart_ = Offset();
  openStream_ = OpenStream::Form;
  AppendResourceEntry(formList_, name, number);
  forms_.push_back({Name, Options});
}

void clsPDFCreator::EndObject() {
  if (openStream_ != OpenStream::Form) {
    throw PdfError(PdfErrorCode::CallOrder, "no form object is open");
  }
  EndStream();
}

void clsPDFCreator::DrawObject(const std::string& Name) {
  RequireStream();
  line_.assign(1, '/');
  line_ += Utf8ToWindows1252(Name);
  line_ += " Do";
  WriteLine(line_);
}

void clsPDFCreator::DrawPageObjects() {
  const int32_t page = pages_;
  const bool even = page % 2 == 0;
  for (const FormEntry& form : forms_) {
    const int32_t o = form.options;
    const bool everyPage = (o & kFormOnEveryPage) == kFormOnEveryPage;
    const bool onEven = even && (o & kFormOnEvenPages) != 0;
    const bool onOdd =
        !even && (o & kFormOnOddPages) != 0 && !((o & kFormNotOnFirstPage) != 0 && page == 1);
    if (everyPage || onEven || onOdd) DrawObject(form.name);
  }
}

}  // namespace orvanta
