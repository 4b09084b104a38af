// The base behaviour of the node operations: leave the event to the console.
#include "module/snapin/delegation_base.h"

#include <mutex>
#include <unordered_set>

#include "module/snapin/image_strip.h"

namespace {

// Every node that exists in the process. Nodes live on the console thread; the lock is for
// the property sheet threads that may ask.
struct LiveNodes {
  std::mutex lock;
  std::unordered_set<const CDelegationBase*> nodes;
};

// An object of the module's own, so that unloading the module frees it; every node is gone by
// then, since the module unloads only when no object of it is left.
LiveNodes& Live() {
  static LiveNodes live;
  return live;
}

}  // namespace

CDelegationBase::CDelegationBase() {
  LiveNodes& live = Live();
  std::lock_guard guard(live.lock);
  live.nodes.insert(this);
}

CDelegationBase::CDelegationBase(CDelegationBase* owner) : CDelegationBase() { owner_ = owner; }

CDelegationBase::~CDelegationBase() {
  LiveNodes& live = Live();
  std::lock_guard guard(live.lock);
  live.nodes.erase(this);
}

bool CDelegationBase::IsLive(const CDelegationBase* node) {
  if (node == nullptr) return false;
  LiveNodes& live = Live();
  std::lock_guard guard(live.lock);
  return live.nodes.count(node) != 0;
}

HRESULT CDelegationBase::GetResultViewType(CComponent*, LPOLESTR*, LONG*) { return S_FALSE; }

HRESULT CDelegationBase::SetComponentData(CComponentData*) { return S_OK; }

HRESULT CDelegationBase::OnExpand(IConsoleNameSpace*, IConsole*, HSCOPEITEM, BOOL) {
  return S_FALSE;
}

HRESULT CDelegationBase::OnShow(CComponent*, IConsole*, CComponentData*, BOOL, HSCOPEITEM) {
  return S_FALSE;
}

HRESULT CDelegationBase::OnAddImages(IImageList* image_list, HSCOPEITEM) {
  return RegisterImageStrip(image_list);
}

HRESULT CDelegationBase::OnSelect(CComponent*, IConsole*, BOOL, BOOL) { return S_FALSE; }

HRESULT CDelegationBase::OnRename(CComponent*, const wchar_t*) { return S_FALSE; }

HRESULT CDelegationBase::OnRefresh(CComponent*, IConsole*) { return S_FALSE; }

HRESULT CDelegationBase::OnPropertyChange(CComponent*, IConsole*, CComponentData*) { return S_OK; }

HRESULT CDelegationBase::OnViewChange(CComponent*, IConsole*, LPARAM, LONG_PTR) { return S_FALSE; }

HRESULT CDelegationBase::OnAddMenuItems(IContextMenuCallback*, long*) { return S_FALSE; }

HRESULT CDelegationBase::OnMenuCommand(CComponent*, IConsole*, long) { return S_FALSE; }

HRESULT CDelegationBase::OnToolbarCommand(CComponent*, IConsole*, long) { return S_FALSE; }

HRESULT CDelegationBase::OnSetToolbar(CComponent*, IControlbar*, BOOL, BOOL) { return S_FALSE; }

HRESULT CDelegationBase::CreatePropertyPages(CComponent*, CComponentData*, IPropertySheetCallback*,
                                             LONG_PTR) {
  return S_FALSE;
}

HRESULT CDelegationBase::HasPropertySheets() { return S_FALSE; }

HRESULT CDelegationBase::GetWatermarks(HBITMAP*, HBITMAP*, HPALETTE*, BOOL*) { return E_NOTIMPL; }

HRESULT CDelegationBase::OnDelete(CComponent*, IConsole*, int) { return S_FALSE; }

HRESULT CDelegationBase::CompareResultItem(LPARAM, MMC_COOKIE, int*) { return S_FALSE; }

HRESULT CDelegationBase::FindItem(RESULTFINDINFO*, int*) { return E_NOTIMPL; }

HRESULT CDelegationBase::CacheHint(int, int) { return E_NOTIMPL; }

HRESULT CDelegationBase::SortItems(int, DWORD, LPARAM) { return E_NOTIMPL; }

int CDelegationBase::GetChildCount() { return 0; }

int CDelegationBase::IndexOfChild(CDelegationBase*) { return -1; }

void CDelegationBase::RemoveChildAt(int) {}

const wchar_t* CDelegationBase::DisplayText(int column) {
  display_text_ = GetDisplayName(column);
  return display_text_.c_str();
}
