// Menus over real Win32 menus: shortcut texts, the HMENU entries of menus
// built in code and read from definitions, command routing through the
// form, in-place changes that keep handles and bring the menu back to the
// window, owner drawing, the context menu, and MDI forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ui/Filer.h"
#include "ui/Forms.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"
#include "ui/ObjText.h"
#include "ui/Published.h"
#include "support/UserAction.h"
#include "support/Wait.h"

namespace {

// One entry of an HMENU as GetMenuItemInfoA reports it.
struct Entry {
  UINT Type;
  UINT State;
  std::string Text;
  bool Popup;
  bool operator==(const Entry& o) const {
    return Type == o.Type && State == o.State && Text == o.Text && Popup == o.Popup;
  }
};
std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{type " << e.Type << ", state " << e.State << ", '" << e.Text << "', popup "
            << e.Popup << "}";
}

std::vector<Entry> Entries(HMENU menu) {
  std::vector<Entry> out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    out.push_back(Entry{info.fType, info.fState & (MFS_CHECKED | MFS_GRAYED | MFS_DEFAULT), text,
                        info.hSubMenu != nullptr});
  }
  return out;
}

// The item data of the entry with that command, as the system hands it to
// WM_MEASUREITEM and WM_DRAWITEM.
ULONG_PTR ItemData(HMENU menu, UINT command) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  EXPECT_TRUE(GetMenuItemInfoA(menu, command, FALSE, &info));
  return info.dwItemData;
}

// A form whose definition names its handlers.
class TMenuForm : public TForm {
  QUORVEL_CLASS(TMenuForm, TForm)
public:
  explicit TMenuForm(TComponent* owner) : TForm(owner) {}
  int opened = 0;
  void OpenClick(TObject*) { ++opened; }
  TMenuItem* Item(const char* name) const { return dynamic_cast<TMenuItem*>(FindComponent(name)); }
};
QUORVEL_DEFINE_CLASS(TMenuForm) { p.Method("OpenClick", &TMenuForm::OpenClick); }

const char* const kMenuForm = R"(object MenuForm: TMenuForm
  Left = 40
  Top = 40
  Caption = 'menus'
  ClientWidth = 300
  ClientHeight = 200
  Menu = MainMenu1
  PopupMenu = PopupMenu1
  object MainMenu1: TMainMenu
    Images = Images1
    object FileMenu: TMenuItem
      Caption = '&File'
      object OpenItem: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
        ImageIndex = 0
        OnClick = OpenClick
      end
      object Line1: TMenuItem
        Caption = '-'
      end
      object CheckedItem: TMenuItem
        Caption = 'Checked'
        Checked = True
        Default = True
      end
      object DisabledItem: TMenuItem
        Caption = 'Disabled'
        Enabled = False
      end
      object HiddenItem: TMenuItem
        Caption = 'Hidden'
        Visible = False
      end
      object RefreshItem: TMenuItem
        Caption = 'Refresh'
        ShortCut = 32884
        Visible = False
        OnClick = OpenClick
      end
      object MoreMenu: TMenuItem
        Caption = 'More'
        object RadioA: TMenuItem
          Caption = 'A'
          RadioItem = True
          GroupIndex = 1
          Checked = True
        end
        object RadioB: TMenuItem
          Caption = 'B'
          RadioItem = True
          GroupIndex = 1
        end
      end
    end
    object HelpMenu: TMenuItem
      Caption = '&Help'
    end
  end
  object PopupMenu1: TPopupMenu
    Alignment = paRight
    object PopupItem: TMenuItem
      Caption = 'Popup item'
      OnClick = OpenClick
    end
  end
  object Images1: TImageList
  end
end
)";

std::unique_ptr<TMenuForm> LoadMenuForm() {
  const std::string text = kMenuForm;
  TMemoryStream in(std::vector<uint8_t>(text.begin(), text.end()));
  TMemoryStream bin;
  ObjectTextToBinary(in, bin);
  bin.SetPosition(0);
  auto form = std::make_unique<TMenuForm>(nullptr);
  form->LoadDefinition(bin);
  return form;
}

}  // namespace

TEST(ShortCuts, TextsAndBack) {
  const struct {
    TShortCut Key;
    const char* Text;
  } table[] = {
      {ShortCut('O', scCtrl), "Ctrl+O"},
      {ShortCut(VK_DELETE, scShift), "Shift+Del"},
      {ShortCut(VK_F5, 0), "F5"},
      {ShortCut(VK_F4, scAlt), "Alt+F4"},
      {ShortCut('X', scCtrl | scAlt), "Ctrl+Alt+X"},
      {ShortCut('1', scShift | scCtrl), "Shift+Ctrl+1"},
      {ShortCut(VK_RETURN, 0), "Enter"},
      {ShortCut(VK_NEXT, scCtrl), "Ctrl+PgDn"},
      {ShortCut(VK_F12, 0), "F12"},
  };
  for (const auto& row : table) {
    EXPECT_EQ(ShortCutToText(row.Key), row.Text);
    EXPECT_EQ(TextToShortCut(row.Text), row.Key) << row.Text;
  }
  EXPECT_EQ(ShortCutToText(ShortCut(VK_NUMLOCK, scCtrl)), "");
  EXPECT_EQ(TextToShortCut("ctrl+o"), ShortCut('O', scCtrl));
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Hyper+O"), 0);
  EXPECT_EQ(TextToShortCut(""), 0);
}

TEST(Menus, ADefinitionBuildsTheMenuBarAndItsPopups) {
  auto form = LoadMenuForm();
  TMainMenu* menu = form->Menu();
  ASSERT_TRUE(menu);
  ASSERT_EQ(form->PopupMenu(), dynamic_cast<TPopupMenu*>(form->FindComponent("PopupMenu1")));
  ASSERT_EQ(menu->Images(), form->FindComponent("Images1"));
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  EXPECT_EQ(Entries(menu->Handle()),
            (std::vector<Entry>{{MFT_STRING, 0, "&File", true}, {MFT_STRING, 0, "&Help", false}}));
  TMenuItem* file = form->Item("FileMenu");
  EXPECT_EQ(GetSubMenu(menu->Handle(), 0), file->Handle());
  // The menu has images: its popups are owner-drawn (their texts stay).
  constexpr UINT od = MFT_OWNERDRAW;
  EXPECT_EQ(Entries(file->Handle()), (std::vector<Entry>{
                                         {od, 0, "&Open...\tCtrl+O", false},
                                         {MFT_SEPARATOR | od, 0, "", false},
                                         {od, MFS_CHECKED | MFS_DEFAULT, "Checked", false},
                                         {od, MFS_GRAYED, "Disabled", false},
                                         {od, 0, "More", true},
                                     }));
  EXPECT_EQ(Entries(form->Item("MoreMenu")->Handle()),
            (std::vector<Entry>{{od | MFT_RADIOCHECK, MFS_CHECKED, "A", false},
                                {od | MFT_RADIOCHECK, 0, "B", false}}));
  menu->SetImages(nullptr);
  EXPECT_EQ(Entries(file->Handle())[0], (Entry{MFT_STRING, 0, "&Open...\tCtrl+O", false}));
  EXPECT_EQ(Entries(form->Item("MoreMenu")->Handle())[1],
            (Entry{MFT_STRING | MFT_RADIOCHECK, 0, "B", false}));
  EXPECT_EQ(form->Item("OpenItem")->ImageIndex(), 0);
  EXPECT_EQ(form->Item("Line1")->ImageIndex(), -1);
  EXPECT_TRUE(form->Item("Line1")->IsLine());
  EXPECT_EQ(form->Item("RadioB")->GetParentMenu(), menu);
  EXPECT_EQ(form->Item("PopupItem")->GetParentMenu(), form->PopupMenu());
}

TEST(Menus, ItemsAreFoundByCommandAndHandleAndCommandsAreUnique) {
  auto form = LoadMenuForm();
  auto second = LoadMenuForm();
  TMainMenu* menu = form->Menu();
  std::vector<WORD> seen;
  for (auto* f : {form.get(), second.get()})
    for (int i = 0; i < f->ComponentCount(); ++i)
      if (auto* item = dynamic_cast<TMenuItem*>(f->Components(i))) {
        const WORD id = item->Command();
        EXPECT_TRUE(id != 0 && id < 0xF000) << id;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), id), 0);
        seen.push_back(id);
        EXPECT_EQ(FindMenuItemByCommand(id), item);
      }
  TMenuItem* more = form->Item("MoreMenu");
  EXPECT_EQ(menu->FindItem(more->Handle() ? reinterpret_cast<UINT_PTR>(more->Handle()) : 1,
                           TFindItemKind::fkHandle),
            more);
  EXPECT_EQ(menu->FindItem(form->Item("RadioB")->Command(), TFindItemKind::fkCommand),
            form->Item("RadioB"));
  EXPECT_EQ(menu->FindItem(second->Item("RadioB")->Command(), TFindItemKind::fkCommand), nullptr);
}

TEST(Menus, AMenuCommandRunsTheItemsClickOnce) {
  auto form = LoadMenuForm();
  const WORD open = form->Item("OpenItem")->Command();
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(open, 0), 0);
  EXPECT_EQ(form->opened, 1);
  // An accelerator's command (HIWORD 1) is not a menu's.
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(open, 1), 0);
  EXPECT_EQ(form->opened, 1);
  // A radio item becomes the checked one of its group.
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(form->Item("RadioB")->Command(), 0), 0);
  EXPECT_TRUE(form->Item("RadioB")->Checked());
  EXPECT_FALSE(form->Item("RadioA")->Checked());
  // Shortcuts of enabled items through the application's loop.
  EXPECT_TRUE(form->Menu()->IsShortCut('O', scCtrl));
  EXPECT_EQ(form->opened, 2);
  form->Item("OpenItem")->SetEnabled(false);
  EXPECT_FALSE(form->Menu()->IsShortCut('O', scCtrl));
  EXPECT_EQ(form->opened, 2);
}

TEST(Menus, ChangesAreMadeInPlaceAndTheFormPutsTheMenuBack) {
  auto form = LoadMenuForm();
  TMainMenu* menu = form->Menu();
  const HWND wnd = form->Handle();
  int changed = 0;
  auto previous = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_MENUCHANGED) ++changed;
    previous(m);
  };
  TMenuItem* file = form->Item("FileMenu");
  const HMENU bar = menu->Handle(), popup = file->Handle();
  // A skin takes the bar off the window; a change puts it back.
  SetMenu(wnd, nullptr);
  form->Item("CheckedItem")->SetChecked(false);
  form->Item("DisabledItem")->SetEnabled(true);
  form->Item("OpenItem")->SetCaption("&Open file...");
  EXPECT_EQ(changed, 3);
  EXPECT_EQ(GetMenu(wnd), bar);
  EXPECT_EQ(menu->Handle(), bar);
  EXPECT_EQ(file->Handle(), popup);
  EXPECT_EQ(GetSubMenu(bar, 0), popup);
  const auto entries = Entries(popup);
  EXPECT_EQ(entries[0].Text, "&Open file...\tCtrl+O");
  EXPECT_EQ(entries[2].State, static_cast<UINT>(MFS_DEFAULT));
  EXPECT_EQ(entries[3].State, 0u);
  // Showing a hidden item inserts it in place.
  form->Item("HiddenItem")->SetVisible(true);
  EXPECT_EQ(Entries(popup)[4].Text, "Hidden");
  EXPECT_EQ(file->Handle(), popup);
  // A new sub-item gives a leaf its popup.
  TMenuItem* help = form->Item("HelpMenu");
  auto* about = new TMenuItem(form.get());
  about->SetCaption("About");
  help->Add(about);
  EXPECT_TRUE(help->Handle());
  EXPECT_EQ(GetSubMenu(bar, 1), help->Handle());
  form->WindowProc = previous;
}

TEST(Menus, OwnerDrawnItemsReachTheirHandlersOrTheDefaultLook) {
  auto form = LoadMenuForm();
  TMainMenu* menu = form->Menu();
  menu->SetImages(nullptr);
  menu->SetOwnerDraw(true);
  TMenuItem* file = form->Item("FileMenu");
  for (const Entry& e : Entries(file->Handle())) EXPECT_TRUE(e.Type & MFT_OWNERDRAW);
  TMenuItem* open = form->Item("OpenItem");
  std::vector<std::pair<TRect, bool>> drawn;
  open->OnDrawItem = [&](TObject* sender, TCanvas* canvas, TRect r, bool selected) {
    EXPECT_EQ(sender, open);
    EXPECT_TRUE(canvas && canvas->Handle());
    drawn.emplace_back(r, selected);
  };
  // The handler gets the default size to change.
  int defaultHeight = 0;
  open->OnMeasureItem = [&](TObject*, TCanvas*, int& w, int& h) {
    defaultHeight = h;
    w += 100;
    h = 21;
  };
  TWindowDC screen(nullptr);
  TMemoryDC dc(screen);
  TBitmapObject bitmap(CreateCompatibleBitmap(screen, 200, 40));
  TSelectObjectGuard select(dc, bitmap);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = open->Command();
  dis.itemData = ItemData(file->Handle(), open->Command());
  dis.itemState = ODS_SELECTED;
  dis.hDC = dc;
  dis.rcItem = RECT{0, 0, 200, 20};
  dis.hwndItem = reinterpret_cast<HWND>(file->Handle());
  EXPECT_TRUE(SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_TRUE(drawn[0].second);
  EXPECT_EQ(drawn[0].first.right, 200);
  // An entry of another menu with the same identifier is not this item.
  dis.itemData = 0;
  EXPECT_FALSE(SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
  EXPECT_EQ(drawn.size(), 1u);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = open->Command();
  EXPECT_FALSE(SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_EQ(defaultHeight, 0);
  mis.itemData = ItemData(file->Handle(), open->Command());
  EXPECT_TRUE(SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
  EXPECT_GT(mis.itemWidth, 130u);
  EXPECT_EQ(mis.itemHeight, 21u);
  EXPECT_GE(defaultHeight, 16);
  // Without a handler: the default look, selected in the highlight colour.
  TMenuItem* checked = form->Item("CheckedItem");
  dis.itemID = checked->Command();
  dis.itemData = ItemData(file->Handle(), checked->Command());
  dis.rcItem = RECT{0, 20, 200, 40};
  EXPECT_TRUE(SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
  EXPECT_EQ(GetPixel(dc, 199, 21), GetSysColor(COLOR_HIGHLIGHT));
  mis = MEASUREITEMSTRUCT{};
  mis.CtlType = ODT_MENU;
  mis.itemID = checked->Command();
  mis.itemData = dis.itemData;
  SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_GT(mis.itemWidth, 30u);
  EXPECT_GE(mis.itemHeight, 16u);
  menu->SetOwnerDraw(false);
  for (const Entry& e : Entries(file->Handle())) EXPECT_FALSE(e.Type & MFT_OWNERDRAW);
}

// The window goes and comes again (a changed style, RecreateWnd): the
// menu bar's handle outlives it and is on the new window.
TEST(Menus, RecreatingTheWindowKeepsTheMenuBar) {
  auto form = LoadMenuForm();
  form->Show();
  const HMENU bar = form->Menu()->Handle();
  const HMENU file = form->Item("FileMenu")->Handle();
  ASSERT_EQ(GetMenu(form->Handle()), bar);
  form->RecreateWnd();
  EXPECT_TRUE(IsMenu(bar));
  EXPECT_TRUE(IsMenu(file));
  EXPECT_EQ(form->Menu()->Handle(), bar);
  EXPECT_EQ(GetMenu(form->Handle()), bar);
  EXPECT_EQ(GetMenuItemCount(bar), 2);
}

TEST(Menus, TheContextMenuOpensAtThePointOrTheClientCorner) {
  auto form = LoadMenuForm();
  form->Show();
  POINT corner{0, 0};
  ClientToScreen(form->Handle(), &corner);
  const struct {
    LPARAM Where;
    TPopupAlignment Alignment;
    POINT Expected;  // the menu's top right (paRight) or top left (paLeft)
  } table[] = {
      {MAKELPARAM(400, 300), paRight, POINT{400, 300}},
      {static_cast<LPARAM>(-1), paLeft, corner},
  };
  for (const auto& row : table) {
    form->PopupMenu()->SetAlignment(row.Alignment);
    const int before = form->opened;
    RECT menuRect{};
    UserAction choose{"#32768", "", [&](HWND menuWnd) {
                        GetWindowRect(menuWnd, &menuRect);
                        PostMessageA(menuWnd, WM_KEYDOWN, VK_DOWN, 0);
                        PostMessageA(menuWnd, WM_KEYDOWN, VK_RETURN, 0);
                      }};
    WhenWindowAppears(choose);
    SendMessageA(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()),
                 row.Where);
    ForgetUserAction();
    EXPECT_TRUE(choose.Done);
    EXPECT_EQ(form->opened, before + 1);
    EXPECT_EQ(form->PopupMenu()->PopupComponent(), form.get());
    EXPECT_EQ(row.Alignment == paRight ? menuRect.right : menuRect.left, row.Expected.x);
    EXPECT_EQ(menuRect.top, row.Expected.y);
  }
}

TEST(Menus, AltLetterReachesTheFormAsDialogCharBeforeTheSystem) {
  TForm form(nullptr);
  form.SetBounds(30, 30, 200, 100);
  form.Show();
  std::vector<std::pair<UINT, WPARAM>> seen;
  auto previous = form.WindowProc;
  form.WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR || m.Msg == WM_SYSCHAR) seen.emplace_back(m.Msg, m.WParam);
    previous(m);
  };
  PostMessageA(form.Handle(), WM_SYSCHAR, 'z', 1 << 29);
  Application->ProcessMessages();  // the application's loop, not a test's
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (std::pair<UINT, WPARAM>{CM_DIALOGCHAR, 'z'}));
  EXPECT_EQ(seen[1].first, static_cast<UINT>(WM_SYSCHAR));
  form.WindowProc = previous;
}

TEST(MDI, AnMDIFormHoldsItsChildrenInAnMDIClientAndListsThemInItsWindowMenu) {
  auto frame = std::make_unique<TForm>(nullptr);
  frame->SetBounds(20, 20, 500, 400);
  frame->SetFormStyle(fsMDIForm);
  auto* menu = new TMainMenu(frame.get());
  auto* window = new TMenuItem(frame.get());
  window->SetCaption("&Window");
  auto* cascade = new TMenuItem(frame.get());
  cascade->SetCaption("&Cascade");
  window->Add(cascade);
  menu->Items()->Add(window);
  frame->SetMenu(menu);
  frame->SetWindowMenu(window);
  frame->Show();
  char cls[32] = {};
  ASSERT_TRUE(frame->ClientHandle());
  GetClassNameA(frame->ClientHandle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "MDIClient");
  EXPECT_EQ(GetParent(frame->ClientHandle()), frame->Handle());
  EXPECT_EQ(GetMenu(frame->Handle()), menu->Handle());

  std::vector<TForm*> children;
  bool thirdFreed = false;
  for (int i = 0; i < 3; ++i) {
    auto* child = new TForm(frame.get());
    child->SetFormStyle(fsMDIChild);
    child->SetCaption("Child " + std::to_string(i + 1));
    child->SetBounds(10 * i, 10 * i, 200, 150);
    if (i == 2) {
      child->SetWindowState(wsMaximized);
      child->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
      child->OnDestroy = [&](TObject*) { thirdFreed = true; };
    }
    child->Show();
    children.push_back(child);
  }
  EXPECT_EQ(frame->MDIChildCount(), 3);
  for (TForm* child : children) {
    EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
    EXPECT_TRUE(GetWindowLongPtrA(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  }
  BOOL maximized = FALSE;
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(frame->ClientHandle(), WM_MDIGETACTIVE, 0,
                                                reinterpret_cast<LPARAM>(&maximized))),
            children[2]->Handle());
  EXPECT_TRUE(maximized);
  EXPECT_EQ(frame->ActiveMDIChild(), children[2]);
  EXPECT_EQ(frame->MDIChildren(0), children[2]);
  // The Window menu lists the children after its own items.
  auto listed = [&] {
    int n = 0;
    for (int i = 0; i < GetMenuItemCount(window->Handle()); ++i)
      if (GetMenuItemID(window->Handle(), i) >= 0xFF00 &&
          GetMenuItemID(window->Handle(), i) != 0xFFFFFFFFu)
        ++n;
    return n;
  };
  EXPECT_EQ(listed(), 3);
  EXPECT_EQ(GetMenuItemID(window->Handle(), 0), cascade->Command());

  // Closing the child that frees itself on close.
  SendMessageA(children[2]->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return thirdFreed && frame->MDIChildCount() == 2; }));
  EXPECT_EQ(listed(), 2);
  // A child closed without an OnClose is minimized and stays.
  SendMessageA(children[0]->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsIconic(children[0]->Handle()));
  EXPECT_EQ(frame->MDIChildCount(), 2);
}

TEST(Menus, TheApplicationsLoopRunsShortCutsBeforeTheWindowSeesTheKey) {
  auto form = LoadMenuForm();
  form->Show();
  int keys = 0;
  auto previous = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SYSKEYDOWN) ++keys;
    previous(m);
  };
  // Alt+F5 (Alt told by the key's context bit); a hidden item's shortcut is not run.
  PostMessageA(form->Handle(), WM_SYSKEYDOWN, VK_F5, 1 << 29);
  Application->ProcessMessages();
  EXPECT_EQ(form->opened, 0);
  EXPECT_EQ(keys, 1);
  form->Item("RefreshItem")->SetVisible(true);
  PostMessageA(form->Handle(), WM_SYSKEYDOWN, VK_F5, 1 << 29);
  Application->ProcessMessages();
  EXPECT_EQ(form->opened, 1);
  EXPECT_EQ(keys, 1);
  form->WindowProc = previous;
}

TEST(ImageLists, ImagesAreStoredInTheDefinitionAndDrawnMasked) {
  TForm source(nullptr);
  source.SetName("Source");
  auto* images = new TImageList(&source);
  images->SetName("Images1");
  TBitmap strip;
  strip.SetPixelFormat(TPixelFormat::pf24bit);
  strip.SetSize(32, 16);
  const RECT all{0, 0, 32, 16}, first{4, 4, 12, 12}, second{16, 0, 32, 16};
  TBrushObject magenta(CreateSolidBrush(RGB(255, 0, 255))), green(CreateSolidBrush(RGB(0, 128, 0))),
      blue(CreateSolidBrush(RGB(0, 0, 255)));
  FillRect(strip.Canvas().Handle(), &all, magenta);
  FillRect(strip.Canvas().Handle(), &first, green);
  FillRect(strip.Canvas().Handle(), &second, blue);
  ASSERT_EQ(images->AddMasked(strip, static_cast<TColor>(RGB(255, 0, 255))), 0);
  ASSERT_EQ(images->Count(), 2);
  TMemoryStream stored;
  WriteComponentToStream(stored, &source);
  stored.SetPosition(0);
  TForm copy(nullptr);
  copy.LoadDefinition(stored);
  auto* loaded = dynamic_cast<TImageList*>(copy.FindComponent("Images1"));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Count(), 2);
  // Drawn on white: masked pixels keep the background.
  TBitmap target;
  target.SetPixelFormat(TPixelFormat::pf24bit);
  target.SetSize(32, 16);
  TBrushObject white(CreateSolidBrush(RGB(255, 255, 255)));
  FillRect(target.Canvas().Handle(), &all, white);
  loaded->Draw(&target.Canvas(), 0, 0, 0);
  loaded->Draw(&target.Canvas(), 16, 0, 1);
  EXPECT_EQ(target.Canvas().Pixel(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(target.Canvas().Pixel(8, 8), RGB(0, 128, 0));
  EXPECT_EQ(target.Canvas().Pixel(20, 8), RGB(0, 0, 255));
}

TEST(Menus, AFormWithMenusIsStoredAndReadBackWhole) {
  auto form = LoadMenuForm();
  TMemoryStream stored;
  WriteComponentToStream(stored, form.get());
  stored.SetPosition(0);
  TMenuForm copy(nullptr);
  copy.LoadDefinition(stored);
  ASSERT_TRUE(copy.Menu() && copy.PopupMenu());
  EXPECT_EQ(copy.Menu()->Images(), copy.FindComponent("Images1"));
  EXPECT_EQ(copy.Menu(), copy.FindComponent("MainMenu1"));
  EXPECT_EQ(Entries(copy.Menu()->Handle()), Entries(form->Menu()->Handle()));
  EXPECT_EQ(Entries(copy.Item("FileMenu")->Handle()), Entries(form->Item("FileMenu")->Handle()));
  EXPECT_EQ(Entries(copy.Item("MoreMenu")->Handle()), Entries(form->Item("MoreMenu")->Handle()));
  EXPECT_EQ(copy.PopupMenu()->Alignment(), paRight);
  SendMessageA(copy.Handle(), WM_COMMAND, MAKEWPARAM(copy.Item("PopupItem")->Command(), 0), 0);
  EXPECT_EQ(copy.opened, 1);
}
