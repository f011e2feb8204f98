#include "launcher/packages/package_check.h"

#include <windows.h>

#include <cstring>

#include "common/win/handles.h"

namespace package {

bool LooksLikeCabinet(const std::string& path) {
  if (path.empty()) return false;
  UniqueFile f(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!f) return false;
  char sig[4] = {};
  DWORD got = 0;
  return ::ReadFile(f.Get(), sig, sizeof sig, &got, nullptr) && got == 4 && std::memcmp(sig, "MSCF", 4) == 0;
}

}  // namespace package
