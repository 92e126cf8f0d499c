#pragma once
// A picture control of the Graphics page: shows a bitmap at its top-left
// corner, either as it is or with its white ground left out (the rulers, whose
// black marks stand on the page's colour), and reports mouse-button releases.
// Without a bitmap it is a plain panel in the page's colour.
#include <windows.h>

#include <functional>

struct ImageControlSpec {
  int id;
  int left, top, width, height;
  DWORD exStyle = 0;
  bool crossCursor = false;
};

HWND CreateImageControl(HWND parent, const ImageControlSpec& row);
// The bitmap stays owned by the caller and must outlive its showing.
void SetImageBitmap(HWND control, HBITMAP bitmap, bool transparentWhite);
HBITMAP ImageBitmap(HWND control);
// Called with the release point in the control's client coordinates, for any button.
void SetImageMouseUp(HWND control, std::function<void(int x, int y)> handler);
