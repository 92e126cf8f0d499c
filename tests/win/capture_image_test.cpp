// The Graphics page's image leaving the page: the clipboard, BMP files, the
// overwrite question; and the capture bitmap's pixel formats.
#include "support/Files.h"
#include "capture_fixture_test.h"

#include <fstream>
#include <iterator>
#include <thread>

#include "capture/MonoImage.h"

using namespace capture_test;

namespace {

class FakePrompts : public GraphicsPrompts {
 public:
  std::string fileName;
  bool answerSave = true;
  bool answerOverwrite = false;
  std::vector<std::string> questions, errors;
  int fileDialogs = 0;

  bool AskSaveFileName(HWND, std::string& name) override {
    ++fileDialogs;
    name = fileName;
    return answerSave;
  }
  bool AskOverwrite(HWND, const std::string& question) override {
    questions.push_back(question);
    return answerOverwrite;
  }
  void ShowError(HWND, const std::string& text) override { errors.push_back(text); }
};

// The real overwrite question with a file dialog answered by the test.
class RealQuestion : public GraphicsPrompts {
 public:
  std::string fileName;
  bool AskSaveFileName(HWND, std::string& name) override {
    name = fileName;
    return true;
  }
};

BOOL CALLBACK FindDialog(HWND h, LPARAM p) {
  char cls[16] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(h)) return TRUE;
  *reinterpret_cast<HWND*>(p) = h;
  return FALSE;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string TempFolder() {
  char dir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, dir);
  std::string folder = std::string(dir) + "tarvisk_capture_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

class CaptureImageTest : public CaptureFixture {
 protected:
  void SetUp() override {
    CaptureFixture::SetUp();
    folder = TempFolder();
    path = folder + "\\capture.bmp";
    prompts.fileName = path;
    page.SetPrompts(&prompts);
    page.SetShowReticle(true);
    host.CaptureFor(pattern.Value());
  }
  void TearDown() override {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    // Nothing else may be left behind, temporary files included.
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    int left = 0;
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (fd.cFileName[0] != '.') ++left;
      } while (FindNextFileA(find, &fd));
      FindClose(find);
    }
    EXPECT_EQ(left, 0) << "files left in " << folder;
    RemoveDirectoryA(folder.c_str());
    CaptureFixture::TearDown();
  }
  // The pixels of a 24-bit BMP file against the image, row by row from the bottom.
  int FileMismatches(const std::string& file) {
    BmpHeader h = ReadBmpHeader(file);
    if (!h.valid || h.width != 120 || h.height != 120 || h.bitsPerPixel != 24) return -1;
    if (file.size() < h.dataOffset + 120u * 360) return -1;
    int bad = 0;
    for (int y = 0; y < 120; ++y) {
      const unsigned char* row =
          reinterpret_cast<const unsigned char*>(file.data()) + h.dataOffset + (119 - y) * 360;
      for (int x = 0; x < 120; ++x) {
        COLORREF c = RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
        if (c != page.ImagePixel(x, y)) ++bad;
      }
    }
    return bad;
  }

  FakePrompts prompts;
  std::string folder, path;
};

}  // namespace

TEST_F(CaptureImageTest, CopyPutsTheImageOnTheClipboardAsABitmap) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, nullptr);  // something to be emptied away
  CloseClipboard();
  SendMessageA(page.btnCopyImage(), BM_CLICK, 0, 0);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  std::vector<COLORREF> pixels = bitmap ? BitmapColors(bitmap, 120, 120) : std::vector<COLORREF>();
  EmptyClipboard();
  CloseClipboard();
  ASSERT_EQ(pixels.size(), 120u * 120u);
  int bad = 0;
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 120; ++x) bad += pixels[y * 120 + x] != page.ImagePixel(x, y);
  }
  EXPECT_EQ(bad, 0);
  // The reticle is part of the copied picture.
  EXPECT_EQ(pixels[52 * 120 + 60], PatternColor(kMarkX, kMarkY - 8) ^ 0x00FFFFFF);
  EXPECT_EQ(pixels[60 * 120 + 60], kMarkColor);
}

TEST_F(CaptureImageTest, SaveWritesTheImageAsABmpFile) {
  SendMessageA(page.btnSaveImage(), BM_CLICK, 0, 0);
  EXPECT_EQ(prompts.fileDialogs, 1);
  EXPECT_TRUE(prompts.questions.empty()) << "no question for a new file";
  EXPECT_TRUE(prompts.errors.empty());
  std::string file = FileContents(path);
  BmpHeader h = ReadBmpHeader(file);
  ASSERT_TRUE(h.valid);
  EXPECT_EQ(h.width, 120);
  EXPECT_EQ(h.height, 120);
  EXPECT_EQ(h.bitsPerPixel, 24);
  EXPECT_EQ(h.fileSize, file.size());
  EXPECT_EQ(FileMismatches(file), 0);
  // The platform reads it back as the same picture.
  HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(loaded, nullptr);
  std::vector<COLORREF> pixels = BitmapColors(loaded, 120, 120);
  DeleteObject(loaded);
  ASSERT_EQ(pixels.size(), 120u * 120u);
  EXPECT_EQ(pixels[60 * 120 + 60], kMarkColor);

  // Cancelling the dialog writes nothing.
  DeleteFileA(path.c_str());
  prompts.answerSave = false;
  page.btnSaveImageClick();
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CaptureImageTest, ExistingFileIsReplacedOnlyAfterYes) {
  WriteFile(path, "old contents");
  prompts.answerOverwrite = false;
  page.btnSaveImageClick();
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0], "File \"" + path + "\" already exists.\rOverwrite?");
  EXPECT_EQ(FileContents(path), "old contents");

  prompts.answerOverwrite = true;
  page.btnSaveImageClick();
  EXPECT_EQ(prompts.questions.size(), 2u);
  EXPECT_TRUE(prompts.errors.empty());
  EXPECT_EQ(FileMismatches(FileContents(path)), 0);
}

TEST_F(CaptureImageTest, FailedSaveIsReportedAndKeepsTheOldFile) {
  WriteFile(path, "old contents");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  prompts.answerOverwrite = true;
  page.btnSaveImageClick();
  ASSERT_EQ(prompts.errors.size(), 1u);
  EXPECT_NE(prompts.errors[0].find(path), std::string::npos) << prompts.errors[0];
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileContents(path), "old contents");

  // A folder that does not exist: an error, and no file anywhere.
  prompts.fileName = folder + "\\missing\\capture.bmp";
  page.btnSaveImageClick();
  EXPECT_EQ(prompts.errors.size(), 2u);
  EXPECT_EQ(GetFileAttributesA(prompts.fileName.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(CaptureImageTest, OverwriteQuestionIsAYesNoQuestionWithTheTitle) {
  WriteFile(path, "old contents");
  RealQuestion real;
  real.fileName = path;
  page.SetPrompts(&real);
  // The box is modal on this thread; another thread reads and answers it.
  struct Seen {
    std::string caption, text;
    bool yes = false, no = false, cancel = false, questionIcon = false;
  } seen;
  DWORD thread = GetCurrentThreadId();
  std::thread answer([&] {
    HWND box = nullptr;
    for (int i = 0; i < 500 && !box; ++i) {
      EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&box));
      if (!box) Sleep(10);
    }
    if (!box) return;
    char text[512] = {};
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's text control
    seen.text = text;
    seen.yes = GetDlgItem(box, IDYES) != nullptr;
    seen.no = GetDlgItem(box, IDNO) != nullptr;
    seen.cancel = GetDlgItem(box, IDCANCEL) != nullptr;
    HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x0440, STM_GETICON, 0, 0));
    seen.questionIcon = icon && icon == LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_QUESTION));
    PostMessageA(box, WM_COMMAND, IDNO, 0);
  });
  page.btnSaveImageClick();
  answer.join();
  EXPECT_EQ(seen.caption, "Tarvisk");
  EXPECT_EQ(seen.text, "File \"" + path + "\" already exists.\rOverwrite?");
  EXPECT_TRUE(seen.yes);
  EXPECT_TRUE(seen.no);
  EXPECT_FALSE(seen.cancel);
  EXPECT_TRUE(seen.questionIcon);
  EXPECT_EQ(FileContents(path), "old contents");
}

TEST(CaptureBitmap, PixelFormatFollowsTheScreenDepth) {
  HDC desktop = GetDC(GetDesktopWindow());
  for (int bits : {8, 16, 24, 32}) {
    HBITMAP b = CreateCaptureBitmap(desktop, bits, 60);
    ASSERT_NE(b, nullptr) << bits;
    EXPECT_EQ(BitmapBitsPerPixel(b), bits);
    EXPECT_EQ(BitmapWidth(b), 60);
    // A new side keeps the depth.
    b = ResizeCaptureBitmap(b, desktop, 24);
    EXPECT_EQ(BitmapBitsPerPixel(b), bits);
    EXPECT_EQ(BitmapWidth(b), 24);
    EXPECT_EQ(BitmapHeight(b), 24);
    DeleteObject(b);
  }
  // Any other depth: the screen device's own format, also after a resize.
  HBITMAP device = CreateCaptureBitmap(desktop, 4, 40);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(BitmapBitsPerPixel(device), GetDeviceCaps(desktop, BITSPIXEL));
  device = ResizeCaptureBitmap(device, desktop, 20);
  EXPECT_EQ(BitmapWidth(device), 20);
  EXPECT_EQ(BitmapBitsPerPixel(device), GetDeviceCaps(desktop, BITSPIXEL));
  DeleteObject(device);
  // The default reads the depth from the desktop.
  HBITMAP screen = CreateCaptureBitmap(desktop, 120);
  int depth = GetDeviceCaps(desktop, BITSPIXEL);
  if (depth == 8 || depth == 16 || depth == 24 || depth == 32) {
    EXPECT_EQ(BitmapBitsPerPixel(screen), depth);
  }
  DeleteObject(screen);
  ReleaseDC(GetDesktopWindow(), desktop);
}
