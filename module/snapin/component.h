// CComponent: the snap-in's object of one console view. It dispatches result-side
// notifications to nodes, draws result rows (also of owner-data lists, whose rows are row
// numbers), keeps the view's toolbars and deletes several selected items at once.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "mmc/mmc.h"
#include "module/snapin/pwconfig_app.h"
#include "platform/com/com_ptr.h"
#include "platform/com/unknown.h"

class CComponentData;
class CDelegationBase;

// The owner-data lists a view can show; at most one is current.
enum class ListKind {
  kLicensedUsers,
  kAdministrators,
  kSmsUsers,
  kDtmfRoutes,
  kOcrPhrases,
  kCsidRoutes,
  kLineRoutes,
  kMsnRoutes,
  kCoverpages,
  kFrontCovernotes,
  kCallBlocking,
  kAutoPrint,
};
inline constexpr std::size_t kListKindCount = 12;

// What the container of an owner-data list answers for a row number: the node shown there,
// or null outside the list. Containers implement it next to CDelegationBase.
class IOwnerDataRows {
 public:
  virtual CDelegationBase* NodeAtRow(int row) = 0;

 protected:
  ~IOwnerDataRows() = default;
};

// Created by CComponentData::CreateComponent, initialised once by the console, destroyed by
// Destroy and the final Release. The list kind follows what the view shows: the container
// sets it in its OnShow and clears it when hidden. Toolbars live from SetControlbar with a
// control bar to SetControlbar with null.
class CComponent final
    : public pw::ComObject<IComponent, IExtendContextMenu, IExtendControlbar, IExtendPropertySheet2,
                           IResultDataCompare, IResultOwnerData> {
 public:
  explicit CComponent(CComponentData* component_data);

  // IComponent
  HRESULT Initialize(IConsole* console) override;
  HRESULT Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                 LPARAM param) override;
  HRESULT Destroy(MMC_COOKIE cookie) override;
  HRESULT QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                          IDataObject** data_object) override;
  HRESULT GetResultViewType(MMC_COOKIE cookie, LPOLESTR* view_type, LONG* view_options) override;
  HRESULT GetDisplayInfo(RESULTDATAITEM* item) override;
  HRESULT CompareObjects(IDataObject* a, IDataObject* b) override;

  // IExtendContextMenu
  HRESULT AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                       LONG* insertion_allowed) override;
  HRESULT Command(LONG command_id, IDataObject* data_object) override;

  // IExtendControlbar
  HRESULT SetControlbar(IControlbar* controlbar) override;
  HRESULT ControlbarNotify(MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) override;

  // IExtendPropertySheet2
  HRESULT CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                              IDataObject* data_object) override;
  HRESULT QueryPagesFor(IDataObject* data_object) override;
  HRESULT GetWatermarks(IDataObject* data_object, HBITMAP* watermark, HBITMAP* header,
                        HPALETTE* palette, BOOL* stretch) override;

  // IResultDataCompare
  HRESULT Compare(LPARAM user_param, MMC_COOKIE cookie_a, MMC_COOKIE cookie_b,
                  int* result) override;

  // IResultOwnerData: forwarded to the current list's container.
  HRESULT FindItem(RESULTFINDINFO* find_info, int* found_index) override;
  HRESULT CacheHint(int start, int end) override;
  HRESULT SortItems(int column, DWORD sort_options, LPARAM user_param) override;

  // The container of the owner-data list the view shows makes it current while shown.
  void SetListKind(ListKind kind, CDelegationBase* container, IOwnerDataRows* rows);
  // Clears `kind` when it is the current one.
  void ClearListKind(ListKind kind);
  bool IsListKind(ListKind kind) const { return current_ && *current_ == kind; }
  bool has_list_kind() const { return current_.has_value(); }

  // The view's toolbar of a list kind (null without a control bar); its container attaches
  // it and adds its buttons in OnSetToolbar.
  IToolbar* toolbar(ListKind kind) const { return toolbars_[static_cast<std::size_t>(kind)].Get(); }
  // One button of a list's toolbar: its image in the strip, text and tooltip (string ids, 0
  // for none) and whether it can be pressed.
  struct ListButton {
    long command;
    int bitmap;
    UINT text;
    UINT tooltip;
    bool enabled;
  };
  // Gives the toolbar of `kind` exactly these buttons and attaches it. The view keeps one
  // toolbar per list kind between selections, so its buttons are made afresh each time (their
  // state may have changed). S_OK without a toolbar.
  HRESULT ShowListButtons(ListKind kind, IControlbar* controlbar,
                          const std::vector<ListButton>& buttons);
  IControlbar* controlbar() const { return controlbar_.Get(); }
  IConsole2* console() const { return console_.Get(); }
  CComponentData* component_data() const { return component_data_.Get(); }
  // 1 for a console older than 1.2, 2 for 1.2 or later, 0 before Initialize.
  int console_version() const { return console_version_; }

 private:
  ~CComponent() override;

  // The node at a row of the current owner-data list; null outside it or with none.
  CDelegationBase* RowNode(int row) const;
  // The node of a single-item data object; null for special, foreign and multiple ones.
  CDelegationBase* NodeOf(IDataObject* data_object) const;
  IConsole* ComponentDataConsole() const;
  void DetachToolbars();
  HRESULT MultipleSelect(IDataObject* data_object);
  HRESULT MultipleDelete(IDataObject* data_object);
  int ShowMessage(UINT text_id, UINT style) const;

  ModuleObjectCount object_count_;
  pw::ComPtr<IColumnData> column_data_;
  pw::ComPtr<IControlbar> controlbar_;
  std::wstring title_;
  int console_version_ = 0;
  pw::ComPtr<CComponentData> component_data_;
  std::optional<ListKind> current_;
  CDelegationBase* list_container_ = nullptr;
  IOwnerDataRows* list_rows_ = nullptr;
  std::array<pw::ComPtr<IToolbar>, kListKindCount> toolbars_;
  pw::ComPtr<IConsole2> console_;
};
