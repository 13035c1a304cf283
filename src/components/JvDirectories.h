// TJvDirectories: read-only paths of the platform's special folders, asked
// afresh from the platform and the registry on every read.
#pragma once

#include <string>

#include "components/JvComponent.h"

// Every path it returns is empty or ends in a backslash; no read ever raises.
class TJvDirectories : public TJvComponent {
  QUORVEL_CLASS(TJvDirectories, TJvComponent)
public:
  explicit TJvDirectories(TComponent* owner);

  // The platform's folders.
  std::string ReadCurrentDirectory() const;
  std::string ReadWindowsDirectory() const;
  std::string ReadSystemDirectory() const;
  std::string ReadTempPath() const;
  // The current user's shell folder at index (0..14) of the value-name table.
  std::string ReadShellFolder(int index) const;
  // The all-users shell folder at position 15 + index, as stored.
  std::string ReadCommonShellFolder(int index) const;
  // The all-users shell folder at position 15 + index, environment expanded.
  std::string ReadAllUsersShellFolder(int index) const;
  std::string ReadProgramFiles() const;

  // Accepts a written property value; it changes nothing that is read back.
  void WriteReadOnly(const std::string& value);

  // The published properties, by name.
  std::string CurrentDirectory() const { return ReadCurrentDirectory(); }
  std::string WindowsDirectory() const { return ReadWindowsDirectory(); }
  std::string SystemDirectory() const { return ReadSystemDirectory(); }
  std::string TempPath() const { return ReadTempPath(); }
  std::string ApplicationData() const { return ReadShellFolder(0); }
  std::string Cache() const { return ReadShellFolder(1); }
  std::string Cookies() const { return ReadShellFolder(2); }
  std::string Desktop() const { return ReadShellFolder(3); }
  std::string Favorites() const { return ReadShellFolder(4); }
  std::string Fonts() const { return ReadShellFolder(5); }
  std::string History() const { return ReadShellFolder(6); }
  std::string NetHood() const { return ReadShellFolder(7); }
  std::string Personal() const { return ReadShellFolder(8); }
  std::string Programs() const { return ReadShellFolder(9); }
  std::string ProgramFiles() const { return ReadProgramFiles(); }
  std::string Recent() const { return ReadShellFolder(10); }
  std::string SendTo() const { return ReadShellFolder(11); }
  std::string StartMenu() const { return ReadShellFolder(12); }
  std::string Startup() const { return ReadShellFolder(13); }
  std::string Templates() const { return ReadShellFolder(14); }
  std::string CommonAdminTools() const { return ReadCommonShellFolder(0); }
  std::string CommonAppData() const { return ReadCommonShellFolder(1); }
  std::string CommonDesktop() const { return ReadCommonShellFolder(2); }
  std::string CommonDocuments() const { return ReadCommonShellFolder(3); }
  std::string CommonPrograms() const { return ReadCommonShellFolder(4); }
  std::string CommonStartMenu() const { return ReadCommonShellFolder(5); }
  std::string CommonStartup() const { return ReadCommonShellFolder(6); }
  std::string CommonTemplates() const { return ReadCommonShellFolder(7); }
  std::string CommonPersonal() const { return ReadCommonShellFolder(8); }
  std::string AllUsersAppData() const { return ReadAllUsersShellFolder(1); }
  std::string AllUsersDesktop() const { return ReadAllUsersShellFolder(2); }
  std::string AllUsersDocuments() const { return ReadAllUsersShellFolder(3); }
  std::string AllUsersPrograms() const { return ReadAllUsersShellFolder(4); }
  std::string AllUsersStartMenu() const { return ReadAllUsersShellFolder(5); }
  std::string AllUsersStartup() const { return ReadAllUsersShellFolder(6); }
  std::string AllUsersTemplates() const { return ReadAllUsersShellFolder(7); }
  std::string AllUsersFavorites() const { return ReadAllUsersShellFolder(9); }

private:
  // Where written property values go; nothing reads it.
  std::string FWritten;
};
