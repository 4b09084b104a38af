// CDelegationBase: the base of every item the console shows, in the scope tree or in a result
// list. The console-facing objects never look inside a node; they find the node a data object or
// cookie names and call one of the operations below.
#pragma once

#include <string>

#include "mmc/mmc.h"
#include "platform/com/guid.h"

class CComponent;
class CComponentData;

// What a property page needs of the node whose sheet it belongs to.
class IMMCPropertyObject {
 public:
  // The notify handle the console passed to CreatePropertyPages; 0 while no sheet is open.
  virtual LONG_PTR GetNotifyHandle() = 0;
  virtual void ClearNotifyHandle() = 0;
  // The value a page passes to MMCPropertyChangeNotify; it comes back as the notification's
  // parameter and names the node again.
  virtual LPARAM GetNotifyParam() = 0;

 protected:
  ~IMMCPropertyObject() = default;
};

// A node's cookie is its own address. Lifetime: a node lives as long as its owner keeps it;
// owners (the root, containers, list nodes) own their children and destroy them. Nodes keep no
// console interface between calls: every operation receives what it needs.
//
// Deriving: answer GetDisplayName, GetBitmapIndex and GetNodeType; override the operations the
// node handles and answer S_FALSE (the base) from those it leaves to the console. A node that
// creates property pages stores the console's handle in `notify_handle_`. Result-item nodes
// override OnAddImages with one that does nothing and answers S_OK.
class CDelegationBase : public IMMCPropertyObject {
 public:
  CDelegationBase();
  explicit CDelegationBase(CDelegationBase* owner);
  CDelegationBase(const CDelegationBase&) = delete;
  CDelegationBase& operator=(const CDelegationBase&) = delete;

  LONG_PTR GetNotifyHandle() override { return notify_handle_; }
  void ClearNotifyHandle() override { notify_handle_ = 0; }
  LPARAM GetNotifyParam() override { return reinterpret_cast<LPARAM>(this); }

  virtual ~CDelegationBase();

  // Whether `node` names a node that still exists. The console may hand back a data object, or
  // a property page its notify parameter, after the node it names was deleted (a deselection
  // that follows the delete, a sheet applied after a refresh); such a node must not be called.
  static bool IsLive(const CDelegationBase* node);

  // Column 0 is the name, column 1 the description.
  virtual std::wstring GetDisplayName(int column) = 0;
  virtual GUID GetNodeType() { return GUID_NULL; }
  virtual MMC_COOKIE GetCookie() { return reinterpret_cast<MMC_COOKIE>(this); }
  // A position in the image strip; for_result_pane is FALSE from the scope side.
  virtual int GetBitmapIndex(BOOL for_result_pane) = 0;
  // S_FALSE: the standard list view.
  virtual HRESULT GetResultViewType(CComponent* component, LPOLESTR* view_type, LONG* options);
  // Containers store the component data and pass it on to every child.
  virtual HRESULT SetComponentData(CComponentData* component_data);

  virtual HRESULT OnExpand(IConsoleNameSpace* name_space, IConsole* console, HSCOPEITEM parent,
                           BOOL expanding);
  virtual HRESULT OnShow(CComponent* component, IConsole* console, CComponentData* component_data,
                         BOOL show, HSCOPEITEM item);
  // Registers the whole image strip.
  virtual HRESULT OnAddImages(IImageList* image_list, HSCOPEITEM item);
  virtual HRESULT OnSelect(CComponent* component, IConsole* console, BOOL scope, BOOL select);
  virtual HRESULT OnRename(CComponent* component, const wchar_t* new_name);
  virtual HRESULT OnRefresh(CComponent* component, IConsole* console);
  // `component` is null when the component data dispatches. Answers S_OK.
  virtual HRESULT OnPropertyChange(CComponent* component, IConsole* console,
                                   CComponentData* component_data);
  virtual HRESULT OnViewChange(CComponent* component, IConsole* console, LPARAM data,
                               LONG_PTR hint);
  virtual HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed);
  // `component` is null when the command comes through the component data.
  virtual HRESULT OnMenuCommand(CComponent* component, IConsole* console, long command);
  virtual HRESULT OnToolbarCommand(CComponent* component, IConsole* console, long command);
  virtual HRESULT OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL scope,
                               BOOL select);
  // `component` is null when the component data asks.
  virtual HRESULT CreatePropertyPages(CComponent* component, CComponentData* component_data,
                                      IPropertySheetCallback* callback, LONG_PTR handle);
  // S_OK when the node has pages.
  virtual HRESULT HasPropertySheets();
  virtual HRESULT GetWatermarks(HBITMAP* watermark, HBITMAP* header, HPALETTE* palette,
                                BOOL* stretch);
  // `flag` is 0 when the console asks, 1 within a multiple delete. Within a multiple delete the
  // answer may also be 1 (kept: its sheet is open), 2 (kept: the last user of a protected list)
  // or 3 (kept: the last group of one).
  virtual HRESULT OnDelete(CComponent* component, IConsole* console, int flag);
  // `result` holds the column on entry and the comparison on return.
  virtual HRESULT CompareResultItem(LPARAM user_param, MMC_COOKIE other, int* result);

  // Owner-data lists: answered by the list containers only.
  virtual HRESULT FindItem(RESULTFINDINFO* find_info, int* found_index);
  virtual HRESULT CacheHint(int first, int last);
  virtual HRESULT SortItems(int column, DWORD options, LPARAM user_param);

  // The number the console's expand marker shows; 0 inserts the node without a "+".
  virtual int GetChildCount();
  // The position of `child` among the node's children, or -1.
  virtual int IndexOfChild(CDelegationBase* child);
  // List containers destroy the child at `position` and close the gap.
  virtual void RemoveChildAt(int position);

  CDelegationBase* owner() const { return owner_; }
  HSCOPEITEM scope_item() const { return scope_item_; }
  // Written by the parent right after it inserted the node.
  void set_scope_item(HSCOPEITEM item) { scope_item_ = item; }

  // A copy of GetDisplayName(column) that stays valid until the next call: the console keeps
  // the pointer it is given for a display request and frees nothing.
  const wchar_t* DisplayText(int column);

 protected:
  LONG_PTR notify_handle_ = 0;
  BYTE open_ = 0;

 private:
  CDelegationBase* owner_ = nullptr;
  HSCOPEITEM scope_item_ = 0;
  std::wstring display_text_;
};

// Cookies -10 to -1 are the console's own values, never nodes.
inline constexpr MMC_COOKIE kMultiSelectCookie = -2;
inline bool IsSpecialCookie(MMC_COOKIE cookie) { return cookie >= -10 && cookie <= -1; }
