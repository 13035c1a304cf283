// The end of the message loop: Run returns when the main form closes, and the
// application then counts as terminated for good. A program of its own, so
// that no other test runs after the application has ended.
#include <gtest/gtest.h>

#include <vector>

#include "support/UserAction.h"
#include "ui/Forms.h"

namespace {
class TMainForm : public TForm {
  QUORVEL_CLASS(TMainForm, TForm)
public:
  explicit TMainForm(TComponent* owner) : TForm(owner) {
    SetBounds(20, 20, 300, 200);
    OnClose = [this](TObject*, TCloseAction& action) { closeActions.push_back(action); };
  }
  std::vector<TCloseAction> closeActions;
};
QUORVEL_DEFINE_CLASS(TMainForm) {}
}  // namespace

TEST(ApplicationEnd, RunEndsWhenTheMainFormClosesAndSecondaryFormsOnlyHide) {
  ASSERT_EQ(Application->MainForm(), nullptr);
  TMainForm* main = nullptr;
  TMainForm* second = nullptr;
  Application->CreateForm(main);
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), main);

  second->Show();
  second->Close();  // a secondary form hides; the application goes on
  EXPECT_EQ(second->closeActions, (std::vector<TCloseAction>{caHide}));
  EXPECT_FALSE(IsWindowVisible(second->Handle()));
  EXPECT_FALSE(Application->Terminated());

  // The user closes the main window while the program runs.
  UserAction action{"TMainForm", "", [](HWND wnd) { PostMessageA(wnd, WM_CLOSE, 0, 0); }};
  WhenWindowAppears(action);
  Application->Run();
  ForgetUserAction();
  EXPECT_TRUE(action.Done);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(main->closeActions, (std::vector<TCloseAction>{caHide}));
  EXPECT_TRUE(IsWindowVisible(main->Handle()));  // the window stays until the program ends
  delete main;
  EXPECT_EQ(Application->MainForm(), nullptr);
  // The second form stays with the application, which frees it when the
  // test program ends (after every static table of the layer is gone).
  EXPECT_EQ(second->Owner(), Application);
}
