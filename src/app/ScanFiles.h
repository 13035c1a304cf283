// The file calls of the scan and of the removal on the NT family: folder
// listings that give each file's identity with its name, paths that reach
// every name, and deletion of exactly the file that was listed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "ui/Handles.h"

// A file's identity: the serial number of its volume and its index there.
struct TFileIdentity {
  DWORD Volume = 0;
  ULONGLONG Index = 0;
  // False where the file system gives no index.
  bool Known() const { return Index != 0; }
  bool operator==(const TFileIdentity& o) const { return Volume == o.Volume && Index == o.Index; }
  bool operator!=(const TFileIdentity& o) const { return !(*this == o); }
};

struct TFileIdentityHash {
  size_t operator()(const TFileIdentity& id) const {
    return static_cast<size_t>(id.Index * 0x9E3779B97F4A7C15ull) ^ id.Volume;
  }
};

// The \\?\ form of a path: absolute, and from there on taken as it is (no
// trimming of trailing dots and spaces, no length limit).
std::wstring LongPath(const std::wstring& path);

// One entry of a folder listing; Index is 0 when the listing gives none.
struct TFolderEntry {
  std::wstring Name;
  DWORD Attributes = 0;
  ULONGLONG Index = 0;
};

// Lists a folder through a handle on it, which also gives the folder's
// identity. Entries come in the file system's order.
class TFolderListing {
public:
  // Opens folder (a \\?\ path ending in a backslash) to list the names
  // that match mask.
  TFolderListing(const std::wstring& folder, const std::wstring& mask);
  ~TFolderListing();
  TFolderListing(const TFolderListing&) = delete;
  TFolderListing& operator=(const TFolderListing&) = delete;

  bool Opened() const { return static_cast<bool>(FHandle); }
  // The folder's identity (unknown where the file system gives none).
  const TFileIdentity& Identity() const { return FIdentity; }
  // The next entry; false at the end, or when the listing failed.
  bool Next(TFolderEntry& entry);
  // True when the folder exists but could not be opened or listed to its end.
  bool Failed() const { return FFailed; }

private:
  // Fetches the next batch of entries from the file system.
  bool Fetch();
  // The same listing through FindFirstFileW, for file systems that do not
  // give identities with the names.
  bool NextFound(TFolderEntry& entry);

  std::wstring FFolder, FMask;
  TFileHandle FHandle;
  TFileIdentity FIdentity;
  std::vector<ULONGLONG> FBuffer;  // 8-byte aligned, as the entries need
  size_t FOffset = 0;              // of the next entry in FBuffer; npos: none
  bool FRestart = true;
  bool FFailed = false;
  HANDLE FFind = INVALID_HANDLE_VALUE;  // the FindFirstFileW listing, once used
  bool FUseFind = false;
};

// Reads the identity of the file at path (a \\?\ path) without following a
// final link; false when it cannot be read.
bool ReadIdentity(const std::wstring& path, TFileIdentity& id);

// Deletes the file at path (a \\?\ path) only if it is the file of identity
// id: opened without following a final link, compared, deleted through that
// handle. True when the file is gone afterwards.
bool DeleteIdentified(const std::wstring& path, const TFileIdentity& id);
// Deletes the file at path (a \\?\ path) by its name; true when it was
// deleted and is gone.
bool DeleteNamed(const std::wstring& path);
// The same with the ANSI call, for the 95 family.
bool DeleteNamedAnsi(const std::string& path);
