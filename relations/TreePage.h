#pragma once
// The Tree page: the window tree kept as a model (relations/WinTree.h), shown in
// trvWindows a level at a time. Right after a build the control holds the root
// and the top-level windows; a node's children go in when it is expanded or
// when a selection has to reach below it. Searches run over the model.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "app/CommandStates.h"
#include "platform/Win32WindowSystem.h"
#include "relations/FindWindowDialog.h"
#include "relations/RelationsHost.h"
#include "relations/WinTree.h"
#include "ui/PageHandler.h"

class TreePage : public PageHandler {
 public:
  explicit TreePage(RelationsHost& host) : m_host(host) {}
  TreePage(const TreePage&) = delete;
  TreePage& operator=(const TreePage&) = delete;

  // Creates trvWindows and its four buttons on the sheet; the Find buttons
  // start disabled.
  void Create(HWND treeSheet);
  // Makes the Find Window dialog, hidden until the first Find.
  bool CreateFindWindowDialog(HWND owner) { return m_find.Create(owner); }
  TfrmFindWindow& FindDialog() { return m_find; }

  HWND trvWindows() const { return m_trv; }
  HWND btnParentTree() const { return m_btnParent; }
  HWND btnFindWindow() const { return m_btnFind; }
  HWND btnFindPrevWindow() const { return m_btnPrev; }
  HWND btnFindNextWindow() const { return m_btnNext; }

  // Discards every node and builds the tree anew from the desktop.
  void BuildWindowTree();
  // Its halves: the desktop is read now, the control is refilled (redrawing
  // held) when ShowPendingTree runs, which a hidden page gets when it shows.
  void GatherWindowTree();
  bool TreePending() const { return m_treePending; }
  void ShowPendingTree();
  // Selects the first node of `window`, expanding its ancestors and scrolling it
  // into view; clears the selection when the window has no node.
  void SelectTreeNode(Hwnd window);

  void btnParentTreeClick();
  void trvWindowsClick() { UpdateParentTreeButton(); }
  // "Pa&rent" after an inspection or a click: a node below the root is
  // selected and the program is not probing.
  void UpdateParentTreeButton();
  void btnFindWindowClick();
  void btnFindNextWindowClick(bool previous);
  // Detail on the Tree page: inspects the selected node's window and shows the
  // Window page. False when another page is active.
  bool eveDetail();
  void FillDetailSources(DetailSources& sources) const;

  const WindowTree& Tree() const { return m_tree; }
  // The model index of the selected node; -1 when none is selected.
  int SelectedNode() const;
  // Selects a node of the model (-1 clears the selection).
  void SelectNode(int node);
  // The control item of a node, null while the node is not in the control.
  HTREEITEM ItemOf(int node) const;

  void SetMessageBox(MessageBoxFn box);

  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(NMHDR* hdr, LRESULT& result) override;

 private:
  HTREEITEM InsertNode(int node, HTREEITEM parent);
  // Puts the node's children into the control, once.
  void Populate(int node);
  int NodeOfItem(HTREEITEM item) const;
  HWND Owner() const;
  void NotFound() const;

  RelationsHost& m_host;
  Win32WindowSystem m_ws;
  WindowTree m_tree;
  WindowTree m_pendingTree;
  bool m_treePending = false;
  std::vector<HTREEITEM> m_items;  // per node of the model
  std::vector<char> m_populated;   // per node: its children are in the control
  TfrmFindWindow m_find;
  MessageBoxFn m_box = DefaultMessageBox();
  HWND m_trv = nullptr, m_btnParent = nullptr, m_btnFind = nullptr, m_btnPrev = nullptr, m_btnNext = nullptr;
};
