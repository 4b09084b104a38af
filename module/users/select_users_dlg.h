// CSelectUsersDlg: the picker that offers the registered fax users for any other user list.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "module/users/name_lookup_info.h"
#include "platform/ui/dialog.h"
#include "platform/ui/image_list.h"

class CComponentData;
class CListCtrl;

// Offers the members of "faxusers" that the caller's list does not have yet (upper list) and
// hands back what the administrator moved to the lower list. Lives on the caller's stack for
// one pick; the records it hands back are its own copies.
//
// Use: construct, set caption, prompt and users-only flag, fill the exclusion set, DoModal; on
// IDOK read GetSelectedCount records with GetSelectedAt (each resolved).
class CSelectUsersDlg : public CDialog {
 public:
  explicit CSelectUsersDlg(CComponentData* component_data, CWnd* parent = nullptr);
  ~CSelectUsersDlg() override;

  void SetCaption(const std::wstring& caption) { caption_ = caption; }
  void SetPrompt(const std::wstring& prompt) { prompt_ = prompt; }
  // Only the "no more users" messages depend on it.
  void SetUsersOnly(bool users_only) { users_only_ = users_only; }
  // Identities the caller's list already has; they are not offered.
  std::set<std::wstring>& exclusion_set() { return excluded_; }
  void Exclude(const std::wstring& identity) { excluded_.insert(identity); }

  int GetSelectedCount() const { return static_cast<int>(chosen_.size()); }
  // The chosen records in the order of the lower list.
  const CNameLookupInfo& GetSelectedAt(int index) const;
  bool initialized() const { return initialized_; }

  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  INT_PTR DoModal() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  struct SortState {
    int column = -1;
    bool descending = false;
  };
  // Where a control sat at initialisation, for resizing.
  struct Anchor {
    UINT id;
    RECT rect;
  };

  std::vector<CNameLookupInfo>& RecordsOf(UINT list_id);
  CListCtrl* List(UINT list_id);
  // The text of `column` as both lists show it.
  std::wstring ColumnText(CNameLookupInfo& record, int column);
  int ImageOf(const CNameLookupInfo& record) const;
  void ResolveRange(std::vector<CNameLookupInfo>& records, int first, int last);
  void UpdateButtons();
  void Move(UINT from_id, UINT to_id);
  void SortList(UINT list_id, int column);
  void Layout(int width, int height);

  void OnGetDispInfo(UINT list_id, NMHDR* header);
  void OnCacheHint(UINT list_id, NMHDR* header);
  LRESULT OnFindItem(UINT list_id, NMHDR* header);
  void OnAvailableDispInfo(NMHDR* header, LRESULT* result);
  void OnChosenDispInfo(NMHDR* header, LRESULT* result);
  void OnAvailableCacheHint(NMHDR* header, LRESULT* result);
  void OnChosenCacheHint(NMHDR* header, LRESULT* result);
  void OnAvailableFindItem(NMHDR* header, LRESULT* result);
  void OnChosenFindItem(NMHDR* header, LRESULT* result);
  void OnAvailableColumnClick(NMHDR* header, LRESULT* result);
  void OnChosenColumnClick(NMHDR* header, LRESULT* result);
  void OnItemChanged(NMHDR* header, LRESULT* result);
  void OnAvailableDoubleClick(NMHDR* header, LRESULT* result);
  void OnChosenDoubleClick(NMHDR* header, LRESULT* result);
  void OnAdd();
  void OnRemove();
  LRESULT OnContextMenu(WPARAM w_param, LPARAM l_param);
  LRESULT OnSize(WPARAM w_param, LPARAM l_param);
  LRESULT OnGetMinMaxInfo(WPARAM w_param, LPARAM l_param);

  std::wstring caption_;
  std::wstring prompt_;
  bool users_only_ = false;
  bool initialized_ = false;
  CComponentData* component_data_;
  SortState available_sort_;
  SortState chosen_sort_;
  CImageList images_;
  // The store's failure during initialisation, raised again by DoModal.
  HRESULT init_error_ = S_OK;
  std::vector<Anchor> anchors_;
  SIZE initial_size_{};
  std::vector<CNameLookupInfo> available_;
  std::vector<CNameLookupInfo> chosen_;
  std::set<std::wstring> excluded_;
};
