// Skins chosen in the skin gallery that do not load, or load at the edges
// of what the engine allows. A damaged file leaves the skin in force (its
// caption buttons, menu bar and region) and the gallery says why; a set of
// generated degenerate skins is each refused with a message or painted,
// the process's memory stays bounded and the handle tables do not grow.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "SkinTestFiles.h"
#include "gallery/gallery.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "skin/window/SkinManager.h"
#include "skin/window/WinSkinForm.h"
#include "support/Screen.h"
#include "support/UserAction.h"
#include "support/Wait.h"
#include "ui/ComCtrls.h"
#include "ui/ImageFiles.h"
#include "ui/Streams.h"

namespace {

// --- skins made up for the test ---

// The stored skin's entries, in archive order.
SkinEntries StoredEntries() {
  TMemoryStream file(ReadFileBytes(QUORVEL_SKIN_FILE));
  TSkinReader reader;
  EXPECT_TRUE(reader.Load(file));
  SkinEntries entries;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    TMemoryStream entry;
    reader.GetEntryAt(i, entry);
    entries.push_back({reader.Names().Get(i), entry.Bytes()});
  }
  return entries;
}

bool IsDescription(const std::string& Name) { return Name.find(".ini") != std::string::npos; }
bool IsPicture(const std::string& Name) { return Name.find(".bmp") != std::string::npos; }

// The stored skin with Lines put first in Section (the first of a key wins),
// or in a new section at the end.
Bytes StoredWith(const std::string& Section, const std::string& Lines) {
  SkinEntries entries = StoredEntries();
  for (auto& [name, bytes] : entries) {
    if (!IsDescription(name)) continue;
    std::string text(bytes.begin(), bytes.end());
    const std::string header = "[" + Section + "]\r\n";
    const size_t at = text.find(header);
    if (at == std::string::npos)
      text += "\r\n" + header + Lines;
    else
      text.insert(at + header.size(), Lines);
    bytes = TextBytes(text);
  }
  return SkinFile(entries);
}

// The stored skin with every picture whose name passes Which replaced by Picture.
Bytes StoredWithPictures(bool (*Which)(const std::string&), const Bytes& Picture) {
  SkinEntries entries = StoredEntries();
  for (auto& [name, bytes] : entries)
    if (IsPicture(name) && Which(name)) bytes = Picture;
  return SkinFile(entries);
}

// A skin of one description and the pictures given.
Bytes Described(const std::string& Text, SkinEntries Pictures = {}) {
  Pictures.insert(Pictures.begin(), {"a.ini", TextBytes(Text)});
  return SkinFile(Pictures);
}

// A 32-bit picture of Width x Height, every pixel one grey.
Bytes Bmp32(int Width, int Height) {
  TDibImage image;
  image.Width = Width;
  image.Height = Height;
  image.BitCount = 32;
  image.Pixels.assign(DibStride(Width, 32) * size_t(Height), 0x90);
  return EncodeBmp(image);
}

// The most memory a skin may take: an archive as large as allowed, one
// 32-bit picture (4 bytes a pixel as read and as a bitmap) named twice, so
// that the pictures hold as many pixels as allowed. Named a third time, it
// takes the skin beyond the limit.
Bytes WorstSkin(bool Beyond) {
  return Described(
      "[TitlebarSkin]\nSkinName=Worst\n[MenuBackground]\nImage=big.bmp\n[SunkEdge]\n"
      "Image=big.bmp\n" +
          std::string(Beyond ? "[ComboButton]\nImage=big.bmp\n" : ""),
      {{"big.bmp", Bmp32(2048, 4095)}});
}

// n title-bar button sections.
std::string Buttons(int n, const std::string& Image) {
  std::string text;
  for (int i = 0; i < n; ++i)
    text += "[Button" + std::to_string(i) +
            "]\nAction=0\nAlign=1\nXcoord=30\nButtonImage=" + Image + "\n";
  return text;
}

struct TSkinCase {
  const char* Name;
  Bytes File;
  const char* Refusal;  // what the message says; null for a skin that loads
};

std::vector<TSkinCase> DegenerateSkins() {
  const std::string allMargins =
      "LeftWidth=%1\r\nTopHeight=%1\r\nRightWidth=%1\r\nBottomHeight=%1\r\n";
  auto margins = [&](const std::string& v) {
    std::string text = allMargins;
    for (size_t at; (at = text.find("%1")) != std::string::npos;) text.replace(at, 2, v);
    return text;
  };
  auto personality = [](const std::string& v) {
    std::string text;
    for (const char* b : {"Top", "Left", "Right", "Bottom"})
      text += std::string(b) + "TopHeight=" + v + "\r\n" + b + "BotHeight=" + v + "\r\n";
    return text + "TextShift=" + v + "\r\nTextRightClip=" + v + "\r\nTXTBackleft=" + v + "\r\n";
  };
  std::string rleBomb = "[TitlebarSkin]\nSkinName=Bomb\n";
  for (const char* s : {"MenuBackground", "SunkEdge", "ComboButton", "HorzScroll", "VertScroll",
                        "Toolbars", "Headerbar", "MenuItem", "ExtraImages", "Scrollbar"})
    rleBomb += "[" + std::string(s) + "]\nImage=rle.bmp\n";
  return {
      {"zero margins", StoredWith("Buttons", margins("0")), nullptr},
      {"negative margins", StoredWith("Personality", personality("-40000")), nullptr},
      {"huge margins", StoredWith("Personality", personality("2147483647")), nullptr},
      {"1 x 1 pictures", StoredWithPictures([](const std::string&) { return true; }, BmpFile(1, 1)),
       "frames of no pixel"},
      {"32768 x 1 pictures",
       StoredWithPictures([](const std::string&) { return true; }, RleBmpFile(32768, 1)),
       "pixels thick"},
      {"32768 x 1 control pictures",
       StoredWithPictures(
           [](const std::string& n) {
             return n != "top.bmp" && n != "left.bmp" && n != "right.bmp" && n != "bottom.bmp" &&
                    n != "menu.bmp";
           },
           RleBmpFile(32768, 1)),
       nullptr},
      {"a title picture 32768 wide",
       StoredWithPictures([](const std::string& n) { return n == "top.bmp"; },
                          RleBmpFile(32768, 66)),
       nullptr},
      {"frame counts 0",
       StoredWith("Personality", "TopFrame=0\r\nLeftFrame=0\r\nRightFrame=-3\r\nBottomFrame=0\r\n"),
       nullptr},
      {"frame counts 1",
       StoredWith("Personality", "TopFrame=1\r\nLeftFrame=1\r\nRightFrame=1\r\nBottomFrame=1\r\n"),
       nullptr},
      {"frame counts 1000", StoredWith("Personality", "TopFrame=1000\r\n"), "frames of no pixel"},
      {"missing sections", Described("[TitlebarSkin]\nSkinName=Bare\n"), nullptr},
      {"5000 buttons", Described(Buttons(5000, "b.bmp"), {{"b.bmp", BmpFile(57, 20)}}),
       "5000 title-bar button sections"},
      {"run-length bomb", Described(rleBomb, {{"rle.bmp", RleBmpFile(4096, 4096)}}),
       "a skin may hold at most"},
  };
}

// --- the process ---

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters;
}

constexpr size_t MiB = size_t(1) << 20;

TWinSkinForm* Skinner(HWND Wnd) { return SkinManager ? SkinManager->FormSkinner(Wnd) : nullptr; }

// A folder of its own for the generated files.
std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  const std::string folder = std::string(path) + "quorvel-skin-load\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

class GallerySkinLoadTest : public ::testing::Test {
protected:
  // The gallery offers, after its stored and transparent skins, a copy of
  // the transparent skin (shown at start), a damaged file, a missing one,
  // the worst skin the limits allow and the degenerate ones.
  static void SetUpTestSuite() {
    const std::string folder = TempFolder();
    // The first file is the one shown at start.
    Write(folder + "copper.skn", ReadFileBytes(QUORVEL_TRANS_SKIN_FILE));
    Bytes damaged = ReadFileBytes(QUORVEL_TRANS_SKIN_FILE);
    damaged[0] = 100, damaged[1] = damaged[2] = damaged[3] = 0;  // the unpacked size, cut short
    Write(folder + "damaged.skn", damaged);
    GalleryOptions.SkinFiles.push_back(folder + "missing.skn");
    Write(folder + "worst.skn", WorstSkin(false));
    Write(folder + "beyond.skn", WorstSkin(true));
    Cases = DegenerateSkins();
    for (size_t i = 0; i < Cases.size(); ++i)
      Write(folder + "degenerate" + std::to_string(i) + ".skn", Cases[i].File);

    GalleryOptions.TransparentSkin = QUORVEL_TRANS_SKIN_FILE;
    Application->Initialize();
    Application->CreateForm(GalleryForm);
    GalleryForm->Show();
    SetForegroundWindow(GalleryForm->Handle());
    ASSERT_TRUE(WaitUntil([] {
      return Skinner(GalleryForm->Handle()) &&
             Skinner(GalleryForm->Handle())->Phase() == TFormPhase::Active;
    }));
  }

  // Writes File and offers it in the gallery.
  static void Write(const std::string& Path, const Bytes& File) {
    WriteFileBytes(Path, File);
    GalleryOptions.SkinFiles.push_back(Path);
  }

  // The choice of the offered file whose name ends in Name.
  static int ChoiceOf(const std::string& Name) {
    for (size_t i = 0; i < GalleryOptions.SkinFiles.size(); ++i) {
      const std::string& f = GalleryOptions.SkinFiles[i];
      if (f.size() >= Name.size() && f.compare(f.size() - Name.size(), Name.size(), Name) == 0)
        return int(i) + 2;
    }
    ADD_FAILURE() << "no choice " << Name;
    return 0;
  }

  // Chooses a skin as the choice box does. True when it loaded (and the
  // windows have taken it); false when it was refused, with the message box
  // that said why closed and its text in Message.
  static bool Choose(int Index, std::string* Message = nullptr) {
    int changed = 0;
    GalleryForm->SkinData1->OnSkinChanged = [&](TObject*) { ++changed; };
    std::string said;
    UserAction box{"#32770", "Skin not loaded", [&](HWND wnd) {
                     said = TextOf(GetDlgItem(wnd, 0xFFFF));
                     PostMessageA(wnd, WM_COMMAND, IDOK, 0);
                   }};
    WhenWindowAppears(box);
    GalleryForm->SkinChoice->SetItemIndex(Index);
    GalleryForm->SkinChoiceClick(nullptr);
    ForgetUserAction();
    if (Message) *Message = said;
    // A refused skin asks for nothing; a loaded one is taken within the deadline.
    const bool loaded = GalleryForm->SkinData1->LoadError().empty();
    EXPECT_EQ(box.Done, !loaded);
    if (loaded) {
      EXPECT_TRUE(WaitUntil([&] { return changed == 1; }));
    }
    EXPECT_TRUE(WaitUntil([] { return !SkinManager->Timer->Enabled(); }));
    GalleryForm->SkinData1->OnSkinChanged.Clear();
    return loaded;
  }

  // Every window of the gallery painted now, frames and controls, also at
  // other sizes (which rebuild the window region).
  static void PaintEverything() {
    const HWND wnd = GalleryForm->Handle();
    RECT r;
    GetWindowRect(wnd, &r);
    for (int grow : {37, 0}) {
      SetWindowPos(wnd, nullptr, 0, 0, r.right - r.left + grow, r.bottom - r.top + grow,
                   SWP_NOMOVE | SWP_NOZORDER);
      RedrawWindow(wnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    if (TGalleryMDIForm* mdi = GalleryForm->MDIWindow())
      RedrawWindow(mdi->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
  }

  static std::string StatusText() { return GalleryForm->StatusBar1->Panels().Items(1)->Text(); }

  static std::vector<TSkinCase> Cases;
};
std::vector<TSkinCase> GallerySkinLoadTest::Cases;

// The title and menu band of the window as shown.
std::vector<COLORREF> Band(HWND Wnd, int Height) {
  const TCapture shot = Capture(Wnd);
  return std::vector<COLORREF>(shot.Pixels.begin(),
                               shot.Pixels.begin() + size_t(shot.Width) * size_t(Height));
}

// Pixels of the close button in the capture that differ from its picture's
// frame (magenta not compared); one mismatch when there is nothing to compare.
int CloseButtonMismatches(TWinSkinForm& Skinner) {
  const TCapture shot = Capture(Skinner.Handle());
  for (const auto& button : Skinner.SysButtons().Buttons()) {
    TDataSkinSysButton& entry = *button->SkinObject();
    if (entry.Action != 0 || !button->Visible() || entry.Bitmap.Empty()) continue;
    const RECT b = button->Bounds();
    const int frame = (Skinner.Active() || entry.FrameCount < 4) ? 1 : 4;
    const int fw = entry.Bitmap.Width() / std::max(1, entry.FrameCount);
    int bad = 0, compared = 0;
    for (int y = b.top; y < b.bottom && y < shot.Height; ++y)
      for (int x = b.left; x < b.right && x < shot.Width; ++x) {
        const COLORREF want =
            GetPixel(entry.Bitmap.Canvas().Handle(), fw * (frame - 1) + x - b.left, y - b.top) &
            0xFFFFFF;
        if (want == RGB(255, 0, 255)) continue;
        ++compared;
        if (shot.At(x, y) != want) ++bad;
      }
    return compared ? bad : 1;
  }
  return 1;
}

// A skin file that does not load, damaged or missing, leaves the skin in
// force on the window: its caption buttons, its menu bar and its region.
// The gallery says why and keeps its choice.
TEST_F(GallerySkinLoadTest, ASkinThatDoesNotLoadKeepsTheOneInForce) {
  ASSERT_TRUE(Choose(0));
  PaintEverything();
  const HWND wnd = GalleryForm->Handle();
  TWinSkinForm& skinner = *Skinner(wnd);
  const int band = skinner.Metrics().TitleHeight + skinner.Metrics().MenuHeight;
  ASSERT_GT(skinner.Metrics().MenuHeight, 0);
  ASSERT_EQ(CloseButtonMismatches(skinner), 0);
  const std::vector<COLORREF> before = Band(wnd, band);
  const LONG style = GetWindowLongA(wnd, GWL_STYLE);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, region);
  ASSERT_NE(kind, ERROR);
  RECT box;
  GetRgnBox(region, &box);

  for (const char* file : {"damaged.skn", "missing.skn"}) {
    SCOPED_TRACE(file);
    std::string message;
    EXPECT_FALSE(Choose(ChoiceOf(file), &message));
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_EQ(StatusText(), "Skin not loaded: " + message);
    EXPECT_EQ(GalleryForm->SkinChoice->ItemIndex(), 0);
    EXPECT_TRUE(GalleryForm->StoredSkinItem->Checked());
    EXPECT_FALSE(GalleryForm->SkinData1->SkinEmpty);
    EXPECT_EQ(GalleryForm->SkinData1->SkinName, "Quorvel Steel");

    PaintEverything();
    ASSERT_EQ(Skinner(wnd), &skinner);
    EXPECT_EQ(skinner.Phase(), TFormPhase::Active);
    EXPECT_EQ(GetWindowLongA(wnd, GWL_STYLE), style);
    EXPECT_EQ(GetMenu(wnd), nullptr);  // the skinned bar shows the menu
    ASSERT_NE(skinner.MenuBar(), nullptr);
    EXPECT_EQ(CloseButtonMismatches(skinner), 0);
    EXPECT_TRUE(Band(wnd, band) == before) << "the title or the menu bar changed";
    EXPECT_EQ(GetWindowRgn(wnd, region), kind);
    RECT now;
    GetRgnBox(region, &now);
    EXPECT_TRUE(EqualRect(&now, &box));
  }
  EXPECT_NE(StatusText().find("no such file"), std::string::npos);
  EXPECT_NE(GalleryForm->SkinData1->LoadError(), "");
  DeleteObject(region);

  // Another skin still loads afterwards.
  EXPECT_TRUE(Choose(1));
  EXPECT_EQ(GalleryForm->SkinChoice->ItemIndex(), 1);
}

// The worst skin the limits allow loads and paints, and what loading it
// costs in memory is reported (a figure, not a check of speed). One picture
// more is refused from its headers: the refusal costs no more memory.
TEST_F(GallerySkinLoadTest, TheWorstSkinTheLimitsAllowLoadsWithinBoundedMemory) {
  ASSERT_TRUE(Choose(0));
  const size_t before = Memory().PeakWorkingSetSize;
  const size_t base = Memory().WorkingSetSize;
  ASSERT_TRUE(Choose(ChoiceOf("worst.skn"))) << StatusText();
  EXPECT_EQ(GalleryForm->SkinData1->SkinName, "Worst");
  PaintEverything();
  const PROCESS_MEMORY_COUNTERS after = Memory();
  auto mib = [](size_t bytes) { return static_cast<unsigned>(bytes / MiB); };
  std::printf("worst skin: working set %u MiB before, peak %u MiB (was %u MiB), %u MiB after\n",
              mib(base), mib(after.PeakWorkingSetSize), mib(before), mib(after.WorkingSetSize));
  // The archive of 32 MiB is held while 16 Mi pixels of 4 bytes are read
  // (64 MiB); each picture then becomes a bitmap and is let go.
  EXPECT_LT(after.PeakWorkingSetSize, base + 512 * MiB);
  ASSERT_TRUE(Choose(0));

  std::string message;
  EXPECT_FALSE(Choose(ChoiceOf("beyond.skn"), &message));
  EXPECT_NE(message.find("a skin may hold at most"), std::string::npos) << message;
  const size_t beyond = Memory().PeakWorkingSetSize;
  std::printf("one picture beyond: peak %u MiB\n", mib(beyond));
  EXPECT_LT(beyond, after.PeakWorkingSetSize + 16 * MiB);
}

// Degenerate skins, one after another: each is refused with a message that
// says why, or loads and is painted; memory comes back and the handle
// tables do not grow over a second round.
TEST_F(GallerySkinLoadTest, DegenerateSkinsAreRefusedOrPainted) {
  ASSERT_TRUE(Choose(0));
  if (!GalleryForm->MDIWindow()) GalleryForm->OpenMDIWindow();
  SetForegroundWindow(GalleryForm->Handle());
  auto round = [&] {
    for (size_t i = 0; i < Cases.size(); ++i) {
      const TSkinCase& c = Cases[i];
      SCOPED_TRACE(c.Name);
      const std::string before = GalleryForm->SkinData1->SkinName;
      std::string message;
      const bool loaded = Choose(ChoiceOf("degenerate" + std::to_string(i) + ".skn"), &message);
      EXPECT_EQ(loaded, c.Refusal == nullptr) << message;
      if (loaded) {
        PaintEverything();
      } else {
        EXPECT_NE(message.find(c.Refusal), std::string::npos) << message;
        EXPECT_EQ(GalleryForm->SkinData1->SkinName, before);
      }
    }
    ASSERT_TRUE(Choose(0));
    PaintEverything();
  };
  round();  // first-use allocations settle
  const size_t memory = Memory().WorkingSetSize;
  const unsigned gdi = GdiHighWater(), user = UserHighWater();
  round();
  EXPECT_LE(GdiHighWater(), gdi + 16);
  EXPECT_LE(UserHighWater(), user + 16);
  EXPECT_LT(Memory().WorkingSetSize, memory + 64 * MiB);
  if (TGalleryMDIForm* mdi = GalleryForm->MDIWindow()) mdi->Close();
}

}  // namespace
