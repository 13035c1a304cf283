// Folder listings with identities, \\?\ paths and deletion through a
// handle. The native calls are looked up at run time: the program also
// starts on systems that lack them (the 95 family, which never gets here).
#include "app/ScanFiles.h"

#include <cstddef>

namespace {

// What the native calls answer and take.
using TStatus = LONG;
constexpr TStatus kNoMoreFiles = static_cast<TStatus>(0x80000006);
constexpr TStatus kNoSuchFile = static_cast<TStatus>(0xC000000F);
constexpr TStatus kInvalidInfoClass = static_cast<TStatus>(0xC0000003);
constexpr TStatus kInvalidParameter = static_cast<TStatus>(0xC000000D);
constexpr TStatus kNotSupported = static_cast<TStatus>(0xC00000BB);
constexpr int kFileDispositionInformation = 13;
constexpr int kFileIdBothDirectoryInformation = 37;
constexpr int kFileDispositionInfo = 4;  // the class of SetFileInformationByHandle
constexpr size_t kListingBytes = 64 * 1024;

struct TIoStatus {
  union {
    TStatus Status;
    void* Pointer;
  };
  ULONG_PTR Information;
};

struct TUnicodeString {
  USHORT Length;
  USHORT MaximumLength;
  PWSTR Buffer;
};

// One entry of the id-both-directory information class.
struct TIdBothDirInfo {
  ULONG NextEntryOffset;
  ULONG FileIndex;
  LARGE_INTEGER CreationTime, LastAccessTime, LastWriteTime, ChangeTime;
  LARGE_INTEGER EndOfFile, AllocationSize;
  ULONG FileAttributes;
  ULONG FileNameLength;
  ULONG EaSize;
  CCHAR ShortNameLength;
  WCHAR ShortName[12];
  LARGE_INTEGER FileId;
  WCHAR FileName[1];
};
static_assert(offsetof(TIdBothDirInfo, FileId) == 96 && offsetof(TIdBothDirInfo, FileName) == 104,
              "the layout the file system writes");

using TQueryDirectoryFile = TStatus(NTAPI*)(HANDLE, HANDLE, PVOID, PVOID, TIoStatus*, PVOID, ULONG,
                                            int, BOOLEAN, TUnicodeString*, BOOLEAN);
using TSetInformationFile = TStatus(NTAPI*)(HANDLE, TIoStatus*, PVOID, ULONG, int);
using TSetFileInformationByHandle = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);

// An export of a loaded system module, or null.
template <class F>
F Export(const char* module, const char* name) {
  const HMODULE m = GetModuleHandleA(module);
  if (!m) return nullptr;
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(m, name)));
}

TQueryDirectoryFile QueryDirectoryFile() {
  static const auto call = Export<TQueryDirectoryFile>("ntdll.dll", "NtQueryDirectoryFile");
  return call;
}

// The identity in a handle's information.
TFileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber,
          (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// True for the errors of a path that names nothing.
bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// True when nothing is at path any more.
bool IsGone(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
}

// Marks the file of handle for deletion when the handle closes: the
// disposition call where the platform has it (Vista and later), else the
// native call that it wraps (the NT family before it).
bool MarkForDeletion(HANDLE file) {
  static const auto setInfo =
      Export<TSetFileInformationByHandle>("kernel32.dll", "SetFileInformationByHandle");
  BOOLEAN deleteFile = TRUE;
  if (setInfo) return setInfo(file, kFileDispositionInfo, &deleteFile, sizeof deleteFile) != FALSE;
  static const auto setNative = Export<TSetInformationFile>("ntdll.dll", "NtSetInformationFile");
  if (!setNative) return false;
  TIoStatus io{};
  return setNative(file, &io, &deleteFile, sizeof deleteFile, kFileDispositionInformation) >= 0;
}

}  // namespace

// \\?\ and the absolute path (\\?\UNC\ for a share).
std::wstring LongPath(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return path;
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// Opens the folder and reads its identity.
TFolderListing::TFolderListing(const std::wstring& folder, const std::wstring& mask)
    : FFolder(folder), FMask(mask), FOffset(std::wstring::npos) {
  FHandle.Reset(CreateFileW(folder.c_str(),
                            FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!FHandle) {
    FFailed = !IsMissing(GetLastError());
    return;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (GetFileInformationByHandle(FHandle.Get(), &info)) FIdentity = IdentityOf(info);
  FUseFind = QueryDirectoryFile() == nullptr;
}

TFolderListing::~TFolderListing() {
  if (FFind != INVALID_HANDLE_VALUE) FindClose(FFind);
}

// Takes the next entry from the batch in hand, fetching one when it is used up.
bool TFolderListing::Next(TFolderEntry& entry) {
  if (!FHandle || FFailed) return false;
  if (FUseFind) return NextFound(entry);
  if (FOffset == std::wstring::npos && !Fetch()) return FUseFind && NextFound(entry);
  const auto* info = reinterpret_cast<const TIdBothDirInfo*>(
      reinterpret_cast<const unsigned char*>(FBuffer.data()) + FOffset);
  entry.Name.assign(info->FileName, info->FileNameLength / sizeof(WCHAR));
  entry.Attributes = info->FileAttributes;
  // An index without its volume's serial is no identity.
  entry.Index = FIdentity.Known() ? static_cast<ULONGLONG>(info->FileId.QuadPart) : 0;
  FOffset = info->NextEntryOffset ? FOffset + info->NextEntryOffset : std::wstring::npos;
  return true;
}

// One call of the native listing: as many entries as fit in the buffer.
bool TFolderListing::Fetch() {
  if (FBuffer.empty()) FBuffer.resize(kListingBytes / sizeof(ULONGLONG));
  TUnicodeString mask{static_cast<USHORT>(FMask.size() * sizeof(WCHAR)),
                      static_cast<USHORT>(FMask.size() * sizeof(WCHAR)), FMask.data()};
  TIoStatus io{};
  const TStatus status = QueryDirectoryFile()(
      FHandle.Get(), nullptr, nullptr, nullptr, &io, FBuffer.data(),
      static_cast<ULONG>(FBuffer.size() * sizeof(ULONGLONG)), kFileIdBothDirectoryInformation,
      FALSE, FRestart && FMask != L"*" ? &mask : nullptr, FRestart);
  const bool first = FRestart;
  FRestart = FALSE;
  if (status == kNoMoreFiles || status == kNoSuchFile) return false;
  if (status < 0) {
    // A file system without this listing class: list by name instead.
    if (first &&
        (status == kInvalidInfoClass || status == kInvalidParameter || status == kNotSupported))
      FUseFind = true;
    else
      FFailed = true;
    return false;
  }
  FOffset = 0;
  return true;
}

// The listing through FindFirstFileW/FindNextFileW; no identities.
bool TFolderListing::NextFound(TFolderEntry& entry) {
  WIN32_FIND_DATAW found;
  if (FFind == INVALID_HANDLE_VALUE) {
    FFind = FindFirstFileW((FFolder + FMask).c_str(), &found);
    if (FFind == INVALID_HANDLE_VALUE) {
      FFailed = !IsMissing(GetLastError()) && GetLastError() != ERROR_NO_MORE_FILES;
      return false;
    }
  } else if (!FindNextFileW(FFind, &found)) {
    FFailed = GetLastError() != ERROR_NO_MORE_FILES;
    return false;
  }
  entry.Name = found.cFileName;
  entry.Attributes = found.dwFileAttributes;
  entry.Index = 0;
  return true;
}

// Opens the file itself (a final link is not followed) for its identity.
bool ReadIdentity(const std::wstring& path, TFileIdentity& id) {
  const TFileHandle file(CreateFileW(
      path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file || !GetFileInformationByHandle(file.Get(), &info)) return false;
  id = IdentityOf(info);
  return id.Known();
}

// Opens, compares and deletes through the one handle; then confirms. The
// confirmation matters: if the path is re-pointed between the marking and
// the closing, the marked file may survive although every call succeeded.
bool DeleteIdentified(const std::wstring& path, const TFileIdentity& id) {
  {
    const TFileHandle file(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                                       nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.Get(), &info)) return false;
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IdentityOf(info) != id) return false;
    if (!MarkForDeletion(file.Get())) return false;
  }
  return IsGone(path);
}

// DeleteFileW, then the confirmation that the name is gone.
bool DeleteNamed(const std::wstring& path) { return DeleteFileW(path.c_str()) && IsGone(path); }

// DeleteFileA, then the confirmation that the name is gone.
bool DeleteNamedAnsi(const std::string& path) {
  if (!DeleteFileA(path.c_str())) return false;
  return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
}
