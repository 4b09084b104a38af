// Console: the console host proper — one snap-in instance, its scope tree, any number of views,
// the open property sheets, the column data and the console document — driving the snap-in
// in the order the management console does.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mmc/host/column_data.h"
#include "mmc/host/console_document.h"
#include "mmc/host/console_image_list.h"
#include "mmc/host/console_state.h"
#include "mmc/host/console_ui.h"
#include "mmc/host/scope_tree.h"
#include "mmc/host/sheet_tracker.h"
#include "mmc/host/snapin_registry.h"
#include "mmc/mmc.h"
#include "platform/com/com_ptr.h"

namespace pw::mmc {

class ScopeConsole;
class View;

enum class ClosePolicy {
  kAsk,      // a dirty snap-in makes the console ask whether to save
  kSave,     // save a dirty snap-in without asking
  kDiscard,  // close without saving
};

// What Close answers while property sheets are open: the console stays.
inline constexpr HRESULT kSheetsOpenResult = HRESULT_FROM_WIN32(170);
// What operations answer that the person cancelled.
inline constexpr HRESULT kCancelledResult = HRESULT_FROM_WIN32(1223);

// Lives on the console thread, which alone may call it. Every operation answers an HRESULT;
// a failed one leaves a sentence for the person that TakeError hands out once.
//
// Lifetime: made empty; AddSnapIn or OpenDocument start a snap-in; Close ends it (and the
// console is empty again). Destroying a console that still has a snap-in closes it without
// saving.
class Console {
 public:
  explicit Console(ConsoleUi& ui);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // The consoles living on the calling thread, oldest first.
  static const std::vector<Console*>& OnThisThread();

  // Start: the snap-in by class id (with its "add" wizard when it has one), or a document.
  HRESULT AddSnapIn(REFCLSID clsid);
  HRESULT OpenDocument(const std::string& path);
  HRESULT SaveDocument(const std::string& path);
  // Shutdown in the console's order; with kAsk and a dirty snap-in the console asks, and the
  // answer Cancel leaves everything as it was (S_FALSE). A document path of "" saves to the
  // document the console came from.
  HRESULT Close(ClosePolicy policy, const std::string& path = {});
  bool has_snapin() const { return static_cast<bool>(component_data_); }
  // S_OK when the snap-in has changes it has not saved.
  HRESULT IsDirty();

  HRESULT NewView(HSCOPEITEM root, int* view_id);
  HRESULT CloseView(int view_id);
  View* FindView(int view_id) const;
  const std::vector<std::unique_ptr<View>>& views() const { return views_; }
  View* active_view() const;
  void set_active_view(const View* view);

  ConsoleState State();

  std::weak_ptr<int> alive_token() const { return alive_; }

  std::wstring TakeError();
  // Sets the sentence for the current operation and answers `hr`.
  HRESULT Fail(HRESULT hr, std::wstring error);

  // For the console's objects and views.
  ConsoleUi& ui() { return ui_; }
  ScopeTree& tree() { return tree_; }
  IComponentData* component_data() const { return component_data_.Get(); }
  ScopeConsole* scope_console() const { return scope_console_.Get(); }
  ConsoleImageList* scope_images() const { return scope_images_.Get(); }
  ColumnDataStore& column_data() { return column_data_; }
  SheetTracker& sheets() { return sheets_; }
  HSCOPEITEM static_item() const { return static_item_; }
  bool in_expand() const { return expanding_ > 0; }

  // The name of a scope item, asking the snap-in for names by callback.
  std::wstring ScopeItemName(HSCOPEITEM id);
  // Sends the first MMCN_EXPAND of an item; later calls do nothing. `data_object` may be null
  // (the console then asks for one).
  HRESULT EnsureExpanded(HSCOPEITEM id, IDataObject* data_object = nullptr);
  // IComponentData::QueryDataObject for a scope item, null on failure.
  ComPtr<IDataObject> ScopeDataObject(HSCOPEITEM id, DATA_OBJECT_TYPES type = CCT_SCOPE);

  // IConsoleNameSpace, with what the views must see of it.
  HRESULT InsertScopeItem(SCOPEDATAITEM* item);
  HRESULT DeleteScopeItem(HSCOPEITEM id, bool delete_this);
  HRESULT SetScopeItem(SCOPEDATAITEM* item);

  HRESULT UpdateAllViews(IDataObject* data_object, LPARAM data, LONG_PTR hint);
  HRESULT MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result);

  // The snap-in objects a notify handle or a property sheet provider may name: the component
  // data or the component of a live view (compared by identity).
  bool IsSnapinObject(IUnknown* object) const;
  LONG_PTR CreateNotifyHandle(IUnknown* target, bool scope_item);

  // Runs `task` later on the console thread, unless the console is gone by then.
  void Defer(std::function<void(Console&)> task);

 private:
  HRESULT StartSnapIn(REFCLSID clsid, const ConsoleDocument* document);
  HRESULT RunAddWizard(const SnapInInfo& info);
  HRESULT InsertStaticNode();
  void ReleaseSnapIn();
  void DeliverPropertyChange(IUnknown* target, bool scope_item, LPARAM param);
  HRESULT WriteDocument(const std::string& path);
  void AppendTree(HSCOPEITEM id, ConsoleState* state);

  ConsoleUi& ui_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  std::wstring error_;
  CLSID snapin_clsid_ = GUID_NULL;
  std::wstring snapin_name_;
  ComPtr<IComponentData> component_data_;
  ComPtr<IUnknown> component_data_identity_;
  ComPtr<IPersistStream> persist_;
  ComPtr<ScopeConsole> scope_console_;
  ComPtr<ConsoleImageList> scope_images_;
  ScopeTree tree_;
  HSCOPEITEM static_item_ = 0;
  std::vector<std::unique_ptr<View>> views_;
  int next_view_id_ = 1;
  int active_view_id_ = 0;
  ColumnDataStore column_data_;
  SheetTracker sheets_;
  std::string document_path_;
  int expanding_ = 0;
};

}  // namespace pw::mmc
