#include "report/ReportPrinter.h"

#include <windows.h>
#include <commdlg.h>

#include "platform/OnDemandDlls.h"
#include "report/PrinterLayout.h"
#include "platform/ReportFile.h"
#include "report/SaveAndPrint.h"

namespace {

class GdiPrinterSurface : public PrinterSurface {
 public:
  GdiPrinterSurface(HDC dc, HFONT font) : m_dc(dc), m_font(font) {
    SelectObject(m_dc, m_font);
    SetBkMode(m_dc, TRANSPARENT);
  }

  PrintExtent Measure(const char* text, size_t length) override {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(m_dc, text, static_cast<int>(length), &size);
    return {size.cx, size.cy};
  }
  int CharHeight() override { return Metrics().tmHeight; }
  int AverageCharWidth() override { return Metrics().tmAveCharWidth; }
  int PageWidth() override { return GetDeviceCaps(m_dc, HORZRES); }
  int PageHeight() override { return GetDeviceCaps(m_dc, VERTRES); }
  void Draw(int x, int y, const char* text, size_t length) override {
    if (m_ok) TextOutA(m_dc, x, y, text, static_cast<int>(length));
  }
  void NewPage() override {
    if (!m_ok) return;
    m_ok = EndPage(m_dc) > 0 && StartPage(m_dc) > 0;
    // Some drivers reset the DC's objects with each page.
    SelectObject(m_dc, m_font);
    SetBkMode(m_dc, TRANSPARENT);
  }
  bool Ok() const { return m_ok; }

 private:
  TEXTMETRICA Metrics() {
    TEXTMETRICA tm = {};
    GetTextMetricsA(m_dc, &tm);
    return tm;
  }

  HDC m_dc;
  HFONT m_font;
  bool m_ok = true;
};

HDC DefaultPrinterDC() {
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
  if (!PrintDialog(&pd)) return nullptr;
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  return pd.hDC;
}

HFONT CreatePrinterFont(HDC dc) {
  LOGFONTA lf = {};
  lf.lfHeight = -MulDiv(kPrinterFontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(lf.lfFaceName, kPrinterFontName, LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

}  // namespace

bool PrintReportText(const std::string& text, std::string* error) {
  HDC dc = DefaultPrinterDC();
  if (!dc) {
    if (error) *error = kNoDefaultPrinter;
    return false;
  }
  HFONT font = CreatePrinterFont(dc);
  HGDIOBJ oldFont = SelectObject(dc, font);

  DOCINFOA doc = {};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = "";
  bool ok = StartDocA(dc, &doc) > 0;
  DWORD code = ok ? ERROR_SUCCESS : GetLastError();
  if (ok) {
    ok = StartPage(dc) > 0;
    if (ok) {
      GdiPrinterSurface surface(dc, font);
      PrinterTextLayout layout(surface);
      layout.Write(text);
      ok = surface.Ok() && EndPage(dc) > 0;
    }
    if (!ok) code = GetLastError();
    if (ok)
      ok = EndDoc(dc) > 0;
    else
      AbortDoc(dc);
  }
  if (!ok && error)
    *error = "Could not print the report: " + SystemErrorText(code ? code : ERROR_GEN_FAILURE);

  SelectObject(dc, oldFont);
  if (font) DeleteObject(font);
  DeleteDC(dc);
  return ok;
}
