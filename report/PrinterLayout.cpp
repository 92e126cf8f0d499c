#include "report/PrinterLayout.h"

void PrinterTextLayout::Write(const std::string& text) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* runEnd = p;
    while (runEnd < end && *runEnd != '\n' && *runEnd != '\r' && *runEnd != '\f' && *runEnd != '\t')
      ++runEnd;
    Run(p, static_cast<size_t>(runEnd - p));
    if (runEnd == end) break;
    switch (*runEnd) {
      case '\n': NewLine(); break;
      case '\f': NewPage(); break;
      case '\t': Tab(); break;
      default: break;  // CR only ends the run
    }
    p = runEnd + 1;
  }
}

void PrinterTextLayout::Run(const char* text, size_t length) {
  while (length > 0) {
    const int room = m_surface.PageWidth() - m_x;
    PrintExtent extent = m_surface.Measure(text, length);
    const bool cut = extent.cx > room;
    size_t head = length;
    if (cut) {
      // The longest head that fits; widths grow with the length, so bisect.
      size_t lo = 0, hi = length;
      while (lo < hi) {
        size_t mid = (lo + hi + 1) / 2;
        if (m_surface.Measure(text, mid).cx <= room)
          lo = mid;
        else
          hi = mid - 1;
      }
      head = lo;
      if (head == 0) {
        if (m_x > 0) {
          NewLine();
          continue;
        }
        head = 1;  // one character wider than the page: print it anyway, or no progress
      }
      extent = m_surface.Measure(text, head);
    }
    // Empty lines may advance to the page height itself, and a line may be
    // taller than the one before it, so text can start too low to fit; drawn
    // there it would fall off the printable area and be lost.
    if (m_y > 0 && m_y + extent.cy > m_surface.PageHeight()) {
      NewPage();
      continue;
    }
    m_surface.Draw(m_x, m_y, text, head);
    m_x += extent.cx;
    NoteDrawn(extent.cy);
    if (!cut) return;
    NewLine();
    text += head;
    length -= head;
  }
}

void PrinterTextLayout::Tab() {
  int stop = 8 * m_surface.AverageCharWidth();
  if (stop <= 0) stop = 8;
  const int next = ((m_x + 1) / stop + 1) * stop;
  if (next > m_surface.PageWidth())
    NewLine();
  else
    m_x = next;
}

void PrinterTextLayout::NoteDrawn(int height) {
  if (!m_lineHasText || height > m_lineTextHeight) m_lineTextHeight = height;
  m_lineHasText = true;
}

void PrinterTextLayout::NewLine() {
  const bool hadText = m_lineHasText;
  const int height = hadText ? m_lineTextHeight + 2 : m_surface.CharHeight();
  m_x = 0;
  m_y += height;
  m_lineHasText = false;
  m_lineTextHeight = 0;
  const int limit = hadText ? m_surface.PageHeight() - 2 * height : m_surface.PageHeight();
  if (m_y > limit) NewPage();
}

void PrinterTextLayout::NewPage() {
  m_surface.NewPage();
  m_x = 0;
  m_y = 0;
  m_lineHasText = false;
  m_lineTextHeight = 0;
}
