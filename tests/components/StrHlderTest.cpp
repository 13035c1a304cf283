// TStrHolder: the item codecs, the stored form of its strings, the macro
// collection and the change notifications.
#include <gtest/gtest.h>

#include <functional>

#include "components/StrHlder.h"
#include "ui/Filer.h"

namespace {

// A binary definition of a TStrHolder root whose properties body writes.
std::vector<uint8_t> Definition(const std::function<void(TWriter&)>& body) {
  TMemoryStream stream;
  TWriter w(stream);
  w.WriteSignature();
  w.WriteStr("TStrHolder");
  w.WriteStr("kw");
  body(w);
  w.WriteListEnd();  // properties
  w.WriteListEnd();  // children
  return stream.Bytes();
}

// Reads a definition into holder.
void Load(TStrHolder& holder, const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  ReadComponentFromStream(stream, &holder);
}

// Writes holder as a root definition (against ancestor when given).
std::vector<uint8_t> Store(TStrHolder& holder, TStrHolder* ancestor = nullptr) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteDescendent(&holder, ancestor);
  return stream.Bytes();
}

// The position of text inside bytes, or npos.
size_t Find(const std::vector<uint8_t>& bytes, const std::string& text) {
  const std::string all(bytes.begin(), bytes.end());
  return all.find(text);
}

// Bytes from a list of values.
std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

std::vector<std::string> MacroNames(TStrHolder& holder) {
  std::vector<std::string> names;
  for (int i = 0; i < holder.Macros()->Count(); ++i)
    names.push_back(holder.Macros()->Items(i)->Name());
  return names;
}

}  // namespace

// ---------------------------------------------------------------------------
// Codecs

TEST(StrHolderCodec, EmptyKeyIsPlainHexadecimal) {
  EXPECT_EQ(EncodeListItem("", "jpg"), "6a7067");
  EXPECT_EQ(DecodeListItem("", "6a7067"), "jpg");
  EXPECT_EQ(DecodeListItem("", "6A7067"), "jpg");
  EXPECT_EQ(EncodeListItem("", "br\xFCste"), "6272fc737465");
  EXPECT_EQ(EncodeListItem("", ""), "");
  EXPECT_EQ(DecodeListItem("", ""), "");
}

TEST(StrHolderCodec, KeyIsRepeatedFromItsFirstByte) {
  EXPECT_EQ(EncodeListItem("key", "key"), "000000");
  // 'a' ^ 'k' = 0x0a, 'b' ^ 'e' = 0x07, 'c' ^ 'y' = 0x1a, 'd' ^ 'k' = 0x0f
  EXPECT_EQ(EncodeListItem("key", "abcd"), "0a071a0f");
  EXPECT_EQ(DecodeListItem("key", "0a071a0f"), "abcd");
  const std::string binary = Bytes({0x00, 0xFF, 0x80, 0x20, 0xFC, 0x0D, 0x0A});
  EXPECT_EQ(DecodeListItem("\xF1k", EncodeListItem("\xF1k", binary)), binary);
}

TEST(StrHolderCodec, BadPairsReadAsSpacesAndAnOddLastDigitIsDropped) {
  EXPECT_EQ(DecodeListItem("", "zz41"), " A");
  EXPECT_EQ(DecodeListItem("", "4g41"), " A");
  EXPECT_EQ(DecodeListItem("", "414"), "A");
  EXPECT_EQ(DecodeListItem("", "4"), "");
  // The space of a bad pair is combined with the key like any other byte.
  EXPECT_EQ(DecodeListItem("k", "zz"), std::string(1, static_cast<char>(' ' ^ 'k')));
}

TEST(StrHolderCodec, LegacyItemsAreRawBytesCutTo255) {
  EXPECT_EQ(DecodeLegacyItem("", "plain"), "plain");
  EXPECT_EQ(DecodeLegacyItem("k", std::string(1, static_cast<char>('A' ^ 'k'))), "A");
  EXPECT_EQ(DecodeLegacyItem("", std::string(300, 'x')), std::string(255, 'x'));
  // The key is cut too: byte 255 of the item uses key byte 0 again.
  std::string key(300, '\0');
  key[255] = 'Z';
  EXPECT_EQ(DecodeLegacyItem(key, std::string(256, 'a')), std::string(255, 'a'));
}

// ---------------------------------------------------------------------------
// Stored form

TEST(StrHolderStore, WriteThenReadGivesTheSameHolder) {
  TStrHolder original(nullptr);
  original.SetName("kw");
  original.SetCapacity(95);
  original.SetKeyString("k\xE9y");
  original.SetDuplicates(TDuplicates::dupAccept);
  original.Strings()->Add("humiliate");
  original.Strings()->Add("co\xF1o");
  original.Strings()->Add("");
  original.Strings()->Add("%name here");
  original.Macros()->FindMacroByName("name")->SetValue(int64_t{7});

  const std::vector<uint8_t> bytes = Store(original);
  // Published properties first, then the format version, then the data.
  const size_t capacity = Find(bytes,
                               "\x08"
                               "Capacity");
  const size_t version = Find(bytes,
                              "\x0B"
                              "InternalVer"
                              "\x02\x01");
  const size_t data = Find(bytes,
                           "\x07"
                           "StrData"
                           "\x01");
  ASSERT_NE(capacity, std::string::npos);
  ASSERT_NE(version, std::string::npos);
  ASSERT_NE(data, std::string::npos);
  EXPECT_LT(capacity, version);
  EXPECT_LT(version, data);
  EXPECT_EQ(Find(bytes, "KeyString"), std::string::npos);
  EXPECT_NE(Find(bytes, "\x06\x08" + EncodeListItem("k\xE9y", "co\xF1o")), std::string::npos)
      << "items are short ASCII strings";

  TStrHolder copy(nullptr);
  Load(copy, bytes);
  EXPECT_EQ(copy.Name(), "kw");
  EXPECT_EQ(copy.FormatVersion(), 1);
  EXPECT_EQ(copy.Capacity(), 95);
  EXPECT_EQ(copy.KeyString(), "k\xE9y");
  EXPECT_EQ(copy.Duplicates(), TDuplicates::dupAccept);
  EXPECT_EQ(copy.Strings()->ToVector(), original.Strings()->ToVector());
  ASSERT_EQ(copy.Macros()->Count(), 1);
  EXPECT_EQ(copy.Macros()->Items(0)->Name(), "name");
  EXPECT_EQ(copy.Macros()->Items(0)->Value(), TVariant(int64_t{7}));
}

TEST(StrHolderStore, ReadsAWideEmptyKeyAndAnyIntegerSize) {
  const std::vector<uint8_t> bytes = Definition([](TWriter& w) {
    w.WriteStr("InternalVer");
    w.WriteValue(TValueType::vaInt32);
    const int32_t one = 1;
    w.Stream().WriteBuffer(&one, 4);
    w.WriteStr("StrData");
    w.WriteListBegin();
    w.WriteWideString(u"");
    w.WriteString("6a7067");
    w.WriteString("2e776d76");
    w.WriteListEnd();
  });
  EXPECT_NE(Find(bytes, Bytes({0x12, 0, 0, 0, 0})), std::string::npos);
  TStrHolder holder(nullptr);
  holder.SetKeyString("old");
  Load(holder, bytes);
  EXPECT_EQ(holder.KeyString(), "");
  EXPECT_EQ(holder.Strings()->ToVector(), (std::vector<std::string>{"jpg", ".wmv"}));
}

TEST(StrHolderStore, WithoutInternalVerItemsAreLegacyRawBytes) {
  const std::vector<uint8_t> bytes = Definition([](TWriter& w) {
    w.WriteStr("StrData");
    w.WriteListBegin();
    w.WriteString("k");
    w.WriteString(std::string(1, static_cast<char>('A' ^ 'k')) + static_cast<char>('B' ^ 'k'));
    w.WriteString("6a7067");  // not hexadecimal in this format
    w.WriteListEnd();
  });
  TStrHolder holder(nullptr);
  Load(holder, bytes);
  EXPECT_EQ(holder.FormatVersion(), 0);
  ASSERT_EQ(holder.Strings()->Count(), 2);
  EXPECT_EQ(holder.Strings()->Get(0), "AB");
  EXPECT_EQ(holder.Strings()->Get(1), DecodeLegacyItem("k", "6a7067"));
}

TEST(StrHolderStore, AnEmptyListClearsTheStringsAndKeepsTheKey) {
  TStrHolder holder(nullptr);
  holder.SetKeyString("secret");
  holder.Strings()->Add("one");
  Load(holder, Definition([](TWriter& w) {
         w.WriteStr("InternalVer");
         w.WriteInteger(1);
         w.WriteStr("StrData");
         w.WriteListBegin();
         w.WriteListEnd();
       }));
  EXPECT_EQ(holder.Strings()->Count(), 0);
  EXPECT_EQ(holder.KeyString(), "secret");
}

TEST(StrHolderStore, AnItemThatIsNotTextIsAReadError) {
  const std::vector<uint8_t> bytes = Definition([](TWriter& w) {
    w.WriteStr("InternalVer");
    w.WriteInteger(1);
    w.WriteStr("StrData");
    w.WriteListBegin();
    w.WriteString("");
    w.WriteInteger(42);
    w.WriteListEnd();
  });
  TStrHolder holder(nullptr);
  EXPECT_THROW(Load(holder, bytes), EReadError);
  EXPECT_FALSE(holder.IsLoading());
  EXPECT_EQ(holder.Strings()->UpdateCount(), 0);  // the list reports changes again

  // A truncated list is an error too, never a read past the end.
  std::vector<uint8_t> cut = Definition([](TWriter& w) {
    w.WriteStr("StrData");
    w.WriteListBegin();
    w.WriteString("");
    w.WriteString("6a7067");
  });
  cut.resize(cut.size() - 2);
  TStrHolder other(nullptr);
  EXPECT_THROW(Load(other, cut), EReadError);
}

TEST(StrHolderStore, StrDataIsWrittenOnlyWhenThereIsSomethingToStore) {
  TStrHolder empty(nullptr);
  EXPECT_EQ(Find(Store(empty), "StrData"), std::string::npos);
  EXPECT_NE(Find(Store(empty), "InternalVer"), std::string::npos);

  TStrHolder keyOnly(nullptr);
  keyOnly.SetKeyString("key");
  EXPECT_NE(Find(Store(keyOnly), std::string("\x07"
                                             "StrData"
                                             "\x01\x06\x03"
                                             "key"
                                             "\x00",
                                             15)),
            std::string::npos);
}

TEST(StrHolderStore, AgainstAnAncestorOnlyDifferencesAreWritten) {
  TStrHolder ancestor(nullptr);
  ancestor.Strings()->Add("jpg");
  ancestor.Strings()->Add("gif");
  TStrHolder holder(nullptr);
  holder.Strings()->Assign(ancestor.Strings());

  const std::vector<uint8_t> same = Store(holder, &ancestor);
  EXPECT_EQ(Find(same, "StrData"), std::string::npos);
  EXPECT_EQ(Find(same, "InternalVer"), std::string::npos) << "no version with an ancestor";

  holder.Strings()->Put(1, "GIF");  // a change of letter case is a change
  EXPECT_NE(Find(Store(holder, &ancestor), "StrData"), std::string::npos);

  holder.Strings()->Put(1, "gif");
  holder.SetKeyString("k");
  EXPECT_NE(Find(Store(holder, &ancestor), "StrData"), std::string::npos);

  holder.SetKeyString("");
  holder.Strings()->Add("avi");
  EXPECT_NE(Find(Store(holder, &ancestor), "StrData"), std::string::npos);

  // Both empty: the ancestor does not decide; a key alone is still stored.
  TStrHolder emptyAncestor(nullptr);
  TStrHolder emptyHolder(nullptr);
  EXPECT_EQ(Find(Store(emptyHolder, &emptyAncestor), "StrData"), std::string::npos);
  emptyHolder.SetKeyString("k");
  emptyAncestor.SetKeyString("k");
  EXPECT_NE(Find(Store(emptyHolder, &emptyAncestor), "StrData"), std::string::npos);
}

TEST(StrHolderStore, AssignCopiesStringsOnly) {
  TStrHolder source(nullptr);
  source.SetKeyString("k");
  source.Strings()->Add("a");
  source.Strings()->Add("b");
  TStrHolder holder(nullptr);
  holder.Assign(&source);
  EXPECT_EQ(holder.Strings()->ToVector(), source.Strings()->ToVector());
  EXPECT_EQ(holder.KeyString(), "");

  TStringList list;
  list.Assign(&holder);  // through the holder's AssignTo
  EXPECT_EQ(list.ToVector(), source.Strings()->ToVector());
  list.Add("c");
  holder.Assign(&list);
  EXPECT_EQ(holder.Strings()->Count(), 3);

  TMacros unrelated(nullptr);
  EXPECT_THROW(holder.Assign(&unrelated), EConvertError);
}

// ---------------------------------------------------------------------------
// Macros

TEST(StrHolderMacros, ScanningFindsReferencesOutsideQuotes) {
  TMacros macros(nullptr);
  const std::string text = macros.ParseText("%name %Name. %'a b' '%q' %%", true, '%');
  EXPECT_EQ(text, "? ?. ? '%q' %");
  ASSERT_EQ(macros.Count(), 2);
  EXPECT_EQ(macros.Items(0)->Name(), "name");
  EXPECT_EQ(macros.Items(1)->Name(), "a b");
  EXPECT_EQ(macros.FindMacroByName("NAME"), macros.Items(0));

  TMacros quoted(nullptr);
  EXPECT_EQ(quoted.ParseText("(%\"x y\",%z;%w)", true, '%'), "(?,?;?)");
  ASSERT_EQ(quoted.Count(), 3);
  EXPECT_EQ(quoted.Items(0)->Name(), "x y");
  EXPECT_EQ(quoted.Items(1)->Name(), "z");
  EXPECT_EQ(quoted.Items(2)->Name(), "w");

  TMacros none(nullptr);
  EXPECT_EQ(none.ParseText("%a", true, '\0'), "%a");
  EXPECT_EQ(none.Count(), 0);
}

TEST(StrHolderMacros, TheHolderRebuildsMacrosAndKeepsValuesByName) {
  TStrHolder holder(nullptr);
  holder.Strings()->Add("select %a, %b");
  EXPECT_EQ(MacroNames(holder), (std::vector<std::string>{"a", "b"}));
  holder.Macros()->FindMacroByName("b")->SetValue(std::string("kept"));

  holder.Strings()->Put(0, "select %B #c");
  EXPECT_EQ(MacroNames(holder), (std::vector<std::string>{"b"}));
  EXPECT_EQ(holder.Macros()->Items(0)->Value(), TVariant(std::string("kept")));

  holder.SetMacroChar('#');
  EXPECT_EQ(MacroNames(holder), (std::vector<std::string>{"c"}));

  // Setting the collection copies values into macros of the same name only.
  TMacros values(nullptr);
  values.AddMacro("C")->SetValue(int64_t{3});
  values.AddMacro("other")->SetValue(int64_t{4});
  holder.SetMacros(&values);
  EXPECT_EQ(MacroNames(holder), (std::vector<std::string>{"C"}));
  EXPECT_EQ(holder.Macros()->Items(0)->Value(), TVariant(int64_t{3}));
}

TEST(StrHolderMacros, ADuplicateNameIsRefusedAndTheNameStays) {
  TMacros macros(nullptr);
  TMacro* a = macros.AddMacro("alpha");
  TMacro* b = macros.AddMacro("beta");
  try {
    b->SetName("ALPHA");
    FAIL() << "duplicate name accepted";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), Msg::DuplicateString);
  }
  EXPECT_EQ(b->Name(), "beta");
  a->SetName("Alpha");  // its own name in another case
  EXPECT_EQ(a->Name(), "Alpha");
  EXPECT_EQ(macros.Items(0)->GetDisplayName(), "Alpha");
  b->SetName("");
  EXPECT_EQ(b->GetDisplayName(), "TMacro");
}

TEST(StrHolderMacros, AssigningAMacroCopiesValueAndName) {
  TMacros macros(nullptr);
  TMacro* target = macros.AddMacro("t");
  target->SetValue(int64_t{1});
  TMacros other(nullptr);
  TMacro* source = other.AddMacro("s");
  target->Assign(source);
  EXPECT_TRUE(VarIsEmpty(target->Value()));
  EXPECT_EQ(target->Name(), "s");
  source->SetValue(true);
  target->Assign(source);
  EXPECT_EQ(target->Value(), TVariant(true));
}

// ---------------------------------------------------------------------------
// Change notifications

TEST(StrHolderEvents, ChangesFireAroundTheMacroRebuild) {
  TStrHolder holder(nullptr);
  std::vector<std::string> log;
  holder.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &holder);
    log.push_back("changing:" + std::to_string(holder.Macros()->Count()));
  };
  holder.OnChange = [&](TObject*) {
    log.push_back("change:" + std::to_string(holder.Macros()->Count()));
  };
  holder.Strings()->Add("%x");
  EXPECT_EQ(log, (std::vector<std::string>{"changing:0", "change:1"}));

  log.clear();
  TStringList lines;
  lines.Add("a");
  lines.Add("b");
  holder.SetStrings(&lines);  // one bracket, one pair of events
  EXPECT_EQ(log, (std::vector<std::string>{"changing:1", "change:0"}));
}

TEST(StrHolderEvents, NothingFiresOrRebuildsWhileLoading) {
  TStrHolder holder(nullptr);
  int events = 0;
  holder.OnChanging = [&](TObject*) { ++events; };
  holder.OnChange = [&](TObject*) { ++events; };
  Load(holder, Definition([](TWriter& w) {
         w.WriteStr("MacroChar");
         w.WriteChar('#');
         w.WriteStr("InternalVer");
         w.WriteInteger(1);
         w.WriteStr("StrData");
         w.WriteListBegin();
         w.WriteString("");
         w.WriteString(EncodeListItem("", "#m %p"));
         w.WriteListEnd();
       }));
  EXPECT_EQ(events, 0);
  EXPECT_EQ(holder.MacroChar(), '#');
  EXPECT_EQ(holder.Strings()->Count(), 1);
  EXPECT_EQ(holder.Macros()->Count(), 0);
  EXPECT_FALSE(holder.IsLoading());

  holder.Strings()->Add("");
  EXPECT_EQ(events, 2);
  EXPECT_EQ(MacroNames(holder), (std::vector<std::string>{"m"}));
}
