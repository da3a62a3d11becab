// Reading the messenger's own records in the registry.
#pragma once

#include <string>

namespace plakato {

// The string value `name` of the key `subKey` under HKEY_LOCAL_MACHINE, as
// stored (an expandable string stays unexpanded), read with read access only
// from the 32-bit view, where a 32-bit program's records live on 64-bit
// Windows. Empty when the key or value is missing, unreadable or empty.
// Throws "Invalid data type for '<name>'" for a value that is not a string
// and "Failed to get data for '<name>'" when the data cannot be read.
std::wstring ReadMachineString(const std::wstring& subKey, const std::wstring& name);

}  // namespace plakato
