// The ConsoleUi of the window model: message boxes and property sheets of platform/ui.
#include <map>

#include "mmc/host/console_ui.h"
#include "platform/ui/message_box.h"
#include "platform/ui/property_sheet.h"

namespace pw::mmc {
namespace {

// Lives on the console thread with its console. Modeless sheets are kept until they report
// that they closed.
class WindowConsoleUi final : public ConsoleUi {
 public:
  ~WindowConsoleUi() override { DestroyAllSheets(); }

  int MessageBox(std::wstring_view text, std::wstring_view title, UINT style) override {
    return ::MessageBox(MainWindow(), text, title, style);
  }

  HWND MainWindow() override { return nullptr; }

  HRESULT ShowPropertySheet(SheetRequest request, std::function<void()> closed,
                            SheetId* id) override {
    if (id == nullptr) return E_POINTER;
    *id = 0;
    auto sheet = std::make_unique<CPropertySheet>();
    Prepare(*sheet, request);
    const SheetId made = ++next_id_;
    sheet->SetClosedHandler([this, made, closed = std::move(closed)](int) {
      // Runs from the queue after the sheet's window is gone, so the object may go now.
      sheets_.erase(made);
      if (closed) closed();
    });
    if (!sheet->Create(CWnd::FromHandle(request.owner))) return E_FAIL;
    sheets_.emplace(made, std::move(sheet));
    *id = made;
    return S_OK;
  }

  void BringSheetToFront(SheetId id) override {
    const auto found = sheets_.find(id);
    if (found != sheets_.end() && found->second->GetSafeHwnd() != nullptr) {
      found->second->SetFocus();
    }
  }

  HRESULT RunWizard(SheetRequest request) override {
    CPropertySheet sheet;
    request.wizard = true;
    Prepare(sheet, request);
    const INT_PTR result = sheet.DoModal();
    if (result < 0) return E_FAIL;
    return result == ID_WIZFINISH ? S_OK : S_FALSE;
  }

  void DestroyPages(std::vector<HPROPSHEETPAGE> pages) override {
    for (HPROPSHEETPAGE page : pages) DestroyPropertySheetPage(page);
  }

  void DestroyAllSheets() override {
    std::map<SheetId, std::unique_ptr<CPropertySheet>> sheets = std::move(sheets_);
    sheets_.clear();
    for (auto& [id, sheet] : sheets) {
      sheet->SetClosedHandler(nullptr);
      if (sheet->GetSafeHwnd() != nullptr) sheet->DestroyWindow();
    }
  }

 private:
  static void Prepare(CPropertySheet& sheet, const SheetRequest& request) {
    if (request.wizard) {
      sheet.SetWizardMode();
      sheet.SetTitle(request.title);
    } else {
      sheet.SetTitle(request.title,
                     (request.options & MMC_PSO_NO_PROPTITLE) != 0 ? 0 : PSH_PROPTITLE);
    }
    if ((request.options & MMC_PSO_NOAPPLYNOW) != 0) sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    if ((request.options & MMC_PSO_HASHELP) != 0) sheet.m_psh.dwFlags |= PSH_HASHELP;
    sheet.m_psh.nStartPage = static_cast<UINT>(request.start_page);
    for (HPROPSHEETPAGE page : request.pages) sheet.AddPage(page);
  }

  std::map<SheetId, std::unique_ptr<CPropertySheet>> sheets_;
  SheetId next_id_ = 0;
};

}  // namespace

std::unique_ptr<ConsoleUi> CreateWindowConsoleUi() { return std::make_unique<WindowConsoleUi>(); }

}  // namespace pw::mmc
