// CRouteNode and CRouteNodeEx: the result item of one stored rule of a rule list, with its
// users, its property sheet, rename and delete.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "installation/interfaces/ardent_db.h"
#include "module/snapin/delegation_base.h"

class CPageRuleValue;
class CPageUsers;
class CPropertyPage;
class CPropRoutePrint;
class CRoutingDelegationBase;

// The texts by which one kind of route item differs (string ids): the refusals while its sheet
// is open, the duplicate and empty value messages, and its users page's description.
struct RouteItemTexts {
  UINT delete_sheet_open;
  UINT delete_multi_sheet;  // a multi-selection sheet shows the item
  UINT rename_sheet_open;
  UINT duplicate;
  UINT empty_value;
  UINT users_text;
};

// Holds the rule object, its value and display texts and the set of assigned user identities;
// shows the value and the names of (at most 10 of) its users; writes its property sheet's
// changes back to the store after re-reading the rule by "ObjectID", so that an entry another
// session deleted is noticed.
//
// Lifetime: made and owned by its list (refresh or "New..."), attached with SetComponentData,
// destroyed by the list when its rule goes. Its pages are made on the first property sheet and
// kept; while a sheet is open the notify handle is non-zero.
//
// Deriving: pass the kind's texts, answer the per-type checks and flags, GetNodeType and
// GetBitmapIndex; add type pages in AddTypePages and write their fields in SaveTypeFields.
class CRouteNode : public CDelegationBase {
 public:
  // `rule` null: a new entry whose rule the attach step creates.
  // `texts` outlives the item (a constant of the item's kind).
  CRouteNode(CRoutingDelegationBase* list, std::wstring rule_type, std::wstring display,
             std::wstring value, IArdentRulePtr rule, const RouteItemTexts& texts);
  ~CRouteNode() override;

  std::wstring GetDisplayName(int column) override;
  HRESULT GetResultViewType(CComponent* component, LPOLESTR* view_type, LONG* options) override;
  // The attach step: a new entry's rule is created and saved, an existing one's texts and
  // users are read.
  HRESULT SetComponentData(CComponentData* component_data) override;
  HRESULT OnAddImages(IImageList* image_list, HSCOPEITEM item) override;
  HRESULT OnSelect(CComponent* component, IConsole* console, BOOL scope, BOOL select) override;
  HRESULT OnRename(CComponent* component, const wchar_t* new_name) override;
  // Refreshes the owning list: the verb is enabled on items too.
  HRESULT OnRefresh(CComponent* component, IConsole* console) override;
  HRESULT OnPropertyChange(CComponent* component, IConsole* console,
                           CComponentData* component_data) override;
  HRESULT OnViewChange(CComponent* component, IConsole* console, LPARAM data,
                       LONG_PTR hint) override;
  HRESULT CreatePropertyPages(CComponent* component, CComponentData* component_data,
                              IPropertySheetCallback* callback, LONG_PTR handle) override;
  HRESULT HasPropertySheets() override { return S_OK; }
  HRESULT OnDelete(CComponent* component, IConsole* console, int flag) override;
  HRESULT CompareResultItem(LPARAM user_param, MMC_COOKIE other, int* result) override;
  // The order of the lists' texts: negative, 0 or positive, letters compared in lower case.
  static int CompareTexts(const std::wstring& a, const std::wstring& b);

  const RouteItemTexts& texts() const { return texts_; }

  // Accepts or rejects a renamed value, reporting a rejection itself.
  virtual bool ValidateValue(IConsole* console, const std::wstring& value);
  virtual bool CanRename() { return true; }
  virtual bool RenamesDisplayOnly() { return false; }
  virtual bool UppercasesValue() { return false; }
  // Writes the type pages' fields into `rule` before it is saved.
  virtual void SaveTypeFields(IArdentRule& rule);

  // For the list's refresh: the fresh rule object, whose users replace the item's.
  void SetRule(IArdentRulePtr rule);
  // Column 1: the names of the first 10 users ordered exactly, ",..." when there are more.
  const std::wstring& UsersText();
  void BuildUsersText();
  std::size_t user_count() const { return users_.size(); }
  const std::set<std::wstring>& users() const { return users_; }
  const std::wstring& display_text() const { return display_; }
  const std::wstring& value_text() const { return value_; }
  // Empty while the rule is not stored.
  std::wstring object_id() const;
  CRoutingDelegationBase* list() const { return list_; }
  CPageUsers* users_page() const { return page_users_.get(); }

 protected:
  // After the users page: concrete items set its text, add their type page and the
  // auto-print page. `pages` collects the sheet's pages in order.
  virtual HRESULT AddTypePages(IPropertySheetCallback* callback,
                               std::vector<CPropertyPage*>* pages);
  // Fields written on apply after SaveTypeFields (the auto-print fields of CRouteNodeEx).
  virtual void SaveExtraFields(IArdentRule& rule);
  // For items whose value is typed on a page of their own: the users page gets its text, then
  // `page` follows it with the current value.
  HRESULT AddValuePage(IPropertySheetCallback* callback, std::vector<CPropertyPage*>* pages,
                       CPageRuleValue& page);
  // Writes the value `page` accepted as both value and display text.
  void SaveValuePageFields(IArdentRule& rule, const CPageRuleValue& page);
  // Adds `page` to the console's sheet; E_UNEXPECTED when it cannot.
  static HRESULT AddPage(IPropertySheetCallback* callback, CPropertyPage& page);

  // The stored rule by "ObjectID"; when another session deleted it, asks whether to create it
  // again: yes stores a new rule with `value`, `display` and the users (and the type fields
  // when `with_type_fields`) and answers it; no refreshes the list and answers null.
  IArdentRulePtr FetchRule(CComponent* component, IConsole* console, const std::wstring& value,
                           const std::wstring& display, bool with_type_fields);
  void ReloadUsers(IArdentRule& rule);
  int ShowMessage(IConsole* console, UINT text_id, UINT style);

  const RouteItemTexts& texts_;
  CComponentData* component_data_ = nullptr;
  std::unique_ptr<CPageUsers> page_users_;
  std::set<std::wstring> users_;
  std::wstring display_;
  std::wstring users_text_;
  bool users_text_built_ = false;
  std::wstring rule_type_;
  std::wstring value_;
  BYTE users_page_flag_ = 1;
  pw::ComPtr<IArdentRULEDB> rules_;
  IArdentRulePtr rule_;

 private:
  CRoutingDelegationBase* list_;
};

// A route item with the per-rule auto-printing page ("Printers"), whose choice it writes into
// "ObjectFlags" bit 0x100 and "AP_Assign" on apply.
//
// Deriving: add the page last in AddTypePages with AddPrintPage. The page is made with the
// item's first sheet: a list may hold a hundred thousand items that never show one.
class CRouteNodeEx : public CRouteNode {
 public:
  CRouteNodeEx(CRoutingDelegationBase* list, std::wstring rule_type, std::wstring display,
               std::wstring value, IArdentRulePtr rule, const RouteItemTexts& texts);
  ~CRouteNodeEx() override;

 protected:
  HRESULT AddPrintPage(IPropertySheetCallback* callback, std::vector<CPropertyPage*>* pages);
  void SaveExtraFields(IArdentRule& rule) override;

  std::unique_ptr<CPropRoutePrint> print_page_;
};

// Bit of "ObjectFlags" that switches automatic printing on for a routing rule.
inline constexpr LONG kAutoPrintFlag = 0x100;
