#include "modify/MainWindowModifyHost.h"

#include "app/MainWindow.h"

HWND MainWindowModifyHost::Owner() const { return m_frm.Handle(); }
Hwnd MainWindowModifyHost::CurrentTarget() const { return m_frm.CurrentTarget; }
bool MainWindowModifyHost::Probing() const { return m_frm.Probing(); }
bool MainWindowModifyHost::ModifyFilling() const { return m_frm.ModifyFilling; }
void MainWindowModifyHost::SetModifyFilling(bool filling) { m_frm.ModifyFilling = filling; }
std::string MainWindowModifyHost::ProgramFolder() const { return m_frm.ProgramFolder; }
void MainWindowModifyHost::RefreshInformation() { m_frm.RefreshInformation(); }
