#pragma once
// The Graphics page: a magnifier of the screen around the capture point, with
// rulers, a reticle, the pixel's colour and the point in screen, window and
// client coordinates; the image can be copied and saved.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "capture/GraphicsHost.h"
#include "ui/TabPage.h"

// Control identifiers of the page; a radio group's items follow its own id.
enum GraphicsControlId {
  IDC_LBLSCREEN = 900,
  IDC_EDTSCREEN = 901,
  IDC_LBLWINDOW = 902,
  IDC_EDTWINDOW = 903,
  IDC_LBLCLIENT = 904,
  IDC_EDTCLIENT = 905,
  IDC_LBLRED = 906,
  IDC_EDTRGB = 907,
  IDC_GRBSCREENSPY = 910,
  IDC_RGRZOOM = 920,  // items 921..926, "x1".."x6"
  IDC_CHBSHOWRETICLE = 930,
  IDC_BTNCOPYIMAGE = 931,
  IDC_BTNSAVEIMAGE = 932,
  IDC_PNLCAPTURECONTAINER = 940,
  IDC_LBLPIX = 941,
  IDC_IMGHRULE = 942,
  IDC_IMGVRULE = 943,
  IDC_PNLCAPTURE = 944,
  IDC_IMGCAPTURE = 945,
};

class GraphicsPage : public TabPage {
 public:
  explicit GraphicsPage(GraphicsHost& host);
  ~GraphicsPage() override;
  GraphicsPage(const GraphicsPage&) = delete;
  GraphicsPage& operator=(const GraphicsPage&) = delete;

  // The capture surface, the zoom and the reticle the settings hold.
  void Placed() override;
  void Rescaled() override;
  void LoadSettings(const SettingsValues& values) override;
  void StoreSettings(SettingsValues& values) const override;
  void SetProbing(bool probing) override;
  HWND btnCopyImage() const { return m_btnCopyImage; }
  HWND btnSaveImage() const { return m_btnSaveImage; }
  HWND imgCapture() const { return m_imgCapture; }
  // The capture surface: the desktop's context and the unmagnified square.
  HDC DesktopCanvas() const { return m_desktop; }
  HBITMAP CaptureBitmap() const { return m_capture; }

  // Replaces the clock and the prompts (tests); null restores the system's.
  void SetInputClock(const InputClock* clock) { m_clock = clock ? clock : &m_systemClock; }
  void SetPrompts(GraphicsPrompts* prompts) { m_prompts = prompts ? prompts : &m_systemPrompts; }

  // Zoom item index (-1 none, 0..5) and the reticle switch, as the settings
  // keep them. Setting a different index or state acts like the user's click.
  int ZoomIndex() const;
  void SetZoomIndex(int index);
  int ZoomFactor() const;
  bool ShowReticle() const;
  void SetShowReticle(bool show);

  // Puts the rulers and the image back at their unscaled pixel places, so
  // that the rulers' origin ticks meet the image's edges whatever scaling
  // the form's font brought.
  void ResetCaptureGeometry();

  // Refreshes the page for the current target (0 allowed) around the capture
  // point, and gives the readouts it now shows, the pixel's colour among them
  // only when it captured the screen now: the main window keeps them in the
  // reading. Nothing while the page is not made.
  std::optional<GraphicFacts> CaptureScreen();
  // The last call left the image as it was because input was recent. Only a
  // later call redraws it; where no further movement is reported (Wine sends
  // no location-change events) the caller can make one once input is quiet.
  bool RedrawPending() const { return m_redrawPending; }

  void rgrZoomClick();
  void chbShowReticleClick();
  void btnCopyImageClick();
  void btnSaveImageClick();
  // (x, y): the release point on the image, any button.
  void imgCaptureMouseUp(int x, int y);

  // A pixel of the magnified image, 0x00BBGGRR as GetPixel gives it.
  uint32_t ImagePixel(int x, int y) const;
  // The image as a 24-bit BMP file.
  std::string ImageBmpFile() const;

  bool OnCommand(int id, int code, HWND control) override;

 protected:
  // Builds every control of the page on its sheet, in its design state (zoom
  // x1, reticle on, the fields showing their names).
  void MakeControls() override;
  void Show() override;

 private:
  void ApplyCommands();
  void CreateZoomGroup();
  void LoadRulers(int zoom);
  // Captures the screen around the point into the image; `color` takes the
  // point's pixel when it could be read.
  bool RedrawImage(uint32_t& color);
  void DrawReticle(HDC image);
  GraphicFacts ShowReadouts(const uint32_t* color);
  void ShowPositions();
  void ShowColor();
  void SetField(int id, const std::string& text);

  GraphicsHost& m_host;
  InputClock m_systemClock;
  GraphicsPrompts m_systemPrompts;
  const InputClock* m_clock = &m_systemClock;
  GraphicsPrompts* m_prompts = &m_systemPrompts;

  // The desktop's device context, the source of every capture, and the
  // bitmap that receives the unmagnified square; made with the page.
  HDC m_desktop = nullptr;
  HBITMAP m_capture = nullptr;
  // The settings, held until the controls exist.
  int m_storedZoom = 0;
  bool m_storedReticle = true;
  bool m_probing = false, m_commandsGiven = false;
  HWND m_btnCopyImage = nullptr, m_btnSaveImage = nullptr;
  HWND m_imgHRule = nullptr, m_imgVRule = nullptr, m_pnlCapture = nullptr, m_imgCapture = nullptr;
  int m_zoomIndex = 0;  // the item the last zoom click was for
  bool m_redrawPending = false;
  GraphicFacts m_shown;  // the readouts the fields show

  HBITMAP m_hRule = nullptr, m_vRule = nullptr;
  // The picture of imgCapture: 120 x 120, 32 bits, top row first.
  HBITMAP m_image = nullptr;
  uint32_t* m_imageBits = nullptr;
};
