#pragma once
// The Executable and Modules pages: the twelve fields that describe the target's
// executable and the list of the other modules loaded in its process.
#include <windows.h>

#include <array>
#include <string>

#include "exeinfo/ModuleList.h"
#include "ui/TabPage.h"

// Control ids 800-899. Other processes (the report, tests, the end-to-end
// driver) find the controls by these numbers, so they stay stable.
enum ExePageControlId {
  // Executable page fields, top to bottom in kExecutableRows order.
  IDC_EDTEXEPATH = 800,
  IDC_EDTEXENAME = 801,
  IDC_EDTORIGINALFILENAME = 802,
  IDC_EDTFILEDESCRIPTION = 803,
  IDC_EDTFILEVERSION = 804,
  IDC_EDTPRODUCTNAME = 805,
  IDC_EDTINTERNALNAME = 806,
  IDC_EDTLEGALCOPYRIGHT = 807,
  IDC_EDTLEGALTRADEMARKS = 808,
  IDC_EDTPRODUCTVERSION = 809,
  IDC_EDTCOMPANYNAME = 810,
  IDC_EDTCOMMENTS = 811,
  // Their labels: the label of field IDC_EDTEXEPATH + i is IDC_LBLEXEFIRST + i.
  IDC_LBLEXEFIRST = 820,
  IDC_LBLEXELAST = IDC_LBLEXEFIRST + kExecutableRowCount - 1,
  // Modules page
  IDC_LSVMODULES = 850,
};

// Field id of Executable page row `row` (0 to 11).
constexpr int ExecutableFieldId(int row) { return IDC_EDTEXEPATH + row; }

// Creates the labels and fields of the Executable page; the fields start empty.
void CreateExecutablePage(HWND sheet);
// Creates lsvModules with its columns "File" and "Path".
void CreateModulesPage(HWND sheet);

HWND ModulesList(HWND sheet);

// Column widths of lsvModules in pixels, "File" first; what the settings keep
// as ModulesColumns.
constexpr int kModulesColumnCount = 2;
using ModulesColumnWidths = std::array<int, kModulesColumnCount>;
ModulesColumnWidths GetModulesColumnWidths(HWND sheet);
void SetModulesColumnWidths(HWND sheet, const ModulesColumnWidths& widths);

// Fills both pages for one process: the twelve fields (cleared when nothing
// could tell the executable) and the list, emptied first and refilled with the
// rows in the order given.
void ShowProcessInfo(HWND exeSheet, HWND modulesSheet, const ProcessInfo& info);

// Fills the Executable page alone, from what is known of one executable.
void ShowExecutableInfo(HWND exeSheet, const ExecutableInfo& executable);
// The Modules list alone, refilled with its redrawing held.
void ShowModuleRows(HWND modulesSheet, const std::vector<ModuleRow>& modules);
// Reads path, name and version strings of one file into the Executable page.
void ShowExecutable(HWND exeSheet, const std::string& path);
// Adds one module row at its place in the "File" order (lstrcmpA); rows that
// compare equal keep the order they came in. Returns the row's index, -1 when
// the list refused it.
int AddModuleItem(HWND modulesSheet, const std::string& path);

// What the Executable and Modules pages show: the process part of the
// reading, read when a page first asks for it.
class ProcessPagesHost {
 public:
  virtual ~ProcessPagesHost() = default;
  virtual const ProcessInfo& Process() = 0;
  // Moves each time the process part is read anew: the windows of one
  // process share it, and the pages are written once for them all.
  virtual unsigned ProcessReads() const = 0;
};

// A page of the process part, written only when that part was read anew.
class ProcessPage : public TabPage {
 public:
  explicit ProcessPage(ProcessPagesHost& host) : m_host(host) {}

 protected:
  void Show() override {
    const ProcessInfo& process = m_host.Process();
    if (m_written && m_shownRead == m_host.ProcessReads()) return;
    m_written = true;
    m_shownRead = m_host.ProcessReads();
    ShowProcess(process);
  }
  virtual void ShowProcess(const ProcessInfo& process) = 0;

 private:
  ProcessPagesHost& m_host;
  bool m_written = false;
  unsigned m_shownRead = 0;
};

class ExecutablePage : public ProcessPage {
 public:
  using ProcessPage::ProcessPage;

 protected:
  void MakeControls() override { CreateExecutablePage(m_sheet); }
  void ShowProcess(const ProcessInfo& process) override { ShowExecutableInfo(m_sheet, process.executable); }
};

class ModulesPage : public ProcessPage {
 public:
  using ProcessPage::ProcessPage;
  void LoadSettings(const SettingsValues& values) override;
  void StoreSettings(SettingsValues& values) const override;

 protected:
  void MakeControls() override;
  void ShowProcess(const ProcessInfo& process) override { ShowModuleRows(m_sheet, process.modules); }

 private:
  ModulesColumnWidths m_widths = SettingsValues{}.columns.modules;
};
