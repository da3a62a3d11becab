// The emoticon identifier of a file: the MD2 digest of its bytes.
#pragma once

#include <string>

namespace plakato {

// Hashes the file at `path` (a full path) in one sequential pass, holding it
// without sharing meanwhile, and returns its 32-character identifier. Throws
// "Cannot open file ..." when it cannot be opened and "Cannot read file ..."
// when reading fails.
std::string ComputeFileDigest(const std::wstring& path);

}  // namespace plakato
