// String lists, collections and component ownership.
#include <gtest/gtest.h>

#include "ui/Classes.h"
#include "ui/Published.h"

TEST(StringList, SortedDuplicatesAndCaseInsensitiveFind) {
  TStringList list;
  list.SetSorted(true);
  list.Add("beta");
  list.Add("Alpha");
  EXPECT_EQ(list.Add("ALPHA"), 0);  // ignored: already there
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], "Alpha");
  EXPECT_EQ(list.IndexOf("BETA"), 1);

  list.SetDuplicates(TDuplicates::dupError);
  EXPECT_THROW(list.Add("beta"), EStringListError);
  list.SetDuplicates(TDuplicates::dupAccept);
  list.Add("beta");
  EXPECT_EQ(list.Count(), 3);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);  // sorted lists only Add
}

TEST(StringList, UnsortedIndexOfIgnoresCaseIncludingAccents) {
  TStringList list;
  list.Add(
      "C:\\Photos\\BR\xDC"
      "STE.jpg");
  EXPECT_EQ(list.IndexOf("c:\\photos\\br\xFCste.JPG"), 0);
  EXPECT_EQ(list.IndexOf("c:\\photos\\brste.jpg"), -1);
}

TEST(StringList, ChangeNotificationsRespectUpdateBrackets) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.Delete(0);
  EXPECT_EQ(changed, 1);
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
}

TEST(StringList, TextUsesCrLfAndSplitsAnyLineBreak) {
  TStringList list;
  list.SetText("one\rtwo\nthree\r\nfour\r\n");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[3], "four");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  EXPECT_THROW(list.Get(4), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
}

TEST(StringList, CapacityNeverBelowCount) {
  TStringList list;
  list.SetCapacity(95);
  EXPECT_EQ(list.GetCapacity(), 95);
  list.Add("a");
  list.Add("b");
  list.SetCapacity(1);
  EXPECT_EQ(list.GetCapacity(), 2);
}

namespace {
class TOwnedThing : public TComponent {
  QUORVEL_CLASS(TOwnedThing, TComponent)
public:
  explicit TOwnedThing(TComponent* owner) : TComponent(owner) {}
  ~TOwnedThing() override { ++destroyed; }
  static int destroyed;
};
int TOwnedThing::destroyed = 0;
QUORVEL_DEFINE_CLASS(TOwnedThing) {}
}  // namespace

TEST(Component, OwnerFreesOwnedComponentsAndNamesAreUnique) {
  TOwnedThing::destroyed = 0;
  {
    TComponent root(nullptr);
    auto* a = new TOwnedThing(&root);
    a->SetName("First");
    auto* b = new TOwnedThing(&root);
    EXPECT_THROW(b->SetName("FIRST"), EComponentError);
    b->SetName("Second");
    EXPECT_EQ(root.FindComponent("second"), b);
    EXPECT_EQ(b->ComponentIndex(), 1);
    delete a;  // leaves its owner
    EXPECT_EQ(root.ComponentCount(), 1);
  }
  EXPECT_EQ(TOwnedThing::destroyed, 2);
}

TEST(Component, FreeNotificationTellsTheWatcher) {
  struct Watcher : TComponent {
    using TComponent::TComponent;
    TComponent* gone = nullptr;
    void Notification(TComponent* c, TOperation op) override {
      if (op == TOperation::opRemove) gone = c;
      TComponent::Notification(c, op);
    }
  };
  Watcher watcher(nullptr);
  auto* other = new TComponent(nullptr);
  watcher.FreeNotification(other);
  delete other;
  EXPECT_EQ(watcher.gone, other);
}
