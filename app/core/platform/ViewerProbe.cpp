#include "app/core/platform/ViewerProbe.h"

#include "pdf/PdfError.h"
#include "pdf/clsPDFCreator.h"

namespace orvanta {

bool WriteProbePdf(const std::string& path, const WriterMessage& tell) {
  clsPDFCreator writer;
  if (tell) writer.SetMessageHandler(tell);
  std::string name = path;
  if (!writer.InitPDFFile(name)) return false;
  try {
    writer.BeginPage();
    writer.EndPage();
    writer.ClosePDFFile();
  } catch (const PdfError&) {
    return false;  // the writer drops its unfinished file
  }
  return true;
}

}  // namespace orvanta
