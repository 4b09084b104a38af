// CPageUsers: the property page that lists the users and groups assigned to a rule and lets
// the administrator add them through the user picker and remove them.
#pragma once

#include <set>
#include <string>

#include "module/snapin/mmc_property_page.h"
#include "platform/ui/image_list.h"

class CListCtrl;

// Edits a copy of its owner's user set; the owner reads the set back after the sheet applied.
// A minimum number of users may be required (0 for routes), which "&Remove" never breaks.
//
// Lifetime: owned by the route item or node whose sheet shows it; it may serve several sheets
// one after the other.
//
// Deriving: override the hooks — BeforeAdd (negative cancels the add), AcceptUser (non-zero
// refuses one picked user), AfterAdd — and, for other picker texts, set them with
// SetPickerTexts. Setup must run before the page is shown.
class CPageUsers : public CMMCPropertyPage {
 public:
  CPageUsers();
  ~CPageUsers() override;

  // Stores the component data and loads the three icons (user, group, other).
  virtual void Setup(CComponentData* component_data);
  virtual HRESULT BeforeAdd() { return S_OK; }
  virtual int AcceptUser(const std::wstring& /*identity*/, const std::wstring& /*object_type*/) {
    return 0;
  }
  virtual void AfterAdd() {}

  void SetDescription(std::wstring text) { description_ = std::move(text); }
  const std::wstring& description() const { return description_; }
  void SetUsers(std::set<std::wstring> users) { users_ = std::move(users); }
  const std::set<std::wstring>& users() const { return users_; }
  void SetMinimumUsers(DWORD minimum) { minimum_users_ = minimum; }
  DWORD minimum_users() const { return minimum_users_; }
  // 0: the route texts of the picker; 1: the coverpage texts (users only).
  void SetMode(int mode) { mode_ = mode; }
  // String ids that replace the picker's prompt and caption of the mode.
  void SetPickerTexts(UINT prompt_id, UINT caption_id);

 protected:
  BOOL OnInitDialog() override;
  const pw::ui::MessageMap* GetMessageMap() const override;

 private:
  struct Row {
    std::wstring identity;
    std::wstring name;
    int image = 0;
  };

  CListCtrl& List();
  Row Resolve(const std::wstring& identity) const;
  void Fill(std::vector<Row> rows);
  std::vector<Row> CurrentRows();
  void OnAdd();
  void OnRemove();

  std::wstring description_;
  std::set<std::wstring> users_;
  DWORD minimum_users_ = 0;
  int mode_ = 0;
  UINT prompt_id_ = 0;
  UINT caption_id_ = 0;
  CImageList images_;
  std::vector<Row> rows_;
};
