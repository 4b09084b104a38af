// Creating, opening and filling the stores of a server installation.
#include "installation/setup/server_stores.h"

#include <dlfcn.h>

#include <filesystem>

#include "installation/interfaces/userutil.h"
#include "platform/com/class_loader.h"
#include "platform/com/strings.h"

namespace pw::setup {
namespace {

// The title the console passes, so that the library's log lines read the same.
constexpr wchar_t kApplicationTitle[] = L"Pagewell Configuration";

// A file that exists as anything at all counts: it is never replaced.
bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}  // namespace

ServerStores::ServerStores(std::string folder)
    : folder_(std::move(folder)),
      configuration_file_(folder_ + "/" + ToUtf8(ARDENTDB_FILE_NAME)),
      user_db_file_(folder_ + "/" + ToUtf8(ARDENTUSERDB_FILE_NAME)) {}

ServerStores::~ServerStores() {
  if (user_db_) user_db_->raw_Close();
  if (store_) store_->raw_Close();
}

SetupStatus ServerStores::Open(const std::string& folder, SetupReport* report,
                               std::unique_ptr<ServerStores>* stores) {
  auto opened = std::make_unique<ServerStores>(folder);
  SetupStatus status = opened->OpenConfiguration(report);
  if (status.ok()) status = opened->ConnectUserDb(report);
  if (status.ok()) *stores = std::move(opened);
  return status;
}

SetupStatus ServerStores::OpenConfiguration(SetupReport* report) {
  HRESULT hr = CreateInstance(CLSID_ArdentDB, &store_);
  if (FAILED(hr)) {
    return SetupStatus::Failure(configuration_file_, "creating the configuration store object", hr,
                                LastModuleLoadError());
  }
  hr = store_.As(&rules_);
  if (SUCCEEDED(hr)) hr = store_.As(&settings_);
  if (SUCCEEDED(hr)) hr = store_.As(&setup_);
  if (FAILED(hr)) {
    return SetupStatus::Failure(configuration_file_, "querying the store's interfaces", hr);
  }
  const std::wstring path = FromUtf8(folder_);
  const bool existed = Exists(configuration_file_);
  if (!existed) {
    hr = setup_->raw_CreateConfiguration(path.c_str());
    if (FAILED(hr)) {
      return SetupStatus::Failure(configuration_file_, "creating the configuration", hr);
    }
  }
  hr = store_->raw_Open(0, path.c_str());
  if (FAILED(hr)) return SetupStatus::Failure(configuration_file_, "opening the configuration", hr);
  report->Record(existed, "configuration " + configuration_file_);
  return SetupStatus::Ok();
}

SetupStatus ServerStores::ConnectUserDb(SetupReport* report) {
  HRESULT hr = CreateInstance(CLSID_ArdentUserDB, &user_db_);
  if (FAILED(hr)) {
    return SetupStatus::Failure(user_db_file_, "creating the user database object", hr,
                                LastModuleLoadError());
  }
  hr = user_db_.As(&users_);
  if (FAILED(hr)) return SetupStatus::Failure(user_db_file_, "querying the user locator", hr);
  const bool existed = Exists(user_db_file_);
  const std::wstring connection = L"dbpath=" + FromUtf8(user_db_file_);
  hr = user_db_->raw_Connect(UDB_CONNECT_WRITE | UDB_CONNECT_CREATE | UDB_CONNECT_OPEN,
                             connection.c_str());
  if (FAILED(hr)) return SetupStatus::Failure(user_db_file_, "connecting the user database", hr);
  report->Record(existed, "user database " + user_db_file_);
  return SetupStatus::Ok();
}

SetupStatus ServerStores::InstallDefaults(LONG directory_mode, const std::string& program_folder,
                                          SetupReport* report) {
  const std::string library_path = program_folder + "/libuserutil.so";
  void* library = ::dlopen(library_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* detail = ::dlerror();
    return SetupStatus::Failure(library_path, "loading the user utility library",
                                HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND),
                                detail != nullptr ? detail : "");
  }
  auto install = reinterpret_cast<decltype(&UserUtil_InstallPagewellDefaults)>(
      ::dlsym(library, "UserUtil_InstallPagewellDefaults"));
  SetupStatus status = SetupStatus::Ok();
  if (install == nullptr) {
    status = SetupStatus::Failure(library_path, "finding UserUtil_InstallPagewellDefaults",
                                  HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));
  } else {
    const std::string argument = "dbpath=" + user_db_file_;
    const HRESULT hr = install(0, rules_.Get(), user_db_.Get(), directory_mode, kApplicationTitle,
                               USERUTIL_DEFAULTS_ALL, 0, L"", L"", argument.c_str());
    if (FAILED(hr)) {
      status = SetupStatus::Failure(configuration_file_,
                                    "installing the default users, routers and administrators", hr);
    } else {
      report->Record(hr == S_FALSE, "the default users, routers and administrators");
    }
  }
  ::dlclose(library);
  return status;
}

}  // namespace pw::setup
