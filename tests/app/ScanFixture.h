// The fixtures shared by the scan test programs: the program's windows made
// once, each test starting idle with an empty list; and, for the programs
// that share the main test prefix, its tree on the prefix's only fixed drive
// (D:), rebuilt before every test (CTest runs those one after the other).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <future>
#include <set>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "app/ad.h"
#include "app/scan.h"

extern const char* const kScanCaption;
extern const char* const kStopCaption;

struct TTreeFile {
  const char* Path;
  DWORD Attributes;
  bool Hit;
};

// The test tree. D:\Loop\Back is a link back to D:\Loop, made by the prefix set-up.
extern const std::vector<TTreeFile> kTree;
// The Favorites folder is stored in lower case: the drive walk meets the same
// file again in other letter case, and it must not be listed twice.
extern const char* const kFavoritesHit;

// The path as the walk lists it.
std::string Listed(const TTreeFile& f);
bool Exists(const std::string& path);
// Creates every folder on the way to path.
void MakeFolders(const std::string& path);
// Makes sure every file of the tree exists with its attributes.
void MakeTree();
// The check list's entries, read through the list box messages of an ANSI
// caller, and of a wide one.
std::vector<std::string> ListEntries();
std::vector<std::wstring> WideEntries();
std::set<std::string> ExpectedHits();
std::string Status();
// A press on the scan button (a graphic control on Panel1), dispatched now.
void PressScanButton();
// Runs the message loop until the queue is empty (a scan runs inside it).
void Pump();
// From a second thread: once the walk shows progress, does act.
std::future<void> DuringScan(void (*act)());
// From a second thread: once the walk shows progress, presses the scan button.
std::future<void> PressDuringScan();

// Whether the skin manager was switched on once the main window's definition
// was read, before any window was shown.
extern bool gSkinningOnBeforeShow;

class ScanWindowTest : public ::testing::Test {
protected:
  // Creates the program's windows once, as the program block does.
  static void SetUpTestSuite();
  // Every test starts idle, with an empty list.
  void SetUp() override;
  // A complete scan from the idle state, its completion box answered.
  std::string FullScan();
  // A press on the remove button; gives its report box.
  std::string RemoveChecked();
};

// The box's message: the field of a box's texts that begins with prefix.
std::string BoxMessage(const std::string& box, const std::string& prefix);

class ScanTest : public ScanWindowTest {
protected:
  // The whole tree on disk, then idle with an empty list.
  void SetUp() override;
};
