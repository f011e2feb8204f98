// INI files set up the way other programs and older versions leave them: value by value, through
// the profile functions. The programs themselves never write with those (they replace whole
// files, see common/data_files.h), so the writing half lives here, beside the tests.
#pragma once
#include <windows.h>

#include <string>

#include "common/profile.h"

namespace test {

class WritableProfile : public Profile {
 public:
  using Profile::Profile;
  bool WriteString(const char* section, const char* key, const std::string& value) const {
    return ::WritePrivateProfileStringA(section, key, value.c_str(), Path().c_str()) != 0;
  }
  bool WriteInt(const char* section, const char* key, int value) const {
    return WriteString(section, key, std::to_string(value));
  }
};

}  // namespace test
