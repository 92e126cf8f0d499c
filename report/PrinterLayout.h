#pragma once
// The printer's text device: lays a stream of text out on pages, line by line,
// over a drawing surface that measures and draws (a printer DC in the program,
// a fake in tests). All measures are the surface's device units, origin at the
// top-left corner of the printable area.
#include <cstddef>
#include <string>

#include "report/Report.h"

struct PrintExtent {
  int cx = 0, cy = 0;
};

class PrinterSurface {
 public:
  virtual ~PrinterSurface() = default;
  virtual PrintExtent Measure(const char* text, size_t length) = 0;
  virtual int CharHeight() = 0;        // the font's text metrics height
  virtual int AverageCharWidth() = 0;  // the font's average character width
  virtual int PageWidth() = 0;
  virtual int PageHeight() = 0;
  virtual void Draw(int x, int y, const char* text, size_t length) = 0;
  virtual void NewPage() = 0;  // ends the page and starts the next
};

class PrinterTextLayout {
 public:
  explicit PrinterTextLayout(PrinterSurface& surface) : m_surface(surface) {}

  // LF starts a new line, CR only ends the current run, form feed starts a new
  // page, TAB moves to the next stop of 8 average character widths.
  void Write(const std::string& text);

  int X() const { return m_x; }
  int Y() const { return m_y; }

 private:
  void Run(const char* text, size_t length);
  void Tab();
  void NewLine();
  void NewPage();
  void NoteDrawn(int height);

  PrinterSurface& m_surface;
  int m_x = 0, m_y = 0;
  bool m_lineHasText = false;
  int m_lineTextHeight = 0;
};

// A report sink that prints through a PrinterTextLayout.
class PrinterReportSink : public ReportSink {
 public:
  explicit PrinterReportSink(PrinterTextLayout& layout) : m_layout(layout) {}
  void Write(const std::string& text) override { m_layout.Write(text); }
  void LineEnd() override { m_layout.Write("\r\n"); }

 private:
  PrinterTextLayout& m_layout;
};
