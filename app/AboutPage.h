#pragma once
// The About page: the program's name, version and notice, and the buttons
// that open the maker's pages and the license.
#include "ui/Form.h"
#include "ui/TabPage.h"

class AboutPage : public TabPage {
 public:
  // The name is drawn in a font of its own, which the form's fonts keep.
  explicit AboutPage(FormFonts& fonts) : m_fonts(fonts) {}
  // The sheet's width at design scale: the page is laid out at it and scaled
  // with the rest of the form.
  void SetDesignWidth(int width) { m_designWidth = width; }
  bool OnCommand(int id, int code, HWND control) override;

 protected:
  void MakeControls() override;

 private:
  FormFonts& m_fonts;
  int m_designWidth = 428;
};
