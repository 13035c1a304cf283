// TJvDirectories: special folders from kernel32 and the shell's registry keys.
#include <windows.h>

#include "components/JvDirectories.h"

#include <cassert>

#include "ui/Handles.h"
#include "ui/Published.h"

namespace {

// The current user's shell-folder key, under HKEY_CURRENT_USER.
const char kUserShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
// The same key under HKEY_LOCAL_MACHINE.
const char kMachineShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
// The key and value of the program-files folder, under HKEY_LOCAL_MACHINE.
const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";
const char kProgramFilesValue[] = "ProgramFilesDir";

// Value names: 0..14 per user, 15..24 for all users.
const char* const kFolderValueNames[] = {
    "AppData",           "Cache",          "Cookies",          "Desktop",
    "Favorites",         "Fonts",          "History",          "NetHood",
    "Personal",          "Programs",       "Recent",           "SendTo",
    "Start Menu",        "Startup",        "Templates",        "Common Administrative Tools",
    "Common AppData",    "Common Desktop", "Common Documents", "Common Programs",
    "Common Start Menu", "Common Startup", "Common Templates", "Personal",
    "Common Favorites",
};
constexpr int kUserFolderCount = 15;
constexpr int kMachineFolderCount = 10;
constexpr int kFolderNameCount =
    static_cast<int>(sizeof(kFolderValueNames) / sizeof(kFolderValueNames[0]));
static_assert(kFolderNameCount == kUserFolderCount + kMachineFolderCount, "one name per folder");

// The platform calls fill buffers of this many characters.
constexpr DWORD kPathBufferSize = 261;
// Expanded texts hold at most this many characters.
constexpr DWORD kMaxExpandedLength = 259;

// A registry value that is not text, or text that cannot be expanded.
class ERegistryException : public Exception {
  using Exception::Exception;
};

// Opens path under root with full access, without creating it; a key that
// cannot be opened leaves the owner empty.
TRegKeyObject OpenRegKey(HKEY root, const char* path) {
  TRegKeyObject key;
  if (RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
    key.Release();  // not a key
  return key;
}

// The text up to the first zero character of a filled buffer.
std::string TextOf(const char* buffer, size_t size) {
  size_t n = 0;
  while (n < size && buffer[n] != '\0') ++n;
  return std::string(buffer, n);
}

// A text value as stored (plain and expandable strings alike); a missing
// value or key is empty text; any other value type raises ERegistryException.
std::string ReadRegistryString(HKEY root, const char* path, const char* name) {
  const TRegKeyObject key = OpenRegKey(root, path);
  if (!key.Get()) return std::string();
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::string();
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException(Format("Invalid data type for '%s'", name));
  if (size == 0) return std::string();
  std::string data(size, '\0');
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
      ERROR_SUCCESS)
    throw ERegistryException(Format("Invalid data type for '%s'", name));
  return TextOf(data.data(), size < data.size() ? size : data.size());
}

// text with its environment variables replaced; raises ERegistryException
// when the result does not fit.
std::string ExpandEnvironment(const std::string& text) {
  char buffer[kMaxExpandedLength + 1] = {};
  const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer, kMaxExpandedLength + 1);
  if (needed == 0 || needed > kMaxExpandedLength + 1)
    throw ERegistryException("Expanded path too long");
  return TextOf(buffer, sizeof buffer);
}

// A registry folder with a trailing backslash, or empty text on any failure.
std::string ReadFolder(HKEY root, const char* path, const char* name, bool expand) {
  try {
    std::string text = ReadRegistryString(root, path, name);
    if (expand) text = ExpandEnvironment(text);
    return AddTrailingBackslash(text);
  } catch (const Exception&) {
    return std::string();
  }
}

// The value name at a position of the table.
const char* FolderValueName(int position) {
  assert(position >= 0 && position < kFolderNameCount);
  return kFolderValueNames[position];
}

}  // namespace

QUORVEL_DEFINE_CLASS(TJvDirectories) {
  using D = TJvDirectories;
  const auto write = &D::WriteReadOnly;
  p.String("CurrentDirectory", &D::CurrentDirectory, write).NotStored();
  p.String("WindowsDirectory", &D::WindowsDirectory, write).NotStored();
  p.String("SystemDirectory", &D::SystemDirectory, write).NotStored();
  p.String("TempPath", &D::TempPath, write).NotStored();
  p.String("ApplicationData", &D::ApplicationData, write).NotStored();
  p.String("Cache", &D::Cache, write).NotStored();
  p.String("Cookies", &D::Cookies, write).NotStored();
  p.String("Desktop", &D::Desktop, write).NotStored();
  p.String("Favorites", &D::Favorites, write).NotStored();
  p.String("Fonts", &D::Fonts, write).NotStored();
  p.String("History", &D::History, write).NotStored();
  p.String("NetHood", &D::NetHood, write).NotStored();
  p.String("Personal", &D::Personal, write).NotStored();
  p.String("Programs", &D::Programs, write).NotStored();
  p.String("ProgramFiles", &D::ProgramFiles, write).NotStored();
  p.String("Recent", &D::Recent, write).NotStored();
  p.String("SendTo", &D::SendTo, write).NotStored();
  p.String("StartMenu", &D::StartMenu, write).NotStored();
  p.String("Startup", &D::Startup, write).NotStored();
  p.String("Templates", &D::Templates, write).NotStored();
  p.String("CommonAdminTools", &D::CommonAdminTools, write).NotStored();
  p.String("CommonAppData", &D::CommonAppData, write).NotStored();
  p.String("CommonDesktop", &D::CommonDesktop, write).NotStored();
  p.String("CommonDocuments", &D::CommonDocuments, write).NotStored();
  p.String("CommonPrograms", &D::CommonPrograms, write).NotStored();
  p.String("CommonStartMenu", &D::CommonStartMenu, write).NotStored();
  p.String("CommonStartup", &D::CommonStartup, write).NotStored();
  p.String("CommonTemplates", &D::CommonTemplates, write).NotStored();
  p.String("CommonPersonal", &D::CommonPersonal, write).NotStored();
  p.String("AllUsersAppData", &D::AllUsersAppData, write).NotStored();
  p.String("AllUsersDesktop", &D::AllUsersDesktop, write).NotStored();
  p.String("AllUsersDocuments", &D::AllUsersDocuments, write).NotStored();
  p.String("AllUsersPrograms", &D::AllUsersPrograms, write).NotStored();
  p.String("AllUsersStartMenu", &D::AllUsersStartMenu, write).NotStored();
  p.String("AllUsersStartup", &D::AllUsersStartup, write).NotStored();
  p.String("AllUsersTemplates", &D::AllUsersTemplates, write).NotStored();
  p.String("AllUsersFavorites", &D::AllUsersFavorites, write).NotStored();
}

// A component with nothing of its own to set up.
TJvDirectories::TJvDirectories(TComponent* owner) : TJvComponent(owner) {}

// GetCurrentDirectoryA with a trailing backslash.
std::string TJvDirectories::ReadCurrentDirectory() const {
  char buffer[kPathBufferSize] = {};
  GetCurrentDirectoryA(kPathBufferSize, buffer);
  return AddTrailingBackslash(TextOf(buffer, kPathBufferSize));
}

// GetWindowsDirectoryA with a trailing backslash.
std::string TJvDirectories::ReadWindowsDirectory() const {
  char buffer[kPathBufferSize] = {};
  GetWindowsDirectoryA(buffer, kPathBufferSize);
  return AddTrailingBackslash(TextOf(buffer, kPathBufferSize));
}

// GetSystemDirectoryA with a trailing backslash.
std::string TJvDirectories::ReadSystemDirectory() const {
  char buffer[kPathBufferSize] = {};
  GetSystemDirectoryA(buffer, kPathBufferSize);
  return AddTrailingBackslash(TextOf(buffer, kPathBufferSize));
}

// GetTempPathA with a trailing backslash.
std::string TJvDirectories::ReadTempPath() const {
  char buffer[kPathBufferSize] = {};
  GetTempPathA(kPathBufferSize, buffer);
  return AddTrailingBackslash(TextOf(buffer, kPathBufferSize));
}

// The current user's shell folder of that index.
std::string TJvDirectories::ReadShellFolder(int index) const {
  assert(index >= 0 && index < kUserFolderCount);
  return ReadFolder(HKEY_CURRENT_USER, kUserShellFoldersKey, FolderValueName(index), false);
}

// The all-users shell folder of that index, as stored.
std::string TJvDirectories::ReadCommonShellFolder(int index) const {
  assert(index >= 0 && index < kMachineFolderCount);
  return ReadFolder(HKEY_LOCAL_MACHINE, kMachineShellFoldersKey,
                    FolderValueName(kUserFolderCount + index), false);
}

// The all-users shell folder of that index, environment expanded.
std::string TJvDirectories::ReadAllUsersShellFolder(int index) const {
  assert(index >= 0 && index < kMachineFolderCount);
  return ReadFolder(HKEY_LOCAL_MACHINE, kMachineShellFoldersKey,
                    FolderValueName(kUserFolderCount + index), true);
}

// The program-files folder from the machine's CurrentVersion key.
std::string TJvDirectories::ReadProgramFiles() const {
  return ReadFolder(HKEY_LOCAL_MACHINE, kCurrentVersionKey, kProgramFilesValue, false);
}

// Keeps the written value aside; no property reads it.
void TJvDirectories::WriteReadOnly(const std::string& value) { FWritten = value; }
