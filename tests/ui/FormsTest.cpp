// The application and forms: the message dialog answered by a simulated
// user, modal loops that keep running main-thread calls, the message loop
// ending with the main form, closing secondary forms, the application
// window and its plain message boxes, forms loaded from resources.
#include <gtest/gtest.h>

#include <cassert>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/ObjText.h"
#include "ui/Published.h"
#include "ui/StdCtrls.h"
#include "ui/Threads.h"
#include "support/UserAction.h"
#include "support/Wait.h"

namespace {

// Asks "Stop scanning ?" and has the user do act on the dialog.
TModalResult AskStop(const std::function<void(HWND)>& act) {
  UserAction action{"TMessageForm", "", act};
  WhenWindowAppears(action);
  const TModalResult answer = MessageDlg("Stop scanning ?", mtConfirmation, mbYes | mbNo, 0);
  EXPECT_TRUE(action.Done);
  ForgetUserAction();
  return answer;
}

// A plain form, owned by the test.
std::unique_ptr<TForm> MakeForm(const std::string& caption) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetCaption(caption);
  form->SetBounds(10, 10, 200, 100);
  return form;
}

}  // namespace

TEST(MessageDialog, ShowsTheConfirmationAndAnswersWithThePressedButton) {
  auto owner = MakeForm("owner");
  owner->Show();
  bool ownerDisabled = false;
  std::vector<std::string> seen;
  const TModalResult answer = AskStop([&](HWND dlg) {
    seen.push_back(TextOf(dlg));
    HWND yes = ChildWithText(dlg, "&Oui");
    HWND no = ChildWithText(dlg, "&Non");
    ASSERT_TRUE(yes && no);
    char cls[64] = {};
    GetClassNameA(yes, cls, sizeof cls);
    seen.push_back(cls);
    EXPECT_TRUE((GetWindowLongPtrA(yes, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON);
    EXPECT_FALSE((GetWindowLongPtrA(no, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON);
    ownerDisabled = !IsWindowEnabled(owner->Handle());
    SendMessageA(no, BM_CLICK, 0, 0);
  });
  EXPECT_EQ(answer, mrNo);
  EXPECT_EQ(seen, (std::vector<std::string>{"Confirmation", "TButton"}));
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  EXPECT_EQ(FindWindowA("TMessageForm", nullptr), nullptr);  // gone

  EXPECT_EQ(AskStop([](HWND dlg) { SendMessageA(ChildWithText(dlg, "&Oui"), BM_CLICK, 0, 0); }),
            mrYes);
}

TEST(MessageDialog, EscapeAndTheCloseBoxAnswerNoAndEnterAnswersYes) {
  EXPECT_EQ(AskStop([](HWND dlg) { PostMessageA(dlg, WM_CLOSE, 0, 0); }), mrNo);
  EXPECT_EQ(
      AskStop([](HWND dlg) { PostMessageA(ChildWithText(dlg, "&Oui"), WM_KEYDOWN, VK_ESCAPE, 0); }),
      mrNo);
  EXPECT_EQ(
      AskStop([](HWND dlg) { PostMessageA(ChildWithText(dlg, "&Non"), WM_KEYDOWN, VK_RETURN, 0); }),
      mrNo);
  EXPECT_EQ(AskStop([](HWND dlg) {
              HWND yes = ChildWithText(dlg, "&Oui");
              SetFocus(yes);
              PostMessageA(yes, WM_KEYDOWN, VK_RETURN, 0);
            }),
            mrYes);
}

TEST(MessageDialog, CaptionsAndLayout) {
  EXPECT_EQ(MsgDlgCaption(mtConfirmation), "Confirmation");
  EXPECT_EQ(MsgDlgCaption(mtInformation), "Information");
  EXPECT_EQ(MsgDlgCaption(mtWarning), "Avertissement");
  EXPECT_EQ(MsgDlgCaption(mtError), "Erreur");
  std::unique_ptr<TMessageForm> form(
      CreateMessageDialog("Stop scanning ?", mtError, mbOK | mbCancel));
  EXPECT_EQ(form->Caption(), "Erreur");
  EXPECT_EQ(form->CloseResult(), mrCancel);
  ASSERT_EQ(form->ControlCount(), 2);
  auto* ok = dynamic_cast<TButton*>(form->Controls(0));
  auto* cancel = dynamic_cast<TButton*>(form->Controls(1));
  ASSERT_TRUE(ok && cancel);
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_TRUE(ok->Default());
  EXPECT_EQ(cancel->Caption(), "Annuler");
  EXPECT_TRUE(cancel->Cancel());
  // Buttons side by side below the text, inside the client area.
  EXPECT_LT(ok->Left() + ok->Width(), cancel->Left());
  EXPECT_LE(cancel->Left() + cancel->Width(), form->ClientWidth());
  EXPECT_LE(ok->Top() + ok->Height(), form->ClientHeight());
  char cls[64] = {};
  GetClassNameA(form->Handle(), cls, sizeof cls);
  EXPECT_STREQ(cls, "TMessageForm");
}

namespace {
// A thread that hands one call to the main thread and waits for it.
class TSyncThread : public TThread {
public:
  bool ran = false;

protected:
  // Hands the call over once the dialog (and so its modal loop) is there.
  void Execute() override {
    WaitUntil([] {
      HWND dialog = FindWindowA("TMessageForm", nullptr);
      return dialog && IsWindowVisible(dialog);
    });
    Synchronize([this] { ran = true; });
  }
};
}  // namespace

TEST(MessageDialog, ModalLoopRunsCallsHandedToTheMainThread) {
  auto thread = MakeThread<TSyncThread>();
  // "No" is pressed only once the thread's call has run inside the modal loop.
  UserAction action{"TMessageForm", "",
                    [](HWND dlg) { SendMessageA(ChildWithText(dlg, "&Non"), BM_CLICK, 0, 0); }};
  action.Ready = [&] { return thread->Finished(); };
  WhenWindowAppears(action);
  EXPECT_EQ(MessageDlg("Stop scanning ?", mtConfirmation, mbYes | mbNo, 0), mrNo);
  ForgetUserAction();
  EXPECT_TRUE(thread->ran);
  thread->WaitFor();
}

TEST(Application, ProcessMessagesHandlesWhatIsWaiting) {
  auto form = MakeForm("pump");
  HWND wnd = form->Handle();
  int seen = 0;
  auto saved = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_APP + 5) ++seen;
    saved(m);
  };
  PostMessageA(wnd, WM_APP + 5, 0, 0);
  PostMessageA(wnd, WM_APP + 5, 0, 0);
  EXPECT_EQ(seen, 0);
  Application->ProcessMessages();
  EXPECT_EQ(seen, 2);
  form->WindowProc = saved;
}

TEST(Application, WindowCarriesTheTitleOfPlainMessageBoxes) {
  Application->SetTitle("Quorvel ");
  HWND app = Application->Handle();
  EXPECT_EQ(FindWindowA("TApplication", "Quorvel "), app);
  EXPECT_FALSE(IsWindowVisible(app));
  UserAction action{"#32770", "Quorvel ", [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); }};
  WhenWindowAppears(action);
  EXPECT_EQ(Application->MessageBox("Scan complete\n\rItems found:0", "", MB_OK), IDOK);
  EXPECT_TRUE(action.Done);
  ForgetUserAction();
}

TEST(Application, AnExceptionFromAClickIsShownAndTheProgramGoesOn) {
  Application->SetTitle("Quorvel ");
  auto form = MakeForm("throws");
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->OnClick = [](TObject*) { throw EInvalidOperation("Cannot do that"); };
  std::string shown;
  UserAction action{"#32770", "Quorvel ", [&](HWND box) {
                      for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                        if (TextOf(c).find("Cannot") != std::string::npos) shown = TextOf(c);
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                    }};
  WhenWindowAppears(action);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  ForgetUserAction();
  EXPECT_TRUE(action.Done);
  EXPECT_EQ(shown, "Cannot do that.");
  EXPECT_TRUE(IsWindow(button->Handle()));
}

TEST(Application, FormsAreListedInCreationOrder) {
  const int before = Application->FormCount();
  auto a = MakeForm("a");
  auto b = MakeForm("b");
  ASSERT_EQ(Application->FormCount(), before + 2);
  EXPECT_EQ(Application->Forms(before), a.get());
  EXPECT_EQ(Application->Forms(before + 1), b.get());
  a.reset();
  EXPECT_EQ(Application->Forms(before), b.get());
}

namespace {
class TMainForm : public TForm {
  QUORVEL_CLASS(TMainForm, TForm)
public:
  explicit TMainForm(TComponent* owner) : TForm(owner) {
    SetBounds(20, 20, 300, 200);
    OnClose = [this](TObject*, TCloseAction& action) {
      closeActions.push_back(action);
      if (onCloseExtra) onCloseExtra();
    };
  }
  std::vector<TCloseAction> closeActions;
  std::function<void()> onCloseExtra;
};
QUORVEL_DEFINE_CLASS(TMainForm) {}
}  // namespace

TEST(Forms, ShowModalReturnsTheModalResultOfTheClickedButton) {
  auto form = MakeForm("modal");
  auto* ok = new TButton(form.get());
  ok->SetParent(form.get());
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  UserAction action{"TForm", "modal",
                    [](HWND wnd) { SendMessageA(ChildWithText(wnd, "OK"), BM_CLICK, 0, 0); }};
  WhenWindowAppears(action);
  EXPECT_EQ(form->ShowModal(), mrOk);
  ForgetUserAction();
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_THROW(([&] {
                 form->Show();
                 form->ShowModal();
               }()),
               EInvalidOperation);
}

namespace {
class TVisibleForm : public TForm {
  QUORVEL_CLASS(TVisibleForm, TForm)
public:
  explicit TVisibleForm(TComponent* owner) : TForm(owner) {}
  std::vector<std::string> events;
  void FormCreate(TObject*) {
    events.push_back(IsWindowVisible(Handle()) ? "create:visible" : "create:hidden");
  }
  void FormShow(TObject*) { events.push_back("show"); }
};
QUORVEL_DEFINE_CLASS(TVisibleForm) {
  p.Method("FormCreate", &TVisibleForm::FormCreate);
  p.Method("FormShow", &TVisibleForm::FormShow);
}
}  // namespace

TEST(Forms, AFormStoredVisibleIsShownAfterOnCreate) {
  const std::string text =
      "object Form5: TVisibleForm\n  Caption = 'shown'\n  Visible = True\n"
      "  OnCreate = FormCreate\n  OnShow = FormShow\nend\n";
  TMemoryStream in(std::vector<uint8_t>(text.begin(), text.end()));
  TMemoryStream bin;
  ObjectTextToBinary(in, bin);
  bin.SetPosition(0);
  TVisibleForm form(nullptr);
  form.LoadDefinition(bin);
  EXPECT_EQ(form.events, (std::vector<std::string>{"create:hidden", "show"}));
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  form.Show();  // already visible: only comes to the front
  EXPECT_EQ(form.events.size(), 2u);
}

TEST(Forms, TabFollowsTabOrderAndSkipsDisabledControls) {
  auto form = MakeForm("tabs");
  std::vector<TButton*> buttons;
  for (int order : {2, 0, 1, 3}) {
    auto* b = new TButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(10 + 40 * order, 10, 35, 25);
    b->SetTabOrder(order);
    buttons.push_back(b);
  }
  buttons[3]->SetEnabled(false);
  form->Show();
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), buttons[1]->Handle());  // the first in tab order
  auto tab = [&] {
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    Application->ProcessMessages();
    return GetFocus();
  };
  EXPECT_EQ(tab(), buttons[2]->Handle());
  EXPECT_EQ(tab(), buttons[0]->Handle());
  EXPECT_EQ(tab(), buttons[1]->Handle());  // the disabled one is skipped, then round again
}

TEST(Forms, ChangingTheBorderRemakesAShownWindow) {
  auto form = MakeForm("border");
  auto* button = new TButton(form.get());
  button->SetParent(form.get());
  button->SetCaption("kept");
  form->Show();
  const HWND before = form->Handle();
  SetWindowTextA(before, "set directly");
  form->SetBorderStyle(bsNone);
  EXPECT_EQ(TextOf(form->Handle()), "set directly");
  EXPECT_NE(form->Handle(), before);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(GetParent(button->Handle()), form->Handle());
  EXPECT_EQ(TextOf(button->Handle()), "kept");
}

TEST(Forms, ReleasedFormIsFreedByTheMessageLoop) {
  auto* form = new TMainForm(nullptr);
  bool destroyed = false;
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  const int before = Application->FormCount();
  form->Release();
  EXPECT_FALSE(destroyed);
  Application->ProcessMessages();
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(Application->FormCount(), before - 1);
}

namespace {
// A form that always lives in the same memory, as the next form after a
// freed one may.
class TRecycledForm : public TForm {
public:
  explicit TRecycledForm(TComponent* owner) : TForm(owner) {}
  static void* operator new(size_t size) {
    assert(size <= sizeof(gMemory));
    (void)size;
    return gMemory;
  }
  static void operator delete(void*) {}

private:
  alignas(std::max_align_t) static inline unsigned char gMemory[sizeof(TForm) + 256];
};
}  // namespace

TEST(Forms, AReleasedFormFreedMeanwhileTakesNoOtherFormWithIt) {
  auto* released = new TRecycledForm(nullptr);
  released->Release();
  released->Release();  // once is enough
  delete released;
  auto* next = new TRecycledForm(nullptr);
  ASSERT_EQ(next, released);
  bool destroyed = false;
  next->OnDestroy = [&](TObject*) { destroyed = true; };
  Application->ProcessMessages();
  EXPECT_FALSE(destroyed);
  delete next;
}

namespace {
// An .ico file with one 16 by 16 image of 32 bits.
std::vector<uint8_t> SmallIconFile() {
  std::vector<uint8_t> f;
  auto u16 = [&](unsigned v) {
    f.push_back(v & 0xFF);
    f.push_back((v >> 8) & 0xFF);
  };
  auto u32 = [&](unsigned v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  const unsigned pixels = 16 * 16 * 4, mask = 16 * 4, size = 40 + pixels + mask;
  u16(0);
  u16(1);
  u16(1);  // icon file, one image
  f.push_back(16);
  f.push_back(16);
  f.push_back(0);
  f.push_back(0);
  u16(1);
  u16(32);
  u32(size);
  u32(6 + 16);  // planes, bits, bytes, offset
  u32(40);
  u32(16);
  u32(32);
  u16(1);
  u16(32);  // header: twice the height
  u32(0);
  u32(pixels + mask);
  u32(0);
  u32(0);
  u32(0);
  u32(0);
  for (unsigned i = 0; i < 16 * 16; ++i) u32(0xFF2040C0);  // opaque colour
  f.insert(f.end(), mask, 0);
  return f;
}
}  // namespace

TEST(Forms, IconGoesOnTheWindowLargeAndSmall) {
  auto form = MakeForm("icon");
  form->Icon().LoadFromBytes(SmallIconFile());
  ASSERT_FALSE(form->Icon().Empty());
  HWND wnd = form->Handle();
  EXPECT_NE(SendMessageA(wnd, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0), 0);
}

namespace {
class TResourceForm : public TForm {
  QUORVEL_CLASS(TResourceForm, TForm)
public:
  explicit TResourceForm(TComponent* owner) : TForm(owner) { LoadDefinition(); }
  TButton* Button1 = nullptr;
  int created = 0;
  void FormCreate(TObject*) { ++created; }
};
QUORVEL_DEFINE_CLASS(TResourceForm) {
  p.Field("Button1", &TResourceForm::Button1);
  p.Method("FormCreate", &TResourceForm::FormCreate);
}
class TMissingForm : public TForm {
  QUORVEL_CLASS(TMissingForm, TForm)
public:
  explicit TMissingForm(TComponent* owner) : TForm(owner) { LoadDefinition(); }
};
QUORVEL_DEFINE_CLASS(TMissingForm) {}
}  // namespace

TEST(Forms, DefinitionComesFromTheResourceNamedAfterTheClass) {
  TResourceForm form(nullptr);
  EXPECT_EQ(form.Name(), "Form9");
  EXPECT_EQ(form.Tag(), 99);
  EXPECT_EQ(form.created, 1);
  ASSERT_NE(form.Button1, nullptr);
  EXPECT_EQ(form.Button1->Caption(), "&Close");
  EXPECT_EQ(form.BorderStyle(), bsNone);
  EXPECT_EQ(form.ClientWidth(), 599);
  EXPECT_EQ(form.ClientHeight(), 452);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
  EXPECT_EQ(GetWindowLongPtrA(form.Handle(), GWL_STYLE) & WS_CAPTION, 0);

  EXPECT_THROW(TMissingForm(nullptr), EResNotFound);
}
