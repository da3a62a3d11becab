#include "messenger/registry_win.h"

#include <windows.h>

#include <vector>

#include "base/error.h"
#include "base/handles_win.h"

namespace plakato {

std::wstring ReadMachineString(const std::wstring& subKey, const std::wstring& name) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &opened) !=
      ERROR_SUCCESS) {
    return {};
  }
  UniqueKey key(opened);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0) {
    return {};
  }
  // Room for a terminating zero that the stored data may lack.
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
  DWORD got = size;
  if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) !=
      ERROR_SUCCESS) {
    throw AppError(L"Failed to get data for '" + name + L"'");
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw AppError(L"Invalid data type for '" + name + L"'");
  return std::wstring(data.data());  // up to the first zero
}

}  // namespace plakato
