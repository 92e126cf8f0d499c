#include "capture/ImageControl.h"

#include <windowsx.h>

#include <exception>

#include "ui/Gdi.h"
#include "ui/MessageBoxes.h"

namespace {

const char kImageClass[] = "TarviskImage";

struct ImageState {
  HBITMAP bitmap = nullptr;
  bool transparentWhite = false;
  bool crossCursor = false;
  std::function<void(int, int)> mouseUp;
};

ImageState* StateOf(HWND hwnd) {
  return reinterpret_cast<ImageState*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Paint(HWND hwnd, ImageState* state) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  if (!state->bitmap || state->transparentWhite) FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (state->bitmap) {
    BITMAP bm = {};
    GetObjectA(state->bitmap, sizeof bm, &bm);
    HDC mem = CreateCompatibleDC(dc);
    if (mem) {
      {
        ScopedSelectObject select(mem, state->bitmap);
        if (state->transparentWhite) {
          // A one-bit bitmap meets a colour surface through the text colour
          // (0 bits) and the background colour (1 bits): black AND the page
          // leaves black, white AND the page leaves the page.
          COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
          COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
          BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCAND);
          SetTextColor(dc, oldText);
          SetBkColor(dc, oldBack);
        } else {
          BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        }
      }
      DeleteDC(mem);
    }
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK ImageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ImageState* state = StateOf(hwnd);
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ImageState));
      break;
    case WM_NCDESTROY:
      delete state;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers the whole client area
    case WM_PAINT:
      if (state) {
        Paint(hwnd, state);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (state && state->crossCursor && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS)));
        return TRUE;
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (state && state->mouseUp) {
        // The handler may inspect and redraw at length; keep a copy in case
        // it replaces itself meanwhile.
        auto handler = state->mouseUp;
        // No exception may leave a window procedure: a failed command is
        // reported as any other.
        try {
          handler(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        } catch (const std::exception& e) {
          ShowErrorBox(GetAncestor(hwnd, GA_ROOT), e.what());
        } catch (...) {
          ShowErrorBox(GetAncestor(hwnd, GA_ROOT), "Internal error");
        }
        return 0;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CONTEXTMENU:
      // Panels hand their controls' reports on, as the sheets do.
      if (HWND parent = GetParent(hwnd)) return SendMessageA(parent, msg, wParam, lParam);
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void RegisterImageClass() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(GetModuleHandleA(nullptr), kImageClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ImageProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kImageClass;
  RegisterClassExA(&wc);
}

}  // namespace

HWND CreateImageControl(HWND parent, const ImageControlSpec& row) {
  RegisterImageClass();
  HWND h = CreateWindowExA(row.exStyle, kImageClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                           row.left, row.top, row.width, row.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                           GetModuleHandleA(nullptr), nullptr);
  if (h && StateOf(h)) StateOf(h)->crossCursor = row.crossCursor;
  return h;
}

void SetImageBitmap(HWND control, HBITMAP bitmap, bool transparentWhite) {
  ImageState* state = control ? StateOf(control) : nullptr;
  if (!state) return;
  state->bitmap = bitmap;
  state->transparentWhite = transparentWhite;
  InvalidateRect(control, nullptr, FALSE);
}

HBITMAP ImageBitmap(HWND control) {
  ImageState* state = control ? StateOf(control) : nullptr;
  return state ? state->bitmap : nullptr;
}

void SetImageMouseUp(HWND control, std::function<void(int, int)> handler) {
  ImageState* state = control ? StateOf(control) : nullptr;
  if (state) state->mouseUp = std::move(handler);
}
