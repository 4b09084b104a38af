// CRoutesOCR: the "OCR" search phrase list under "Routing", with the server-wide OCR settings.
#pragma once

#include <memory>
#include <string>

#include "module/routing/page_ocr_global.h"
#include "module/routing/routing_delegation_base.h"
#include "module/snapin/node_texts.h"

// Lists the search phrases that route a fax by its recognised text. It is a list only while
// the server's OCR engine is installed: the engine is looked for each time the console asks
// for the result view, and without it the view is a message that tells where to get it, with
// no "New..." command. Its own sheet, the OCR settings, is there either way.
//
// Lifetime: made by its parent with the static tree and destroyed with it; its settings page
// is embedded.
class CRoutesOCR final : public CRoutingDelegationBase {
 public:
  // The context menu command and the toolbar button of "New...".
  static constexpr long kNewCommand = 1;
  static constexpr long kNewButton = 32777;
  // The server's bits of "IPW_Flags" that the settings page owns.
  static constexpr LONG kRouteByNamesFlag = 0x20;
  static constexpr LONG kAttachTextFlag = 0x10;
  static constexpr LONG kAppendTextFlag = 0x2000;

  explicit CRoutesOCR(CDelegationBase* owner);
  ~CRoutesOCR() override;

  std::wstring GetDisplayName(int column) override;
  GUID GetNodeType() override;
  int GetBitmapIndex(BOOL for_result_pane) override;
  HRESULT GetResultViewType(CComponent* component, LPOLESTR* view_type, LONG* options) override;
  HRESULT OnShow(CComponent* component, IConsole* console, CComponentData* component_data,
                 BOOL show, HSCOPEITEM item) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertion_allowed) override;
  HRESULT OnMenuCommand(CComponent* component, IConsole* console, long command) override;
  HRESULT OnSetToolbar(CComponent* component, IControlbar* controlbar, BOOL scope,
                       BOOL select) override;
  HRESULT OnToolbarCommand(CComponent* component, IConsole* console, long command) override;
  HRESULT HasPropertySheets() override { return S_OK; }
  HRESULT CreatePropertyPages(CComponent* component, CComponentData* component_data,
                              IPropertySheetCallback* callback, LONG_PTR handle) override;
  HRESULT OnPropertyChange(CComponent* component, IConsole* console,
                           CComponentData* component_data) override;

  std::unique_ptr<CRouteNode> CreateRuleNode(const std::wstring& display, const std::wstring& value,
                                             IArdentRulePtr rule) override;
  std::wstring GetValueColumnTitle() override;
  HRESULT UpdateDescriptionBar(IConsole* console) override;

  // The engine file as this console reaches it: below the installation folder of a local
  // server, below the server's share otherwise. Empty while no server is known.
  std::wstring EnginePath() const;
  // As found by the last result view request.
  bool engine_present() const { return engine_present_; }
  const OcrSettings& settings() const { return settings_; }

 private:
  bool FindEngine() const;
  HRESULT FillEngineMessage(CComponent* component);
  HRESULT OnNewPhrase(CComponent* component, IConsole* console);

  pw::NodeTexts texts_;
  bool engine_present_ = false;
  OcrSettings settings_;
  CPageOCRGlobal page_global_;
};
