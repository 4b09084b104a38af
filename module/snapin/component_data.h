// CComponentData: the snap-in object of one snap-in instance. It owns the node tree, holds the
// console's scope-side interfaces and the server's stores, dispatches scope-side requests to
// the nodes, creates one CComponent per view and persists the administered computer's name.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "mmc/mmc.h"
#include "module/server/server_location.h"
#include "module/server/server_stores.h"
#include "module/snapin/pwconfig_app.h"
#include "module/users/directory_connection.h"
#include "platform/com/com_ptr.h"
#include "platform/com/unknown.h"

class CDelegationBase;
class CStaticNode;

// Created by the class factory (reference count 0 until the factory's QueryInterface);
// initialised once by the console, destroyed by Destroy and the final Release. The nodes reach
// it through SetComponentData only after the stores have been opened.
class CComponentData final : public pw::ComObject<IComponentData, IExtendPropertySheet2,
                                                  IExtendContextMenu, IPersistStream> {
 public:
  // The console file's record: the computer name as this many UTF-16 code units.
  static constexpr std::size_t kComputerNameUnits = 261;
  static constexpr std::size_t kPersistedBytes = kComputerNameUnits * 2;

  CComponentData();

  // IComponentData
  HRESULT Initialize(IUnknown* console) override;
  HRESULT CreateComponent(IComponent** component) override;
  HRESULT Notify(IDataObject* data_object, MMC_NOTIFY_TYPE event, LPARAM arg,
                 LPARAM param) override;
  HRESULT Destroy() override;
  HRESULT QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                          IDataObject** data_object) override;
  HRESULT GetDisplayInfo(SCOPEDATAITEM* item) override;
  HRESULT CompareObjects(IDataObject* a, IDataObject* b) override;

  // IExtendPropertySheet2
  HRESULT CreatePropertyPages(IPropertySheetCallback* callback, LONG_PTR handle,
                              IDataObject* data_object) override;
  HRESULT QueryPagesFor(IDataObject* data_object) override;
  HRESULT GetWatermarks(IDataObject* data_object, HBITMAP* watermark, HBITMAP* header,
                        HPALETTE* palette, BOOL* stretch) override;

  // IExtendContextMenu
  HRESULT AddMenuItems(IDataObject* data_object, IContextMenuCallback* callback,
                       LONG* insertion_allowed) override;
  HRESULT Command(LONG command_id, IDataObject* data_object) override;

  // IPersistStream
  HRESULT GetClassID(CLSID* class_id) override;
  HRESULT IsDirty() override;
  HRESULT Load(IStream* stream) override;
  HRESULT Save(IStream* stream, BOOL clear_dirty) override;
  HRESULT GetSizeMax(ULONGLONG* size) override;

  // What the nodes use.
  CStaticNode* root() const { return root_.get(); }
  IConsole2* console() const { return console_.Get(); }
  IConsoleNameSpace2* name_space() const { return name_space_.Get(); }
  DWORD remote_kind() const { return location_.remote_kind; }
  DWORD directory_mode() const { return location_.directory_mode; }
  // The server's installation folder ("PATH").
  const std::wstring& install_path() const { return location_.install_path; }
  const std::wstring& pagewell_type() const { return location_.pagewell_type; }
  const std::wstring& mapi_profile() const { return location_.mapi_profile; }
  const std::wstring& directory_server() const { return directory_server_; }
  void set_directory_server(std::wstring name) { directory_server_ = std::move(name); }
  // The user database's connection to the directory.
  CDirectoryConnection& directory() { return directory_; }
  // The folder of the server's configuration, local or \\NAME\PWSERVER$; empty while no
  // server is known.
  const std::wstring& server_path() const { return location_.server_path; }
  const CServerStores& stores() const { return stores_; }
  IArdentDB* configuration_store() const { return stores_.configuration(); }
  IArdentRULEDB* rule_store() const { return stores_.rules(); }
  IPagewell* settings_store() const { return stores_.settings(); }
  IArdentUserDB* user_db() const { return stores_.user_db(); }
  IArdentUserLocator* user_locator() const { return stores_.user_locator(); }
  // Pages whose settings take effect only when the server restarts set this.
  void set_restart_server(bool restart) { restart_server_ = restart; }
  bool restart_server() const { return restart_server_; }

  // Opens the configuration store at `server_path` (closing what was open) and, on success,
  // makes it the server path.
  HRESULT ConnectTo(const std::wstring& server_path);
  // After a successful connection: hands this object to every node and installs the server's
  // user defaults.
  void CompleteConnection();

  // Shows a message in the console's message box titled with the application title.
  int ShowMessage(const std::wstring& text, UINT style) const;

  // Whether a component data of this module has initialised in this process.
  static bool process_initialized();

 private:
  ~CComponentData() override;

  // The node a data object names: the root for cookie 0, null for others' objects.
  CDelegationBase* NodeOf(IDataObject* data_object) const;
  void ReportConnectionFailure() const;
  HRESULT LoadComputerName(IStream* stream, std::wstring* name);

  ModuleObjectCount object_count_;
  ServerLocation location_;
  std::wstring directory_server_;
  CDirectoryConnection directory_{this};
  std::unique_ptr<CStaticNode> root_;
  pw::ComPtr<IConsole2> console_;
  pw::ComPtr<IConsoleNameSpace2> name_space_;
  CServerStores stores_;
  bool restart_server_ = false;
};
