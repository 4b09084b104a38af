// The rule object.
#include "installation/store/rule.h"

#include <cstring>

#include "installation/store/enumerators.h"

namespace pw::store {

HRESULT Rule::raw_SetField(LPCWSTR name, const VARIANT& value) {
  return install::Guarded([&]() -> HRESULT {
    if (name == nullptr) return E_POINTER;
    if (*name == L'\0') return E_INVALIDARG;
    if (EqualsIgnoreCase(name, kObjectIdField)) return E_ACCESSDENIED;
    FieldValue field;
    if (const HRESULT hr = FieldValueFromVariant(value, &field); FAILED(hr)) return hr;
    std::lock_guard lock(mutex_);
    data_.SetField(name, std::move(field));
    return S_OK;
  });
}

HRESULT Rule::raw_GetField(LPCWSTR name, VARIANT* value) {
  return install::Guarded([&]() -> HRESULT {
    if (name == nullptr || value == nullptr) return E_POINTER;
    *value = VARIANT();
    std::lock_guard lock(mutex_);
    if (EqualsIgnoreCase(name, kObjectIdField)) {
      if (data_.id != 0) *value = VARIANT::FromBstr(ObjectIdText(data_.id));
      return S_OK;
    }
    const FieldValue* field = data_.FindField(name);
    if (field == nullptr) return S_OK;
    void* block = nullptr;
    if (field->vt == kRecordType) {
      std::unique_ptr<RecordBlock>& slot = record_blocks_[name];
      if (!slot) slot = std::make_unique<RecordBlock>();
      slot->fill(0);
      std::memcpy(slot->data(), field->bytes.data(),
                  std::min<std::size_t>(field->bytes.size(), slot->size()));
      block = slot->data();
    }
    *value = VariantFromFieldValue(*field, block);
    return S_OK;
  });
}

HRESULT Rule::raw_EnumUsers(IArdentTextEnum** users) {
  return install::Guarded([&]() -> HRESULT {
    if (users == nullptr) return E_POINTER;
    *users = nullptr;
    std::vector<std::wstring> snapshot;
    {
      std::lock_guard lock(mutex_);
      snapshot = data_.users;
    }
    auto enumerator = MakeComObject<TextEnum>(std::move(snapshot));
    if (!enumerator) return E_OUTOFMEMORY;
    *users = enumerator.Detach();
    return S_OK;
  });
}

HRESULT Rule::raw_AddUser(LPCWSTR user) {
  return install::Guarded([&]() -> HRESULT {
    if (user == nullptr) return E_POINTER;
    if (*user == L'\0') return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    return data_.AddUser(user) ? S_OK : S_FALSE;
  });
}

HRESULT Rule::raw_RemoveUser(LPCWSTR user) {
  return install::Guarded([&]() -> HRESULT {
    if (user == nullptr) return E_POINTER;
    std::lock_guard lock(mutex_);
    return data_.RemoveUser(user) ? S_OK : S_FALSE;
  });
}

HRESULT Rule::raw_GetRuleType(BSTR* type) {
  return install::Guarded([&]() -> HRESULT {
    if (type == nullptr) return E_POINTER;
    std::lock_guard lock(mutex_);
    *type = SysAllocStringLen(data_.type.data(), static_cast<UINT>(data_.type.size()));
    return *type != nullptr ? S_OK : E_OUTOFMEMORY;
  });
}

HRESULT Rule::GetData(RuleData* data) {
  return install::Guarded([&]() -> HRESULT {
    if (data == nullptr) return E_POINTER;
    std::lock_guard lock(mutex_);
    *data = data_;
    return S_OK;
  });
}

void Rule::MarkSaved(std::int64_t id) {
  std::lock_guard lock(mutex_);
  data_.id = id;
}

}  // namespace pw::store
