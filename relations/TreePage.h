#pragma once
// The Tree page: the window tree kept as a model (relations/WinTree.h), shown in
// trvWindows a level at a time. Right after a build the control holds the root
// and the top-level windows; a node's children go in when it is expanded or
// when a selection has to reach below it. Searches run over the model.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "platform/Win32WindowSystem.h"
#include "relations/FindWindowDialog.h"
#include "relations/RelationsHost.h"
#include "relations/WinTree.h"
#include "ui/TabPage.h"

class TreePage : public TabPage {
 public:
  explicit TreePage(RelationsHost& host) : m_host(host) {}
  TreePage(const TreePage&) = delete;
  TreePage& operator=(const TreePage&) = delete;

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
  // Reading the whole desktop takes a while: a tree nobody looks at yet is
  // read when its page is next shown.
  void DeferRead() { m_readDeferred = true; Invalidate(); }
  // The window whose node the page selects when it is next shown.
  void SetTarget(Hwnd window) { m_target = window; Invalidate(); }
  void SetProbing(bool probing) override;
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
  // Detail: inspects the selected node's window and shows the Window page.
  bool DetailEnabled() const override;
  void Detail() override;

  const WindowTree& Tree() const { return m_tree; }
  // The model index of the selected node; -1 when none is selected.
  int SelectedNode() const;
  // Selects a node of the model (-1 clears the selection).
  void SelectNode(int node);
  // The control item of a node, null while the node is not in the control.
  HTREEITEM ItemOf(int node) const;

  void SetMessageBox(MessageBoxFn box);
  // The last accepted search was by text and text: Next and Previous repeat it.
  bool TextSearch() const { return m_textSearch; }

  bool OnCommand(int id, int code, HWND control) override;
  bool OnNotify(NMHDR* hdr, LRESULT& result) override;

 protected:
  // Makes the tree view and its four buttons on the sheet; the Find buttons
  // start disabled.
  void MakeControls() override;
  void Show() override;

 private:
  void ApplyCommands();
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
  bool m_readDeferred = false;
  Hwnd m_target = 0;
  bool m_probing = false, m_commandsGiven = false;
  bool m_textSearch = false;  // the last accepted search was by text: Next and Previous repeat it
  std::vector<HTREEITEM> m_items;  // per node of the model
  std::vector<char> m_populated;   // per node: its children are in the control
  TfrmFindWindow m_find;
  MessageBoxFn m_box = DefaultMessageBox();
  HWND m_trv = nullptr, m_btnParent = nullptr, m_btnFind = nullptr, m_btnPrev = nullptr, m_btnNext = nullptr;
};
