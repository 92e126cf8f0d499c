#include "app/SnapshotCommand.h"

#include <windows.h>

#include <commdlg.h>

#include <exception>
#include <string>

#include "app/MainWindow.h"
#include "platform/FileTexts.h"
#include "platform/OnDemandDlls.h"
#include "snapshot/DesktopSnapshot.h"
#include "ui/MessageBoxes.h"

namespace {

constexpr char kFilter[] = "Snapshot (*.json)\0*.json\0All files (*.*)\0*.*\0";

class SnapshotCommand : public FrameFeature {
 public:
  explicit SnapshotCommand(TfrmTarvisk& frm) : m_frm(frm) {}

  void AddMenuItems(HMENU menu) override {
    AppendMenuA(menu, MF_STRING, frame_ids::kSysSaveSnapshot, "Sa&ve snapshot...");
  }

  bool OnSysCommand(UINT id) override {
    if (id != frame_ids::kSysSaveSnapshot) return false;
    // A window procedure lets nothing escape: whatever fails is said.
    try {
      Save(GetKeyState(VK_SHIFT) < 0);
    } catch (const std::exception& e) {
      Ask(e.what(), MB_OK | MB_ICONERROR);
    }
    return true;
  }

 private:
  void Save(bool desktop) {
    Hwnd root = 0;
    if (!desktop) {
      const HWND target = ToHwnd(m_frm.CurrentTarget());
      const HWND top = IsWindow(target) ? GetAncestor(target, GA_ROOT) : nullptr;
      if (!top) {
        Ask("There is no target window; hold Shift to take the whole desktop.", MB_OK | MB_ICONINFORMATION);
        return;
      }
      root = FromHwnd(top);
    }
    std::string name = m_fileName.empty() ? kSnapshotFileName : m_fileName;
    if (!Choose(name)) return;
    m_fileName = name;
    if (GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES &&
        Ask(OverwriteQuestion(name), kOverwriteQuestionStyle) != IDYES) {
      return;
    }
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    std::string error;
    const bool saved = SaveSnapshotFile(m_frm.Inspected.Windows(), name, root, false, &error);
    SetCursor(previous);
    if (!saved) Ask(error, MB_OK | MB_ICONERROR);
  }

  // The main window's save dialog hook answers this dialog too in tests.
  bool Choose(std::string& name) {
    if (m_frm.SaveDialogHook) return m_frm.SaveDialogHook(name);
    char file[MAX_PATH] = {};
    lstrcpynA(file, name.c_str(), MAX_PATH);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_frm.Handle();
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = kSnapshotDialogTitle;
    ofn.lpstrDefExt = "json";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!SaveFileDialog(&ofn)) return false;
    name = file;
    return true;
  }

  int Ask(const std::string& text, unsigned style) {
    if (m_frm.MessageBoxHook) return m_frm.MessageBoxHook(text, style);
    return MessageBoxA(m_frm.Handle(), text.c_str(), kAppTitle, style);
  }

  TfrmTarvisk& m_frm;
  std::string m_fileName;
};

}  // namespace

std::unique_ptr<FrameFeature> MakeSnapshotCommand(TfrmTarvisk& frm) { return std::make_unique<SnapshotCommand>(frm); }
