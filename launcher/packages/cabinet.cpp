// libmspack is built with 64-bit file offsets; its callbacks must see the same off_t.
#define _FILE_OFFSET_BITS 64

#include "launcher/packages/cabinet.h"

#include <windows.h>

#include <mspack.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "common/win/handles.h"
#include "launcher/packages/package_rules.h"

namespace package {
namespace {

// libmspack's file and memory callbacks over Win32 files. Reads may open any disk file (the
// library opens only the cabinet it was given); writes are refused outside one folder and
// beyond a byte budget, so the decoder cannot be talked into filling the disk.
struct System : mspack_system {
  std::string writeFolder;
  unsigned long long budget = kMaxCabinetBytes;
};

struct File : mspack_file {
  UniqueFile handle;
  System* system = nullptr;
  bool writing = false;
};

File* AsFile(mspack_file* f) { return static_cast<File*>(f); }

mspack_file* Open(mspack_system* self, const char* name, int mode) {
  System* sys = static_cast<System*>(self);
  UniqueFile h;
  if (mode == MSPACK_SYS_OPEN_READ) {
    h.Reset(::CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A pipe or a device could block a read for ever; only a disk file is a cabinet.
    if (h && ::GetFileType(h.Get()) != FILE_TYPE_DISK) return nullptr;
  } else if (mode == MSPACK_SYS_OPEN_WRITE) {
    std::size_t n = sys->writeFolder.size();
    if (n == 0 || std::strncmp(name, sys->writeFolder.c_str(), n) != 0 || !IsPlainName(name + n)) return nullptr;
    h.Reset(
        ::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (!h) return nullptr;
  File* f = new (std::nothrow) File;
  if (!f) return nullptr;
  f->handle = std::move(h);
  f->system = sys;
  f->writing = mode == MSPACK_SYS_OPEN_WRITE;
  return f;
}

void Close(mspack_file* file) {
  delete AsFile(file);  // its handle closes with it
}

int Read(mspack_file* file, void* buffer, int bytes) {
  if (!file || bytes < 0) return -1;
  DWORD got = 0;
  if (!::ReadFile(AsFile(file)->handle.Get(), buffer, static_cast<DWORD>(bytes), &got, nullptr)) return -1;
  return static_cast<int>(got);
}

int Write(mspack_file* file, void* buffer, int bytes) {
  if (!file || bytes < 0 || !AsFile(file)->writing) return -1;
  System* sys = AsFile(file)->system;
  if (static_cast<unsigned long long>(bytes) > sys->budget) return -1;
  DWORD done = 0;
  if (!::WriteFile(AsFile(file)->handle.Get(), buffer, static_cast<DWORD>(bytes), &done, nullptr) ||
      done != static_cast<DWORD>(bytes))
    return -1;
  sys->budget -= done;
  return bytes;
}

int Seek(mspack_file* file, off_t offset, int mode) {
  if (!file) return -1;
  DWORD how = mode == MSPACK_SYS_SEEK_START ? FILE_BEGIN : mode == MSPACK_SYS_SEEK_CUR ? FILE_CURRENT : FILE_END;
  if (mode != MSPACK_SYS_SEEK_START && mode != MSPACK_SYS_SEEK_CUR && mode != MSPACK_SYS_SEEK_END) return -1;
  LARGE_INTEGER to;
  to.QuadPart = offset;
  return ::SetFilePointerEx(AsFile(file)->handle.Get(), to, nullptr, how) ? 0 : -1;
}

off_t Tell(mspack_file* file) {
  if (!file) return -1;
  LARGE_INTEGER zero{}, at{};
  if (!::SetFilePointerEx(AsFile(file)->handle.Get(), zero, &at, FILE_CURRENT)) return -1;
  return static_cast<off_t>(at.QuadPart);
}

void Message(mspack_file*, const char*, ...) {}  // the library's notes reach no one: there is no log
void* Alloc(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void Free(void* p) { std::free(p); }
void Copy(void* src, void* dst, size_t bytes) { std::memmove(dst, src, bytes); }

struct DecompressorDeleter {
  void operator()(mscab_decompressor* d) const { mspack_destroy_cab_decompressor(d); }
};

// The name a file is stored under, as a system (code page) name; "" when it has none there.
std::string StoredName(const mscabd_file* f) {
  if (!f->filename) return std::string();
  std::string raw(f->filename);
  if (!(f->attribs & MSCAB_ATTRIB_UTF_NAME)) return raw;
  int wide = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw.c_str(), -1, nullptr, 0);
  if (wide <= 0) return std::string();
  std::vector<wchar_t> w(static_cast<std::size_t>(wide));
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, raw.c_str(), -1, w.data(), wide);
  BOOL lossy = FALSE;
  int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), -1, nullptr, 0, nullptr, &lossy);
  if (n <= 0 || lossy) return std::string();
  std::vector<char> out(static_cast<std::size_t>(n));
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), -1, out.data(), n, nullptr, &lossy);
  return lossy ? std::string() : std::string(out.data());
}

// The stored date and time are local DOS values; the file gets them as creation and write time.
void ApplyStoredDetails(const std::string& path, const mscabd_file* f) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(f->date_y);
  st.wMonth = static_cast<WORD>(f->date_m);
  st.wDay = static_cast<WORD>(f->date_d);
  st.wHour = static_cast<WORD>(f->time_h);
  st.wMinute = static_cast<WORD>(f->time_m);
  st.wSecond = static_cast<WORD>(f->time_s);
  FILETIME local, utc;
  if (::SystemTimeToFileTime(&st, &local) && ::LocalFileTimeToFileTime(&local, &utc)) {
    UniqueFile h(
        ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h) ::SetFileTime(h.Get(), &utc, nullptr, &utc);
  }
  DWORD attributes = static_cast<DWORD>(f->attribs) &
                     (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
  ::SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
}

}  // namespace

bool LooksLikeCabinet(const std::string& path) {
  if (path.empty()) return false;
  UniqueFile f(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                             nullptr));
  if (!f || ::GetFileType(f.Get()) != FILE_TYPE_DISK) return false;
  char sig[4] = {};
  DWORD got = 0;
  return ::ReadFile(f.Get(), sig, sizeof sig, &got, nullptr) && got == 4 && std::memcmp(sig, "MSCF", 4) == 0;
}

int ExtractCabinet(const std::string& cabinet, const std::string& folder) {
  int selftest = MSPACK_ERR_OK;
  MSPACK_SYS_SELFTEST(selftest);
  if (selftest != MSPACK_ERR_OK) return 0;

  System sys;
  sys.open = Open;
  sys.close = Close;
  sys.read = Read;
  sys.write = Write;
  sys.seek = Seek;
  sys.tell = Tell;
  sys.message = Message;
  sys.alloc = Alloc;
  sys.free = Free;
  sys.copy = Copy;
  sys.null_ptr = nullptr;
  sys.writeFolder = folder;
  std::unique_ptr<mscab_decompressor, DecompressorDeleter> cabd(mspack_create_cab_decompressor(&sys));
  if (!cabd) return 0;
  if (!LooksLikeCabinet(cabinet)) return 0;

  mscabd_cabinet* cab = cabd->open(cabd.get(), cabinet.c_str());
  if (!cab) return 0;
  struct CabinetCloser {
    mscab_decompressor* d;
    mscabd_cabinet* c;
    ~CabinetCloser() { d->close(d, c); }
  } closer{cabd.get(), cab};

  // Every name is checked, and the totals, before the first byte is written.
  std::vector<std::pair<const mscabd_file*, std::string>> targets;
  unsigned long long total = 0;
  for (const mscabd_file* f = cab->files; f; f = f->next) {
    total += f->length;
    if (targets.size() >= kMaxCabinetFiles || total > kMaxCabinetBytes) return 0;
    std::string target = JoinPlain(folder, StoredName(f));
    if (target.empty()) return 0;
    targets.emplace_back(f, std::move(target));
  }
  for (const auto& [f, target] : targets) {
    if (cabd->extract(cabd.get(), const_cast<mscabd_file*>(f), target.c_str()) != MSPACK_ERR_OK) return 0;
    ApplyStoredDetails(target, f);
  }
  return 1;
}

}  // namespace package
