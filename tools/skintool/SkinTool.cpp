// skintool: builds skin files from a folder of entries and takes them apart.
//   skintool unpack SKINFILE ARCHIVE   decompress a skin file into its archive
//   skintool list SKINFILE             name and size of each entry
//   skintool extract SKINFILE DIR      write each entry and the list file to DIR
//   skintool pack DIR SKINFILE         archive and compress the entries in DIR
//   skintool check SKINFILE|DIR        list every problem of a skin, for its author
// The entries of a folder, in archive order, are named one per line in its
// list file "entries.lst".
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "lzhuf/LzhufEncoder.h"
#include "skin/data/IniFile.h"
#include "skin/data/LZH.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinStore.h"
#include "skin/data/SkinValidation.h"
#include "skin/data/SkinValuesReader.h"
#include "ui/Streams.h"
#include "ui/SysUtils.h"

namespace fs = std::filesystem;

namespace {

const char* const ListFileName = "entries.lst";

// Why a command failed; reported on stderr by main.
class EToolError : public Exception {
public:
  using Exception::Exception;
};

// Reports the reader's message as a tool error.
void ThrowSkinMessage(const std::string& Text) {
  std::string line = Text;
  for (char& c : line) {
    if (c == '\r') c = ' ';
  }
  throw EToolError(line);
}

// Appends Value as a 32-bit little-endian word.
void AppendLE32(std::vector<uint8_t>& Out, uint32_t Value) {
  for (int shift = 0; shift < 32; shift += 8) Out.push_back(static_cast<uint8_t>(Value >> shift));
}

// True for a plain file name: no folders, nothing that leaves DIR.
bool IsPlainFileName(const std::string& Name) {
  return !Name.empty() && Name != "." && Name != ".." &&
         Name.find_first_of("/\\:") == std::string::npos;
}

// The lines of Text, split at CR, LF or CR LF, without empty ones.
std::vector<std::string> NonEmptyLines(const std::string& Text) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : Text) {
    if (c == '\r' || c == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The bytes of a skin file, refused when its size word announces more than
// any skin holds (a damaged file would otherwise fill memory).
std::vector<uint8_t> ReadSkinFile(const std::string& SkinFile) {
  TMemoryStream file(ReadFileBytes(SkinFile));
  const uint32_t announced = AnnouncedArchiveSize(file);
  if (announced > MaxSkinArchiveSize) {
    throw EToolError(Format("%s: announces an archive of %u bytes; a skin holds at most %u",
                            SkinFile.c_str(), announced, MaxSkinArchiveSize));
  }
  return file.Bytes();
}

// Decompresses a skin file into its archive bytes.
std::vector<uint8_t> UnpackFile(const std::string& SkinFile) {
  TMemoryStream source(ReadSkinFile(SkinFile));
  TMemoryStream archive;
  Unpack(source, archive);
  return archive.Bytes();
}

// Loads a skin file into Reader, or raises with the reason.
void LoadSkin(const std::string& SkinFile, TSkinReader& Reader) {
  TMemoryStream source(ReadSkinFile(SkinFile));
  if (!Reader.Load(source)) {
    throw EToolError(SkinFile +
                     ": damaged skin archive (parts run past its end or too many entries)");
  }
}

// Builds the archive of the entries listed in DIR's list file.
std::vector<uint8_t> BuildArchive(const fs::path& Dir) {
  const std::vector<uint8_t> listBytes = ReadFileBytes((Dir / ListFileName).string());
  const std::vector<std::string> names =
      NonEmptyLines(std::string(listBytes.begin(), listBytes.end()));
  if (names.size() > static_cast<size_t>(TSkinReader::MaxEntries)) {
    throw EToolError(Format("%u entries; a skin holds at most %d",
                            static_cast<unsigned>(names.size()), TSkinReader::MaxEntries));
  }

  std::string namesText;
  std::vector<std::vector<uint8_t>> entries;
  for (const std::string& name : names) {
    if (!IsPlainFileName(name)) throw EToolError("not a plain file name: " + name);
    if (!namesText.empty()) namesText += "\r\n";
    namesText += name;
    entries.push_back(ReadFileBytes((Dir / name).string()));
    if (entries.back().size() > 0xFFFFFFFFu) throw EToolError("entry too large: " + name);
  }

  std::vector<uint8_t> archive;
  AppendLE32(archive, TSkinReader::ArchiveVersion);
  AppendLE32(archive, static_cast<uint32_t>(namesText.size()));
  AppendLE32(archive, 0);
  AppendLE32(archive, 0);
  archive.insert(archive.end(), namesText.begin(), namesText.end());
  for (const auto& entry : entries) AppendLE32(archive, static_cast<uint32_t>(entry.size()));
  for (const auto& entry : entries) archive.insert(archive.end(), entry.begin(), entry.end());
  return archive;
}

// skintool unpack SKINFILE ARCHIVE
void CommandUnpack(const std::string& SkinFile, const std::string& ArchiveFile) {
  WriteFileBytes(ArchiveFile, UnpackFile(SkinFile));
}

// skintool list SKINFILE
void CommandList(const std::string& SkinFile) {
  TSkinReader reader;
  LoadSkin(SkinFile, reader);
  for (int i = 0; i < reader.EntryCount(); ++i) {
    std::printf("%-32s %10u\n", reader.Names().Get(i).c_str(),
                static_cast<unsigned>(reader.EntrySize(i)));
  }
}

// skintool extract SKINFILE DIR
void CommandExtract(const std::string& SkinFile, const fs::path& Dir) {
  TSkinReader reader;
  LoadSkin(SkinFile, reader);
  fs::create_directories(Dir);
  std::vector<std::string> written;
  std::string list;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    const std::string name = reader.Names().Get(i);
    if (!IsPlainFileName(name) || name == ListFileName) {
      throw EToolError("entry name cannot be extracted: " + name);
    }
    if (std::find(written.begin(), written.end(), name) != written.end()) {
      // Lookups only ever reach the first of equal names.
      std::fprintf(stderr, "skintool: skipping second entry named %s\n", name.c_str());
      continue;
    }
    TMemoryStream entry;
    reader.GetEntryAt(i, entry);
    WriteFileBytes((Dir / name).string(), entry.Bytes());
    written.push_back(name);
    list += name + "\r\n";
  }
  WriteFileBytes((Dir / ListFileName).string(), std::vector<uint8_t>(list.begin(), list.end()));
}

// skintool pack DIR SKINFILE; checks that the result decompresses exactly.
void CommandPack(const fs::path& Dir, const std::string& SkinFile) {
  const std::vector<uint8_t> archive = BuildArchive(Dir);
  const std::vector<uint8_t> skin = LzhufPackSkinFile(archive);
  TMemoryStream source(skin);
  TMemoryStream check;
  Unpack(source, check);
  if (check.Bytes() != archive)
    throw EToolError("compressed skin does not decompress to its archive");
  WriteFileBytes(SkinFile, skin);
}

// skintool payload SKINFILE OUT: the skin as a window definition stores it
// (a 32-bit size, then the skin file).
void CommandPayload(const std::string& SkinFile, const std::string& OutFile) {
  TMemoryStream store(ReadFileBytes(SkinFile));
  TMemoryStream payload;
  WriteSkinStorePayload(payload, store);
  WriteFileBytes(OutFile, payload.Bytes());
}

// Exit status of check: a skin that could not be read at all.
constexpr int CheckUnreadable = 2;

// The archive of a skin file or of a folder as pack takes it, in Reader;
// raises with the reason when it cannot be read.
void LoadForCheck(const std::string& Path, TSkinReader& Reader) {
  if (fs::is_directory(Path)) {
    if (!Reader.LoadArchive(BuildArchive(Path)))
      throw EToolError(Path + ": the entries do not make a skin archive");
    return;
  }
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadSkinFileBytes(Path, bytes, error)) throw EToolError(Path + ": " + error);
  TMemoryStream file(std::move(bytes));
  const uint32_t announced = AnnouncedArchiveSize(file);
  if (announced > MaxSkinArchiveSize)
    throw EToolError(Format("%s: announces an archive of %u bytes; a skin holds at most %u",
                            Path.c_str(), announced, MaxSkinArchiveSize));
  if (!Reader.Load(file))
    throw EToolError(Path + ": damaged skin archive (parts run past its end or too many entries)");
}

// skintool check SKINFILE|DIR: every problem, one per line, then a summary.
// 0 when there is none, 1 when there are problems, 2 when the skin cannot
// be read at all.
int CommandCheck(const std::string& Path) {
  TSkinReader reader;
  try {
    LoadForCheck(Path, reader);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skintool: %s\n", e.what());
    return CheckUnreadable;
  }
  std::string description, name;
  if (!ExtractSkinDescription(reader, description, name)) {
    std::printf("%s: refused: no description (no entry named *.ini)\n", Path.c_str());
    return 1;
  }
  TSkinProblems problems;
  try {
    const TProfileIni ini(description);
    TSkinValues values;
    TSkinValuesReader(ini, reader, values, problems).ReadAll();
    ValidateSkinValues(ini, values, problems);
    LintSkinDescription(ini, reader, problems);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skintool: %s: %s\n", Path.c_str(), e.what());
    return CheckUnreadable;
  }
  for (const TSkinProblem& p : problems.Items()) {
    const char* verdict = p.Verdict == TSkinVerdict::Refused   ? "refused"
                          : p.Verdict == TSkinVerdict::Clamped ? "default used"
                                                               : "problem";
    std::printf("%s: %s: %s\n", Path.c_str(), verdict, p.Describe().c_str());
  }
  const size_t count = problems.Items().size();
  if (count == 0) {
    std::printf("%s: no problems\n", Path.c_str());
    return 0;
  }
  std::printf("%s: %zu problem%s; the engine %s this skin\n", Path.c_str(), count,
              count == 1 ? "" : "s", problems.Refused() ? "refuses" : "loads");
  return 1;
}

// Prints how to call the tool.
int Usage() {
  std::fprintf(stderr,
               "usage: skintool unpack SKINFILE ARCHIVE\n"
               "       skintool list SKINFILE\n"
               "       skintool extract SKINFILE DIR\n"
               "       skintool pack DIR SKINFILE   (entries named in DIR/%s)\n"
               "       skintool payload SKINFILE OUT (the stored form: 32-bit size + file)\n"
               "       skintool check SKINFILE|DIR  (every problem; exit 0 clean, 1 problems,\n"
               "                                    2 unreadable)\n",
               ListFileName);
  return 2;
}

}  // namespace

// Runs one command; exit status 0 on success, 1 on failure, 2 on misuse.
int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  SkinMessageProc = ThrowSkinMessage;
  try {
    const std::string& command = args[0];
    if (command == "unpack" && args.size() == 3) {
      CommandUnpack(args[1], args[2]);
    } else if (command == "list" && args.size() == 2) {
      CommandList(args[1]);
    } else if (command == "extract" && args.size() == 3) {
      CommandExtract(args[1], args[2]);
    } else if (command == "pack" && args.size() == 3) {
      CommandPack(args[1], args[2]);
    } else if (command == "payload" && args.size() == 3) {
      CommandPayload(args[1], args[2]);
    } else if (command == "check" && args.size() == 2) {
      return CommandCheck(args[1]);
    } else {
      return Usage();
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skintool: %s\n", e.what());
    return 1;
  }
  return 0;
}
