// TJvDirectories against registry values set (and restored) in the test's
// own Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/JvDirectories.h"
#include "ui/Filer.h"

namespace {

const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// Sets one registry value for the lifetime of the object and then puts back
// what was there before (or deletes it).
class TScopedRegValue {
public:
  TScopedRegValue(HKEY root, const char* key, const char* name) : FName(name) {
    EXPECT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FKey, nullptr),
              ERROR_SUCCESS);
    DWORD size = 0;
    if (RegQueryValueExA(FKey, name, nullptr, &FType, nullptr, &size) == ERROR_SUCCESS) {
      FOld.resize(size);
      RegQueryValueExA(FKey, name, nullptr, &FType, FOld.empty() ? nullptr : FOld.data(), &size);
      FExisted = true;
    }
  }
  ~TScopedRegValue() {
    if (FExisted)
      RegSetValueExA(FKey, FName.c_str(), 0, FType, FOld.data(), static_cast<DWORD>(FOld.size()));
    else
      RegDeleteValueA(FKey, FName.c_str());
    RegCloseKey(FKey);
  }
  TScopedRegValue(const TScopedRegValue&) = delete;
  TScopedRegValue& operator=(const TScopedRegValue&) = delete;

  // Stores text of type REG_SZ or REG_EXPAND_SZ.
  void SetText(const std::string& text, DWORD type = REG_SZ) {
    ASSERT_EQ(
        RegSetValueExA(FKey, FName.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1)),
        ERROR_SUCCESS);
  }
  void SetDword(DWORD value) {
    ASSERT_EQ(
        RegSetValueExA(FKey, FName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
        ERROR_SUCCESS);
  }
  void Delete() { RegDeleteValueA(FKey, FName.c_str()); }

private:
  HKEY FKey = nullptr;
  std::string FName;
  DWORD FType = REG_NONE;
  std::vector<BYTE> FOld;
  bool FExisted = false;
};

// Sets an environment variable for the lifetime of the object.
class TScopedEnv {
public:
  TScopedEnv(const char* name, const std::string& value) : FName(name) {
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~TScopedEnv() { SetEnvironmentVariableA(FName.c_str(), nullptr); }

private:
  std::string FName;
};

using TGetter = std::string (TJvDirectories::*)() const;

struct TFolderCase {
  const char* Property;
  TGetter Get;
  HKEY Root;
  const char* Value;
};

}  // namespace

TEST(JvDirectories, EachPropertyReadsItsOwnValue) {
  using D = TJvDirectories;
  const HKEY user = HKEY_CURRENT_USER;
  const HKEY machine = HKEY_LOCAL_MACHINE;
  const TFolderCase cases[] = {
      {"ApplicationData", &D::ApplicationData, user, "AppData"},
      {"Cache", &D::Cache, user, "Cache"},
      {"Cookies", &D::Cookies, user, "Cookies"},
      {"Desktop", &D::Desktop, user, "Desktop"},
      {"Favorites", &D::Favorites, user, "Favorites"},
      {"Fonts", &D::Fonts, user, "Fonts"},
      {"History", &D::History, user, "History"},
      {"NetHood", &D::NetHood, user, "NetHood"},
      {"Personal", &D::Personal, user, "Personal"},
      {"Programs", &D::Programs, user, "Programs"},
      {"Recent", &D::Recent, user, "Recent"},
      {"SendTo", &D::SendTo, user, "SendTo"},
      {"StartMenu", &D::StartMenu, user, "Start Menu"},
      {"Startup", &D::Startup, user, "Startup"},
      {"Templates", &D::Templates, user, "Templates"},
      {"CommonAdminTools", &D::CommonAdminTools, machine, "Common Administrative Tools"},
      {"CommonAppData", &D::CommonAppData, machine, "Common AppData"},
      {"CommonDesktop", &D::CommonDesktop, machine, "Common Desktop"},
      {"CommonDocuments", &D::CommonDocuments, machine, "Common Documents"},
      {"CommonPrograms", &D::CommonPrograms, machine, "Common Programs"},
      {"CommonStartMenu", &D::CommonStartMenu, machine, "Common Start Menu"},
      {"CommonStartup", &D::CommonStartup, machine, "Common Startup"},
      {"CommonTemplates", &D::CommonTemplates, machine, "Common Templates"},
      {"CommonPersonal", &D::CommonPersonal, machine, "Personal"},
      {"AllUsersAppData", &D::AllUsersAppData, machine, "Common AppData"},
      {"AllUsersDesktop", &D::AllUsersDesktop, machine, "Common Desktop"},
      {"AllUsersDocuments", &D::AllUsersDocuments, machine, "Common Documents"},
      {"AllUsersPrograms", &D::AllUsersPrograms, machine, "Common Programs"},
      {"AllUsersStartMenu", &D::AllUsersStartMenu, machine, "Common Start Menu"},
      {"AllUsersStartup", &D::AllUsersStartup, machine, "Common Startup"},
      {"AllUsersTemplates", &D::AllUsersTemplates, machine, "Common Templates"},
      {"AllUsersFavorites", &D::AllUsersFavorites, machine, "Common Favorites"},
  };
  TJvDirectories dirs(nullptr);
  for (const TFolderCase& c : cases) {
    TScopedRegValue value(c.Root, kShellFolders, c.Value);
    const std::string path =
        std::string("C:\\quorvel\\") + (c.Root == user ? "user " : "machine ") + c.Value;
    value.SetText(path);
    EXPECT_EQ((dirs.*c.Get)(), path + "\\") << c.Property;
    EXPECT_NE(TJvDirectories::StaticClass().FindProp(c.Property), nullptr) << c.Property;
  }

  TScopedRegValue programFiles(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir");
  programFiles.SetText("D:\\Programmes");
  EXPECT_EQ(dirs.ProgramFiles(), "D:\\Programmes\\");
}

TEST(JvDirectories, OneTrailingBackslashAndEmptyWhenMissing) {
  TJvDirectories dirs(nullptr);
  TScopedRegValue cache(HKEY_CURRENT_USER, kShellFolders, "Cache");
  cache.SetText("C:\\users\\q\\Temporary Internet Files");
  EXPECT_EQ(dirs.Cache(), "C:\\users\\q\\Temporary Internet Files\\");
  cache.SetText("C:\\users\\q\\cache\\");
  EXPECT_EQ(dirs.Cache(), "C:\\users\\q\\cache\\");
  cache.SetText("");
  EXPECT_EQ(dirs.Cache(), "");

  TScopedRegValue cookies(HKEY_CURRENT_USER, kShellFolders, "Cookies");
  cookies.Delete();
  EXPECT_EQ(dirs.Cookies(), "");
}

TEST(JvDirectories, AllUsersFoldersExpandTheEnvironmentCommonOnesDoNot) {
  char profile[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("ALLUSERSPROFILE", profile, MAX_PATH), 0u);
  TJvDirectories dirs(nullptr);
  TScopedRegValue desktop(HKEY_LOCAL_MACHINE, kShellFolders, "Common Desktop");
  desktop.SetText("%ALLUSERSPROFILE%\\Desktop", REG_EXPAND_SZ);
  EXPECT_EQ(dirs.CommonDesktop(), "%ALLUSERSPROFILE%\\Desktop\\");
  EXPECT_EQ(dirs.AllUsersDesktop(), std::string(profile) + "\\Desktop\\");

  // A plain string is expanded as well: the type does not decide.
  const TScopedEnv env("QUORVEL_TEST_ROOT", "E:\\q");
  desktop.SetText("%QUORVEL_TEST_ROOT%\\Bureau");
  EXPECT_EQ(dirs.AllUsersDesktop(), "E:\\q\\Bureau\\");
  EXPECT_EQ(dirs.CommonDesktop(), "%QUORVEL_TEST_ROOT%\\Bureau\\");
}

TEST(JvDirectories, TooLongAnExpansionIsEmpty) {
  const TScopedEnv env("QUORVEL_TEST_LONG", "C:\\" + std::string(300, 'x'));
  TJvDirectories dirs(nullptr);
  TScopedRegValue templates(HKEY_LOCAL_MACHINE, kShellFolders, "Common Templates");
  templates.SetText("%QUORVEL_TEST_LONG%");
  EXPECT_EQ(dirs.AllUsersTemplates(), "");
  EXPECT_EQ(dirs.CommonTemplates(), "%QUORVEL_TEST_LONG%\\");

  const TScopedEnv fits("QUORVEL_TEST_FITS", std::string(258, 'y'));
  templates.SetText("%QUORVEL_TEST_FITS%");
  EXPECT_EQ(dirs.AllUsersTemplates(), std::string(258, 'y') + "\\");
}

TEST(JvDirectories, AValueOfAnotherTypeReadsAsEmpty) {
  TJvDirectories dirs(nullptr);
  TScopedRegValue favorites(HKEY_CURRENT_USER, kShellFolders, "Favorites");
  favorites.SetDword(42);
  EXPECT_EQ(dirs.Favorites(), "");
  TScopedRegValue common(HKEY_LOCAL_MACHINE, kShellFolders, "Common Favorites");
  common.SetDword(7);
  EXPECT_EQ(dirs.AllUsersFavorites(), "");
}

TEST(JvDirectories, PlatformFoldersEndInOneBackslash) {
  TJvDirectories dirs(nullptr);
  char buffer[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH + 1, buffer);
  EXPECT_EQ(dirs.CurrentDirectory(), AddTrailingBackslash(buffer));
  GetTempPathA(MAX_PATH + 1, buffer);
  EXPECT_EQ(dirs.TempPath(), buffer) << "already ends in a backslash";
  for (const std::string& path :
       {dirs.WindowsDirectory(), dirs.SystemDirectory(), dirs.TempPath()}) {
    ASSERT_GE(path.size(), 4u);
    EXPECT_EQ(path.back(), '\\');
    EXPECT_NE(path[path.size() - 2], '\\');
  }
}

TEST(JvDirectories, WritingAPropertyChangesNothing) {
  TScopedRegValue history(HKEY_CURRENT_USER, kShellFolders, "History");
  history.SetText("C:\\h");
  TJvDirectories dirs(nullptr);
  dirs.WriteReadOnly("Z:\\elsewhere");
  EXPECT_EQ(dirs.History(), "C:\\h\\");

  // Through a definition that sets the property, too.
  TMemoryStream definition;
  TWriter w(definition);
  w.WriteSignature();
  w.WriteStr("TJvDirectories");
  w.WriteStr("jvdir");
  w.WriteStr("History");
  w.WriteString("Z:\\elsewhere");
  w.WriteListEnd();
  w.WriteListEnd();
  definition.SetPosition(0);
  ReadComponentFromStream(definition, &dirs);
  EXPECT_EQ(dirs.Name(), "jvdir");
  EXPECT_EQ(dirs.History(), "C:\\h\\");

  // Nothing of it is stored.
  TMemoryStream stored;
  WriteComponentToStream(stored, &dirs);
  const std::string bytes(stored.Bytes().begin(), stored.Bytes().end());
  EXPECT_EQ(bytes.find("History"), std::string::npos);
  EXPECT_EQ(bytes.find("Cache"), std::string::npos);
}
