#include "support/registry/RegistryStore.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <mutex>

#include "support/registry/RegistryRoots.h"
#include "support/text/windows/WideText.h"

namespace quillmere {
namespace {

constexpr std::wstring_view kRedirectionKey = L"Software\\Quillmere\\RedirectedRegistry\\";
constexpr DWORD kMaxNameUnits = 16384;  // the registry's own limit for key and value names

class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY Get() const { return key_; }
  HKEY* Receive() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

std::optional<HKEY> PredefinedKey(std::int32_t root) {
  switch (root) {
    case kHKeyClassesRoot: return HKEY_CLASSES_ROOT;
    case kHKeyCurrentUser: return HKEY_CURRENT_USER;
    case kHKeyLocalMachine: return HKEY_LOCAL_MACHINE;
    case kHKeyUsers: return HKEY_USERS;
    default: return std::nullopt;
  }
}

// The registry key and path where a root's key path lives, for the store's file (empty: the real roots).
struct Location {
  HKEY base;
  std::wstring path;
};

std::optional<Location> Locate(const std::string& file, std::int32_t root, std::string_view path) {
  std::optional<HKEY> predefined = PredefinedKey(root);
  if (!predefined) return std::nullopt;
  path = NormalisedKeyPath(path);
  if (file.empty()) return Location{*predefined, Wide(path)};
  std::wstring rooted = Wide(RedirectedRootPath(file, root));
  if (!path.empty()) rooted += L'\\' + Wide(path);
  return Location{HKEY_CURRENT_USER, rooted};
}

bool Open(const Location& where, REGSAM access, OpenKey& key) {
  return RegOpenKeyExW(where.base, where.path.c_str(), 0, access, key.Receive()) == ERROR_SUCCESS;
}

bool Create(const Location& where, OpenKey& key) {
  return RegCreateKeyExW(where.base, where.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                         nullptr, key.Receive(), nullptr) == ERROR_SUCCESS;
}

std::optional<StoredValue> Decoded(DWORD type, const std::vector<BYTE>& data) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::wstring_view text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
      text = text.substr(0, text.find(L'\0'));
      return StoredValue{static_cast<std::int32_t>(type), Narrow(text)};
    }
    case REG_DWORD: {
      if (data.size() < sizeof(DWORD)) return std::nullopt;
      DWORD number = 0;
      std::memcpy(&number, data.data(), sizeof number);
      return StoredValue{kRegDword, static_cast<std::int32_t>(number)};
    }
    case REG_BINARY:
      return StoredValue{kRegBinary, std::string(data.begin(), data.end())};
    default:
      return std::nullopt;  // types the host has no form for
  }
}

std::vector<BYTE> Encoded(const StoredValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value.data)) {
    std::vector<BYTE> bytes(sizeof(DWORD));
    std::memcpy(bytes.data(), number, sizeof(DWORD));
    return bytes;
  }
  const std::string& text = std::get<std::string>(value.data);
  if (value.type == kRegBinary) return std::vector<BYTE>(text.begin(), text.end());
  std::wstring wide = Wide(text);
  const BYTE* start = reinterpret_cast<const BYTE*>(wide.c_str());
  return std::vector<BYTE>(start, start + (wide.size() + 1) * sizeof(wchar_t));
}

// The names RegEnumValueW or RegEnumKeyExW give for index 0, 1, ... until they answer no more.
template <class EnumerateAt>
std::vector<std::string> EnumeratedNames(EnumerateAt enumerateAt) {
  std::vector<std::string> names;
  std::wstring name(kMaxNameUnits, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = kMaxNameUnits;
    if (enumerateAt(index, name.data(), &length) != ERROR_SUCCESS) break;
    names.push_back(Narrow(std::wstring_view(name.data(), length)));
  }
  return names;
}

}  // namespace

std::string RedirectedRootPath(std::string_view file, std::int32_t root) {
  std::string name(file);
  for (char& c : name)
    if (c == '\\') c = '/';  // a key name cannot hold the separator
  char rootText[16];
  std::snprintf(rootText, sizeof rootText, "%08X", static_cast<unsigned>(root));
  return Narrow(kRedirectionKey) + name + "\\" + rootText;
}

RegistryStore& RegistryStore::Instance() {
  static RegistryStore store;
  return store;
}

void RegistryStore::UseFile(std::string file) {
  std::lock_guard lock(mutex_);
  file_ = std::move(file);
  if (file_.empty()) return;
  // The redirected roots exist from the start, as the real ones do.
  for (std::int32_t root : {kHKeyClassesRoot, kHKeyCurrentUser, kHKeyLocalMachine, kHKeyUsers}) {
    OpenKey key;
    Create(*Locate(file_, root, ""), key);
  }
}

// Every call holds the lock for the redirection it reads; the registry does its own locking.
bool RegistryStore::KeyExists(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  std::optional<Location> where = Locate(file_, root, path);
  OpenKey key;
  return where && Open(*where, KEY_READ, key);
}

bool RegistryStore::CreateKey(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  std::optional<Location> where = Locate(file_, root, path);
  OpenKey key;
  return where && Create(*where, key);
}

RegistryStore::DeleteOutcome RegistryStore::DeleteKey(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  path = NormalisedKeyPath(path);
  std::optional<Location> parentAt = Locate(file_, root, ParentKeyPath(path));
  OpenKey parent;
  if (!parentAt || !Open(*parentAt, KEY_READ | KEY_WRITE, parent)) return DeleteOutcome::kParentMissing;
  if (path.empty()) return DeleteOutcome::kFailed;
  std::wstring leaf = Wide(path.substr(ParentKeyPath(path).empty() ? 0 : ParentKeyPath(path).size() + 1));
  {
    // A key with sub-keys stays, as the store has always answered.
    OpenKey key;
    DWORD subKeys = 0;
    if (RegOpenKeyExW(parent.Get(), leaf.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS ||
        RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        subKeys > 0)
      return DeleteOutcome::kFailed;
  }
  return RegDeleteKeyW(parent.Get(), leaf.c_str()) == ERROR_SUCCESS ? DeleteOutcome::kDeleted
                                                                    : DeleteOutcome::kFailed;
}

bool RegistryStore::DeleteValue(std::int32_t root, std::string_view path, std::string_view name) {
  std::lock_guard lock(mutex_);
  std::optional<Location> where = Locate(file_, root, path);
  OpenKey key;
  return where && Open(*where, KEY_SET_VALUE, key) && RegDeleteValueW(key.Get(), Wide(name).c_str()) == ERROR_SUCCESS;
}

std::optional<StoredValue> RegistryStore::ReadValue(std::int32_t root, std::string_view path,
                                                    std::string_view name) {
  std::lock_guard lock(mutex_);
  std::optional<Location> where = Locate(file_, root, path);
  OpenKey key;
  if (!where || !Open(*where, KEY_QUERY_VALUE, key)) return std::nullopt;
  std::wstring valueName = Wide(name);
  DWORD type = 0, size = 0;
  // The value may grow between the two calls: ask again until it fits.
  std::vector<BYTE> data;
  LONG status = ERROR_MORE_DATA;
  while (status == ERROR_MORE_DATA) {
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    data.resize(size);
    status = RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, data.data(), &size);
  }
  if (status != ERROR_SUCCESS) return std::nullopt;
  data.resize(size);
  return Decoded(type, data);
}

bool RegistryStore::WriteValue(std::int32_t root, std::string_view path, std::string_view name,
                               const StoredValue& value) {
  std::lock_guard lock(mutex_);
  std::optional<Location> where = Locate(file_, root, path);
  OpenKey key;
  if (!where || !Create(*where, key)) return false;
  std::vector<BYTE> data = Encoded(value);
  return RegSetValueExW(key.Get(), Wide(name).c_str(), 0, static_cast<DWORD>(value.type), data.data(),
                        static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

std::optional<std::vector<std::string>> RegistryStore::ValueNames(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  std::optional<Location> where = Locate(file_, root, path);
  OpenKey key;
  if (!where || !Open(*where, KEY_QUERY_VALUE, key)) return std::nullopt;
  return EnumeratedNames([&](DWORD index, wchar_t* name, DWORD* length) {
    return RegEnumValueW(key.Get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

std::optional<std::vector<std::string>> RegistryStore::SubKeyNames(std::int32_t root, std::string_view path) {
  std::lock_guard lock(mutex_);
  std::optional<Location> where = Locate(file_, root, path);
  OpenKey key;
  if (!where || !Open(*where, KEY_ENUMERATE_SUB_KEYS, key)) return std::nullopt;
  return EnumeratedNames([&](DWORD index, wchar_t* name, DWORD* length) {
    return RegEnumKeyExW(key.Get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

}  // namespace quillmere
