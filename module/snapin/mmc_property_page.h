// CMMCPropertyPage: the base of every property page of the snap-in, tying a page to the node
// whose sheet it belongs to.
#pragma once

#include <vector>

#include "module/snapin/delegation_base.h"
#include "platform/ui/property_page.h"

class CComponentData;

// A page tells its node about an applied change through the console (MMCPropertyChangeNotify
// with the node's notify handle), and frees that handle when its window goes, so that the
// node's handle is not 0 exactly while its sheet is open. The page's template and caption come
// from the snap-in's resources in the display language, whichever thread creates it.
//
// Lifetime: owned by the node (or dialog) that shows it; it must outlive the sheet's window.
//
// Deriving: set `modified_` and call SetModified when a control changes; write the values in
// your own OnApply and then call this OnApply. The creating node calls SetPropertyObject and,
// for a sheet of several pages, SetSiblings with the sheet's pages in order, so that only the
// last page with a window tells the node.
class CMMCPropertyPage : public CPropertyPage {
 public:
  // Without a template, for wizard-style use; Construct gives it one.
  CMMCPropertyPage();
  // `caption_id` 0: the tab shows the template's caption.
  explicit CMMCPropertyPage(UINT template_id, UINT caption_id = 0);
  ~CMMCPropertyPage() override;

  // Template and caption from the snap-in's resources.
  void ConstructPage(UINT template_id, UINT caption_id = 0);

  void SetComponentData(CComponentData* component_data) { component_data_ = component_data; }
  CComponentData* component_data() const { return component_data_; }
  // The node told on apply; null for a page tied to no node.
  void SetPropertyObject(IMMCPropertyObject* property_object) {
    property_object_ = property_object;
  }
  IMMCPropertyObject* property_object() const { return property_object_; }
  // The pages of the sheet in the order the sheet applies them; may include this page. The
  // node is told by this page only when no listed page after it (all listed pages, when this
  // one is not listed) still has its window.
  void SetSiblings(std::vector<CPropertyPage*> siblings) { siblings_ = std::move(siblings); }
  int sibling_count() const { return static_cast<int>(siblings_.size()); }
  BOOL is_modified() const { return modified_; }

  BOOL OnSetActive() override;
  BOOL OnApply() override;

 protected:
  BOOL OnInitDialog() override;
  void OnDestroy() override;

  // Applies the display language before the framework makes the page from its template.
  static UINT PageCallback(HWND window, UINT message, PROPSHEETPAGE* page_description);

  CComponentData* component_data_ = nullptr;
  IMMCPropertyObject* property_object_ = nullptr;
  // TRUE while the page has changes not yet applied.
  BOOL modified_ = FALSE;
  // Cleared with `modified_` when the page is initialised; derived pages decide its meaning.
  BOOL modified_extra_ = FALSE;
  std::vector<CPropertyPage*> siblings_;

 private:
  void InstallCallback();
  // Whether a later page of the sheet will tell the node.
  bool LaterSiblingHasWindow() const;
};
