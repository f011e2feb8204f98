#include "common/win/text.h"

#include <windows.h>

#include <vector>

namespace wintext {
namespace {
constexpr UINT kCodePage = 932;
}

std::optional<std::string> ToCp932(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  BOOL lost = FALSE;
  const int n = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, &lost);
  return lost ? std::nullopt : std::optional(out);
}

std::string ToCp932Shown(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  const int n =
      ::WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    ::WideCharToMultiByte(kCodePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring FromCp932(std::string_view text) {
  if (text.empty()) return std::wstring();
  const int n = ::MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::optional<std::string> NarrowPath(const std::wstring& path) {
  if (std::optional<std::string> narrow = ToCp932(path)) return narrow;
  const DWORD n = ::GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n == 0) return std::nullopt;
  std::vector<wchar_t> shortPath(n + 1, L'\0');
  const DWORD got = ::GetShortPathNameW(path.c_str(), shortPath.data(), n + 1);
  if (got == 0 || got > n) return std::nullopt;
  return ToCp932(std::wstring_view(shortPath.data(), got));
}

std::u16string FoldForSearch(std::string_view text) {
  std::wstring wide = FromCp932(text);
  if (wide.empty()) return std::u16string();
  const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT);
  // Width and kana first, then case: the flags of one call may not mix the two kinds.
  for (DWORD flags : {static_cast<DWORD>(LCMAP_FULLWIDTH | LCMAP_KATAKANA), static_cast<DWORD>(LCMAP_LOWERCASE)}) {
    const int n = ::LCMapStringW(japanese, flags, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0);
    if (n <= 0) continue;
    std::wstring mapped(static_cast<std::size_t>(n), L'\0');
    ::LCMapStringW(japanese, flags, wide.c_str(), static_cast<int>(wide.size()), mapped.data(), n);
    wide = std::move(mapped);
  }
  return std::u16string(wide.begin(), wide.end());
}

std::string UnwritableNameText(std::string_view shown, bool isFile) {
  return "「" + std::string(shown) +
         (isFile ? "」は名前に扱えない文字を含み, 短い名前もないため登録できません."
                 : "」は名前に扱えない文字を含むため登録できません.");
}

}  // namespace wintext
