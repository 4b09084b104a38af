// The registry functions over the registry file: cached reads, locked atomic writes, handles.
#include "platform/win/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/com/strings.h"
#include "platform/win/files.h"
#include "platform/win/last_error.h"
#include "platform/win/paths.h"
#include "platform/win/registry_format.h"

RegValue RegValue::String(std::wstring_view text, DWORD type) {
  RegValue value;
  value.type = type;
  value.text = text;
  return value;
}

RegValue RegValue::Dword(DWORD number) {
  RegValue value;
  value.type = REG_DWORD;
  value.number = number;
  return value;
}

namespace pw {
namespace {

static_assert(sizeof(std::uintptr_t) == 8, "handle numbers assume 64-bit pointers");
// Opened handles are numbered far above the predefined roots and never reused, so that a
// handle used after it was closed is refused instead of naming some other key.
constexpr std::uintptr_t kFirstHandle = std::uintptr_t{1} << 32;

constexpr REGSAM kMaximumAllowed = 0x02000000;
constexpr REGSAM kGenericAll = 0x10000000;
constexpr REGSAM kGenericWrite = 0x40000000;
constexpr REGSAM kGenericRead = 0x80000000;

// Generic rights and MAXIMUM_ALLOWED stand for the key rights they include.
REGSAM ExpandedAccess(REGSAM access) {
  if (access & (kMaximumAllowed | kGenericAll)) access |= KEY_ALL_ACCESS;
  if (access & kGenericRead) access |= KEY_READ;
  if (access & kGenericWrite) access |= KEY_WRITE;
  return access;
}

struct KeyHandle {
  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::vector<std::wstring> path;
  REGSAM access = 0;
  // Set when this process deletes the key or one above it, so that a key created again under
  // the same name is not mistaken for the one the handle was opened on.
  bool deleted = false;
};

bool IsPredefined(HKEY key, RegistryRoot* root) {
  const auto value = reinterpret_cast<std::uintptr_t>(key);
  if (key == HKEY_CLASSES_ROOT) {
    *root = RegistryRoot::kClassesRoot;
  } else if (key == HKEY_CURRENT_USER) {
    *root = RegistryRoot::kCurrentUser;
  } else if (key == HKEY_LOCAL_MACHINE) {
    *root = RegistryRoot::kLocalMachine;
  }
  return value >= 0x80000000 && value <= 0x80000002;
}

bool HasPrefix(const std::vector<std::wstring>& path, const std::vector<std::wstring>& prefix) {
  if (path.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (!EqualsIgnoreCase(path[i], prefix[i])) return false;
  }
  return true;
}

// Appends the names of a backslash-separated key path. Empty names (doubled or outer
// backslashes) are skipped; names that the file could not hold on a key line are refused.
LONG AppendSubKey(std::wstring_view sub_key, std::vector<std::wstring>* path) {
  std::size_t start = 0;
  while (start <= sub_key.size()) {
    std::size_t end = sub_key.find(L'\\', start);
    if (end == std::wstring_view::npos) end = sub_key.size();
    const std::wstring_view name = sub_key.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;
    if (name.find_first_of(std::wstring_view(L"\n\r\0", 3)) != std::wstring_view::npos) {
      return ERROR_INVALID_PARAMETER;
    }
    path->emplace_back(name);
  }
  return path->size() > kMaxRegistryKeyDepth ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
}

// The value in the one form the tree keeps: only the member its type uses is set.
LONG NormalizedValue(const RegValue& in, RegValue* out) {
  *out = RegValue();
  out->type = in.type;
  switch (in.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      out->text = in.text;
      break;
    case REG_DWORD:
      if (in.number > 0xFFFFFFFFu) return ERROR_INVALID_PARAMETER;
      out->number = in.number;
      break;
    case REG_QWORD:
      out->number = in.number;
      break;
    case REG_MULTI_SZ:
      // A NUL inside a string would end it early for every reader of the value.
      for (const std::wstring& s : in.strings) {
        if (s.find(L'\0') != std::wstring::npos) return ERROR_INVALID_PARAMETER;
      }
      out->strings = in.strings;
      break;
    default:
      out->bytes = in.bytes;
      break;
  }
  return ERROR_SUCCESS;
}

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

// What tells two versions of the file apart. Writers replace the file by renaming, so a new
// version is a new inode; the cache holds the old one open so that its number cannot be
// reused. Size and times catch editors that write in place.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};
};

FileIdentity IdentityOf(const struct stat& info) {
  return FileIdentity{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
  return a.device == b.device && a.inode == b.inode && a.size == b.size &&
         a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec &&
         a.changed.tv_sec == b.changed.tv_sec && a.changed.tv_nsec == b.changed.tv_nsec;
}

bool ReadAll(int fd, std::string* bytes) {
  bytes->clear();
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof(chunk));
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    bytes->append(chunk, static_cast<std::size_t>(got));
  }
}

// An exclusive lock on the file beside the registry file, shared by every process that
// writes it. The lock file stays: removing it would let two writers lock different inodes.
class WriterLock {
 public:
  LONG Acquire(const std::string& lock_path) {
    fd_ = FileDescriptor(::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (!fd_.valid()) return Win32ErrorFromErrno(errno);
    while (::flock(fd_.get(), LOCK_EX) != 0) {
      if (errno != EINTR) return Win32ErrorFromErrno(errno);
    }
    return ERROR_SUCCESS;
  }
  // Closing the descriptor releases the lock.

 private:
  FileDescriptor fd_;
};

struct KeyRef {
  RegistryRoot root = RegistryRoot::kLocalMachine;
  std::vector<std::wstring> path;
  REGSAM access = 0;
  bool deleted = false;
};

// The process's view of the registry file and its open handles. Every member function expects
// the caller to hold mutex().
class Registry {
 public:
  static Registry& Instance() {
    static Registry registry;
    return registry;
  }

  std::mutex& mutex() { return mutex_; }
  RegistryTree& tree() { return tree_; }
  const std::string& error() const { return error_; }

  std::string FilePath() const {
    if (!explicit_path_.empty()) return explicit_path_;
    const char* from_environment = std::getenv("PAGEWELL_REGISTRY");
    if (from_environment != nullptr && *from_environment != '\0') return from_environment;
    return UserDataFolder() + "/registry.reg";
  }

  void SetFilePath(std::string path) {
    explicit_path_ = std::move(path);
    Forget();
  }

  // Brings the cached tree up to date with the file: ERROR_SUCCESS, ERROR_BADDB for a file
  // that cannot be parsed, or the error of reading it.
  LONG Load() {
    const std::string file = FilePath();
    if (file != cached_path_) Forget();
    struct stat info;
    if (::stat(file.c_str(), &info) != 0) {
      const int error_number = errno;
      if (error_number == ENOENT) {
        if (!(loaded_ && missing_)) {
          Forget();
          loaded_ = missing_ = true;
          cached_path_ = file;
        }
        return ERROR_SUCCESS;
      }
      Forget();
      return Win32ErrorFromErrno(error_number);
    }
    if (loaded_ && !missing_ && SameIdentity(identity_, IdentityOf(info))) {
      return error_.empty() ? ERROR_SUCCESS : ERROR_BADDB;
    }
    Forget();
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat opened;
    if (!fd.valid() || ::fstat(fd.get(), &opened) != 0) return Win32ErrorFromErrno(errno);
    if (S_ISDIR(opened.st_mode)) return ERROR_ACCESS_DENIED;
    std::string bytes;
    if (!ReadAll(fd.get(), &bytes)) return Win32ErrorFromErrno(errno);
    std::string parse_error;
    if (!ParseRegistryText(bytes, &tree_, &parse_error)) error_ = file + ":" + parse_error;
    identity_ = IdentityOf(opened);
    held_ = std::move(fd);
    loaded_ = true;
    cached_path_ = file;
    return error_.empty() ? ERROR_SUCCESS : ERROR_BADDB;
  }

  // Applies `change` to the file as it is under the writers' lock and writes the result.
  // `change` sets its flag when it altered the tree, and alters nothing when it fails.
  LONG Modify(const std::function<LONG(RegistryTree&, bool*)>& change) {
    pending_deletions_.clear();
    const std::string file = FilePath();
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (!folder.empty()) {
      std::error_code failure;
      std::filesystem::create_directories(folder, failure);
      if (failure) return Win32ErrorFromErrno(failure.value());
    }
    WriterLock lock;
    if (LONG status = lock.Acquire(file + ".lock"); status != ERROR_SUCCESS) return status;
    if (LONG status = Load(); status != ERROR_SUCCESS) return status;
    bool changed = false;
    const LONG status = change(tree_, &changed);
    if (status != ERROR_SUCCESS || !changed) {
      pending_deletions_.clear();
      return status;
    }
    LONG write_error = ERROR_SUCCESS;
    if (!WriteFileAtomically(file, SerializeRegistry(tree_), &write_error)) {
      // The tree holds a change the file does not: read the file again next time.
      Forget();
      pending_deletions_.clear();
      return write_error;
    }
    Adopt(file);
    for (const auto& [root, path] : pending_deletions_) MarkDeleted(root, path);
    pending_deletions_.clear();
    return ERROR_SUCCESS;
  }

  // Handles on `path` and below it count as deleted once the change is written.
  void DeleteOnWrite(RegistryRoot root, std::vector<std::wstring> path) {
    pending_deletions_.emplace_back(root, std::move(path));
  }

  HKEY AddHandle(KeyHandle handle) {
    const std::uintptr_t id = next_handle_++;
    handles_.emplace(id, std::move(handle));
    return reinterpret_cast<HKEY>(id);
  }

  bool CloseHandle(HKEY key) { return handles_.erase(reinterpret_cast<std::uintptr_t>(key)) > 0; }

  LONG Resolve(HKEY key, KeyRef* ref) {
    const auto found = handles_.find(reinterpret_cast<std::uintptr_t>(key));
    if (found != handles_.end()) {
      const KeyHandle& handle = found->second;
      *ref = KeyRef{handle.root, handle.path, handle.access, handle.deleted};
      return ERROR_SUCCESS;
    }
    RegistryRoot root;
    if (!IsPredefined(key, &root)) return ERROR_INVALID_HANDLE;
    *ref = KeyRef{root, {}, KEY_ALL_ACCESS, false};
    return ERROR_SUCCESS;
  }

 private:
  Registry() = default;

  void Forget() {
    loaded_ = missing_ = false;
    held_.Reset();
    tree_ = RegistryTree();
    error_.clear();
    cached_path_.clear();
  }

  void Adopt(const std::string& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0) {
      Forget();
      return;
    }
    identity_ = IdentityOf(info);
    held_ = std::move(fd);
    loaded_ = true;
    missing_ = false;
    error_.clear();
    cached_path_ = file;
  }

  void MarkDeleted(RegistryRoot root, const std::vector<std::wstring>& path) {
    for (auto& [id, handle] : handles_) {
      if (handle.root == root && HasPrefix(handle.path, path)) handle.deleted = true;
    }
  }

  std::mutex mutex_;
  std::string explicit_path_;

  bool loaded_ = false;
  bool missing_ = false;
  std::string cached_path_;
  FileIdentity identity_;
  FileDescriptor held_;
  RegistryTree tree_;
  std::string error_;

  std::unordered_map<std::uintptr_t, KeyHandle> handles_;
  std::uintptr_t next_handle_ = kFirstHandle;
  std::vector<std::pair<RegistryRoot, std::vector<std::wstring>>> pending_deletions_;
};

// Runs `read` on the key a handle names, in the file as it is now.
template <typename Read>
LONG ReadKey(HKEY key, REGSAM needed, Read read) {
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  KeyRef ref;
  if (LONG status = registry.Resolve(key, &ref); status != ERROR_SUCCESS) return status;
  if ((ref.access & needed) != needed) return ERROR_ACCESS_DENIED;
  if (LONG status = registry.Load(); status != ERROR_SUCCESS) return status;
  const RegistryKey* node = ref.deleted ? nullptr : registry.tree().Find(ref.root, ref.path);
  if (node == nullptr) return ERROR_KEY_DELETED;
  return read(ref, *node);
}

// Runs `change(ref, tree, key, changed)` on the key a handle names, under the writers' lock.
template <typename Change>
LONG ModifyKey(HKEY key, REGSAM needed, Change change) {
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  KeyRef ref;
  if (LONG status = registry.Resolve(key, &ref); status != ERROR_SUCCESS) return status;
  if ((ref.access & needed) != needed) return ERROR_ACCESS_DENIED;
  return registry.Modify([&](RegistryTree& tree, bool* changed) -> LONG {
    RegistryKey* node = ref.deleted ? nullptr : tree.Find(ref.root, ref.path);
    if (node == nullptr) return ERROR_KEY_DELETED;
    return change(ref, tree, *node, changed);
  });
}

enum class DeleteMode {
  // The named key goes with everything below it; with no name, only what is below the key.
  kNamedKeyOrContents,
  // The key goes even when no subkey is named.
  kAlwaysTheKey,
};

std::vector<std::wstring> ParentOf(const std::vector<std::wstring>& path) {
  return std::vector<std::wstring>(path.begin(), path.end() - 1);
}

LONG DeleteTree(HKEY key, std::wstring_view sub_key, DeleteMode mode) {
  std::vector<std::wstring> relative;
  if (LONG status = AppendSubKey(sub_key, &relative); status != ERROR_SUCCESS) return status;
  const bool including_key = mode == DeleteMode::kAlwaysTheKey || !relative.empty();
  return ModifyKey(
      key, 0, [&](const KeyRef& ref, RegistryTree& tree, RegistryKey& node, bool* changed) -> LONG {
        std::vector<std::wstring> path = ref.path;
        path.insert(path.end(), relative.begin(), relative.end());
        RegistryKey* target = relative.empty() ? &node : tree.Find(ref.root, path);
        if (target == nullptr) return ERROR_FILE_NOT_FOUND;
        Registry& registry = Registry::Instance();
        if (including_key) {
          if (path.empty()) return ERROR_ACCESS_DENIED;
          tree.Find(ref.root, ParentOf(path))->RemoveSubkey(path.back());
          registry.DeleteOnWrite(ref.root, path);
          *changed = true;
          return ERROR_SUCCESS;
        }
        for (const RegistryKey& subkey : target->subkeys) {
          std::vector<std::wstring> below = path;
          below.push_back(subkey.name);
          registry.DeleteOnWrite(ref.root, std::move(below));
        }
        *changed = !target->values.empty() || !target->subkeys.empty();
        target->values.clear();
        target->subkeys.clear();
        return ERROR_SUCCESS;
      });
}

}  // namespace

void SetRegistryFilePath(std::string path) {
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  registry.SetFilePath(std::move(path));
}

std::string RegistryFilePath() {
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  return registry.FilePath();
}

std::string RegistryLastError() {
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  registry.Load();
  return registry.error();
}

}  // namespace pw

using pw::KeyHandle;
using pw::KeyRef;
using pw::Registry;
using pw::RegistryKey;
using pw::RegistryTree;

LONG RegOpenKeyEx(HKEY key, std::wstring_view sub_key, REGSAM access, HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  KeyRef ref;
  if (LONG status = registry.Resolve(key, &ref); status != ERROR_SUCCESS) return status;
  std::vector<std::wstring> path = ref.path;
  if (LONG status = pw::AppendSubKey(sub_key, &path); status != ERROR_SUCCESS) return status;
  if (LONG status = registry.Load(); status != ERROR_SUCCESS) return status;
  if (ref.deleted || registry.tree().Find(ref.root, ref.path) == nullptr) {
    return ERROR_KEY_DELETED;
  }
  if (registry.tree().Find(ref.root, path) == nullptr) return ERROR_FILE_NOT_FOUND;
  *result = registry.AddHandle(KeyHandle{ref.root, std::move(path), pw::ExpandedAccess(access)});
  return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, std::wstring_view sub_key, REGSAM access, HKEY* result,
                    DWORD* disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  KeyRef ref;
  if (LONG status = registry.Resolve(key, &ref); status != ERROR_SUCCESS) return status;
  std::vector<std::wstring> path = ref.path;
  if (LONG status = pw::AppendSubKey(sub_key, &path); status != ERROR_SUCCESS) return status;
  bool created = false;
  const LONG status = registry.Modify([&](RegistryTree& tree, bool* changed) -> LONG {
    if (ref.deleted || tree.Find(ref.root, ref.path) == nullptr) return ERROR_KEY_DELETED;
    if (tree.Find(ref.root, path) != nullptr) return ERROR_SUCCESS;
    // Only creating a key needs the right to; opening an existing one does not.
    if ((ref.access & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
    RegistryKey* current = &tree.Root(ref.root);
    for (const std::wstring& name : path) current = &current->AddSubkey(name);
    created = *changed = true;
    return ERROR_SUCCESS;
  });
  if (status != ERROR_SUCCESS) return status;
  *result = registry.AddHandle(KeyHandle{ref.root, std::move(path), pw::ExpandedAccess(access)});
  if (disposition != nullptr) {
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  Registry& registry = Registry::Instance();
  std::lock_guard lock(registry.mutex());
  if (registry.CloseHandle(key)) return ERROR_SUCCESS;
  pw::RegistryRoot root;
  return pw::IsPredefined(key, &root) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueEx(HKEY key, std::wstring_view name, RegValue* value) {
  return pw::ReadKey(key, KEY_QUERY_VALUE, [&](const KeyRef&, const RegistryKey& node) {
    const RegValue* found = node.FindValue(name);
    if (found == nullptr) return ERROR_FILE_NOT_FOUND;
    if (value != nullptr) *value = *found;
    return ERROR_SUCCESS;
  });
}

LONG RegSetValueEx(HKEY key, std::wstring_view name, const RegValue& value) {
  RegValue stored;
  if (LONG status = pw::NormalizedValue(value, &stored); status != ERROR_SUCCESS) return status;
  return pw::ModifyKey(key, KEY_SET_VALUE,
                       [&](const KeyRef&, RegistryTree&, RegistryKey& node, bool* changed) {
                         const RegValue* existing = node.FindValue(name);
                         if (existing != nullptr && *existing == stored) return ERROR_SUCCESS;
                         node.SetValue(name, std::move(stored));
                         *changed = true;
                         return ERROR_SUCCESS;
                       });
}

LONG RegDeleteValue(HKEY key, std::wstring_view name) {
  return pw::ModifyKey(key, KEY_SET_VALUE,
                       [&](const KeyRef&, RegistryTree&, RegistryKey& node, bool* changed) {
                         if (!node.RemoveValue(name)) return ERROR_FILE_NOT_FOUND;
                         *changed = true;
                         return ERROR_SUCCESS;
                       });
}

LONG RegDeleteKey(HKEY key, std::wstring_view sub_key) {
  std::vector<std::wstring> relative;
  if (LONG status = pw::AppendSubKey(sub_key, &relative); status != ERROR_SUCCESS) return status;
  return pw::ModifyKey(key, 0,
                       [&](const KeyRef& ref, RegistryTree& tree, RegistryKey&, bool* changed) {
                         std::vector<std::wstring> path = ref.path;
                         path.insert(path.end(), relative.begin(), relative.end());
                         if (path.empty()) return ERROR_ACCESS_DENIED;
                         const RegistryKey* target = tree.Find(ref.root, path);
                         if (target == nullptr) return ERROR_FILE_NOT_FOUND;
                         if (!target->subkeys.empty()) return ERROR_ACCESS_DENIED;
                         tree.Find(ref.root, pw::ParentOf(path))->RemoveSubkey(path.back());
                         Registry::Instance().DeleteOnWrite(ref.root, path);
                         *changed = true;
                         return ERROR_SUCCESS;
                       });
}

LONG RegDeleteTree(HKEY key, std::wstring_view sub_key) {
  return pw::DeleteTree(key, sub_key, pw::DeleteMode::kNamedKeyOrContents);
}

LONG RegEnumKeyEx(HKEY key, DWORD index, std::wstring* name) {
  if (name == nullptr) return ERROR_INVALID_PARAMETER;
  return pw::ReadKey(key, KEY_ENUMERATE_SUB_KEYS, [&](const KeyRef&, const RegistryKey& node) {
    if (index >= node.subkeys.size()) return ERROR_NO_MORE_ITEMS;
    *name = node.subkeys[index].name;
    return ERROR_SUCCESS;
  });
}

LONG RegEnumValue(HKEY key, DWORD index, std::wstring* name, RegValue* value) {
  if (name == nullptr) return ERROR_INVALID_PARAMETER;
  return pw::ReadKey(key, KEY_QUERY_VALUE, [&](const KeyRef&, const RegistryKey& node) {
    if (index >= node.values.size()) return ERROR_NO_MORE_ITEMS;
    *name = node.values[index].name;
    if (value != nullptr) *value = node.values[index].value;
    return ERROR_SUCCESS;
  });
}

// ---- CRegKey ----

LONG CRegKey::Open(HKEY parent, std::wstring_view sub_key, REGSAM access) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyEx(parent, sub_key, access, &opened);
  if (status != ERROR_SUCCESS) return status;
  Close();
  key_ = opened;
  return ERROR_SUCCESS;
}

LONG CRegKey::Create(HKEY parent, std::wstring_view sub_key, REGSAM access) {
  HKEY created = nullptr;
  const LONG status = RegCreateKeyEx(parent, sub_key, access, &created);
  if (status != ERROR_SUCCESS) return status;
  Close();
  key_ = created;
  return ERROR_SUCCESS;
}

LONG CRegKey::Close() {
  if (key_ == nullptr) return ERROR_SUCCESS;
  const LONG status = RegCloseKey(key_);
  key_ = nullptr;
  return status;
}

LONG CRegKey::QueryStringValue(std::wstring_view name, std::wstring* value) const {
  if (value == nullptr) return ERROR_INVALID_PARAMETER;
  RegValue read;
  if (LONG status = RegQueryValueEx(key_, name, &read); status != ERROR_SUCCESS) return status;
  if (read.type != REG_SZ && read.type != REG_EXPAND_SZ) return ERROR_INVALID_DATATYPE;
  *value = std::move(read.text);
  return ERROR_SUCCESS;
}

LONG CRegKey::QueryDWORDValue(std::wstring_view name, DWORD* value) const {
  if (value == nullptr) return ERROR_INVALID_PARAMETER;
  RegValue read;
  if (LONG status = RegQueryValueEx(key_, name, &read); status != ERROR_SUCCESS) return status;
  if (read.type != REG_DWORD) return ERROR_INVALID_DATATYPE;
  *value = static_cast<DWORD>(read.number);
  return ERROR_SUCCESS;
}

LONG CRegKey::SetStringValue(std::wstring_view name, std::wstring_view value) {
  return RegSetValueEx(key_, name, RegValue::String(value));
}

LONG CRegKey::SetDWORDValue(std::wstring_view name, DWORD value) {
  return RegSetValueEx(key_, name, RegValue::Dword(value));
}

LONG CRegKey::DeleteValue(std::wstring_view name) { return RegDeleteValue(key_, name); }

LONG CRegKey::RecurseDeleteKey(std::wstring_view sub_key) {
  return pw::DeleteTree(key_, sub_key, pw::DeleteMode::kAlwaysTheKey);
}
