// What the shipped files say of themselves, as Explorer and the loader read them: maker and
// version in the Japanese block, and the control look and DPI mode the programs ask for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/version.h"
#include "tests/support/e2e.h"

namespace {

// A value of the file's version resource: a string as code page 932 text, else its bytes.
std::string VersionValue(const std::string& file, const std::string& path, bool text = true) {
  DWORD ignored = 0;
  std::vector<char> data(::GetFileVersionInfoSizeA(file.c_str(), &ignored));
  char* value = nullptr;
  UINT size = 0;
  if (data.empty() || !::GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()) ||
      !::VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &size))
    return {};
  return text ? std::string(value) : std::string(value, size);
}

std::string Manifest(const std::string& file) {
  HMODULE m = ::LoadLibraryExA(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HRSRC r = m ? ::FindResourceA(m, CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST) : nullptr;
  HGLOBAL loaded = r ? ::LoadResource(m, r) : nullptr;
  std::string text =
      loaded ? std::string(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(m, r)) : "";
  if (m) ::FreeLibrary(m);
  return text;
}

}  // namespace

TEST(ResourcesE2E, EveryFileNamesItsMakerAndVersionAndTheProgramsAskForTheirLookAndDpiMode) {
  const char* files[][2] = {{"TOPLEX.exe", "TOPLEX ランチャー"},
                            {"SEEKAN.exe", "SEEKAN ファイル検索"},
                            {"QUILODLL.dll", "QUILODLL 連携ライブラリ"}};
  for (const auto& [name, description] : files) {
    SCOPED_TRACE(name);
    const std::string file = e2e::ProgramFolder() + name, block = "\\StringFileInfo\\041104B0\\";
    EXPECT_EQ(VersionValue(file, "\\VarFileInfo\\Translation", false), std::string("\x11\x04\xB0\x04", 4));
    EXPECT_EQ(VersionValue(file, block + "CompanyName"), TOPLEX_COMPANY_NAME);
    EXPECT_EQ(VersionValue(file, block + "ProductVersion"), TOPLEX_VERSION_TEXT);
    EXPECT_EQ(VersionValue(file, block + "FileDescription"), description);

    const std::string manifest = Manifest(file);
    if (std::string(name).ends_with(".dll")) {
      EXPECT_EQ(manifest, "") << "a library runs with the manifest of the program that loads it";
      continue;
    }
    EXPECT_NE(manifest.find(">PerMonitorV2<"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  }
}
