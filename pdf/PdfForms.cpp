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
  m_Line = "<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /" + name + "\r/BBox [";
  InsetPageBox();
  m_Line += "]\r/Matrix [1 0 0 1 0 0]\r/Length ";
  AppendInt(m_Line, number + 1);
  m_Line += " 0 R >>\rstream";
  WriteLine(m_Line);
  m_StreamStart = Offset();
  m_Open = OpenStream::Form;
  AppendResourceEntry(m_FormList, name, number);
  m_Forms.push_back({Name, Options});
}

void clsPDFCreator::EndObject() {
  if (m_Open != OpenStream::Form) {
    throw PdfError(PdfErrorCode::CallOrder, "no form object is open");
  }
  EndStream();
}

void clsPDFCreator::DrawObject(const std::string& Name) {
  RequireStream();
  m_Line.assign(1, '/');
  m_Line += Utf8ToWindows1252(Name);
  m_Line += " Do";
  WriteLine(m_Line);
}

void clsPDFCreator::DrawPageObjects() {
  const int32_t page = m_Pages;
  const bool even = page % 2 == 0;
  for (const FormEntry& form : m_Forms) {
    const int32_t o = form.Options;
    const bool everyPage = (o & kFormOnEveryPage) == kFormOnEveryPage;
    const bool onEven = even && (o & kFormOnEvenPages) != 0;
    const bool onOdd =
        !even && (o & kFormOnOddPages) != 0 && !((o & kFormNotOnFirstPage) != 0 && page == 1);
    if (everyPage || onEven || onOdd) DrawObject(form.Name);
  }
}

}  // namespace orvanta
