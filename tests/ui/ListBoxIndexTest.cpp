// The check list's lookup ignores letter case and stays right whichever way
// items come and go: through Items, or through list box messages.
#include <gtest/gtest.h>

#include "ui/CheckLst.h"
#include "ui/Forms.h"

TEST(ListBoxLookup, FollowsItemsAddedAndRemovedByMessagesToo) {
  TForm form(nullptr);
  auto* list = new TCheckListBox(&form);
  list->SetParent(&form);
  HWND h = list->Handle();
  TStrings& items = list->Items();

  items.Add("C:\\Photos\\porn.jpg");
  EXPECT_EQ(items.IndexOf("c:\\photos\\PORN.JPG"), 0);
  EXPECT_EQ(items.IndexOf("C:\\Photos\\porn.jp"), -1);

  SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("D:\\Br\xDCste.gif"));
  SendMessageA(h, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("E:\\first.txt"));
  EXPECT_EQ(items.IndexOf("d:\\br\xFCste.GIF"), 2);
  EXPECT_EQ(items.IndexOf("E:\\FIRST.TXT"), 0);

  // Two equal texts: one deletion leaves the other findable.
  items.Add("c:\\PHOTOS\\porn.jpg");
  SendMessageA(h, LB_DELETESTRING, 1, 0);
  EXPECT_EQ(items.IndexOf("C:\\Photos\\porn.jpg"), 2);
  items.Delete(2);
  EXPECT_EQ(items.IndexOf("C:\\Photos\\porn.jpg"), -1);

  SendMessageA(h, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(items.IndexOf("E:\\first.txt"), -1);
  items.Add("again.url");
  EXPECT_EQ(list->FindExact("AGAIN.URL"), 0);

  // A re-created window keeps its items and finds them.
  list->RecreateWnd();
  EXPECT_EQ(items.IndexOf("again.URL"), 0);
  EXPECT_EQ(items.IndexOf("gone.url"), -1);
}
