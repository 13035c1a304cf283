// The text form of window definitions: conversion both ways, the string
// encoding rules, includes, and malformed input of either form.
#include <gtest/gtest.h>

#include "SampleComponents.h"
#include "ui/Filer.h"
#include "ui/ObjText.h"
#include "ui/Published.h"

namespace {

// A form with two controls and every kind of property set.
std::unique_ptr<TSampleForm> MakeForm() {
  auto form = std::make_unique<TSampleForm>(nullptr);
  form->SetName("Form1");
  form->SetTag(99);
  auto* b1 = new TSampleControl(form.get());
  b1->SetName("Button1");
  b1->Width = 300000;
  b1->Color = static_cast<int32_t>(0x8000000F);
  b1->Flag = true;
  b1->Caption = "Scan it's \"now\"";
  b1->LongOne = -2;
  b1->Font.Style = 5;
  b1->Lines.Add("one");
  b1->Lines.Add("br\xFCste");
  b1->Lines.Add("");
  auto* item = static_cast<TSampleItem*>(b1->Items.Add());
  item->Label = "first";
  item->Value = int64_t{42};
  static_cast<TSampleItem*>(b1->Items.Add())->Value = 2.5;
  b1->Blob = {1, 2, 3, 0, 255};
  auto* b2 = new TSampleControl(form.get());
  b2->SetName("Button2");
  b2->Caption = std::string(70, 'x') + "\r\n";
  return form;
}

// The canonical text of MakeForm().
const char kFormText[] =
    "object Form1: TSampleForm\n"
    "  Tag = 99\n"
    "  object Button1: TSampleControl\n"
    "    Width = 300000\n"
    "    Color = clBtnFace\n"
    "    Flag = True\n"
    "    Caption = 'Scan it''s \"now\"'\n"
    "    AnUnusuallyLongPropertyName = -2\n"
    "    Font.Name = 'MS Sans Serif'\n"
    "    Font.Style = [fsBold, fsUnderline]\n"
    "    Lines.Strings = (\n"
    "      'one'\n"
    "      'br'#252'ste'\n"
    "      '')\n"
    "    Items = <\n"
    "      item\n"
    "        Label = 'first'\n"
    "        Value = 42\n"
    "      end\n"
    "      item\n"
    "        Value = 2.5\n"
    "      end>\n"
    "    Blob = {\n"
    "      01020300FF}\n"
    "  end\n"
    "  object Button2: TSampleControl\n"
    "    Caption =\n"
    "      'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' +\n"
    "      'xxxxxx'#13#10\n"
    "    Font.Name = 'MS Sans Serif'\n"
    "  end\n"
    "end\n";

std::vector<uint8_t> WriteForm(TComponent* root) {
  TMemoryStream s;
  WriteComponentToStream(s, root);
  return s.Bytes();
}

std::string ToText(const std::vector<uint8_t>& bytes) {
  TMemoryStream in(bytes);
  TMemoryStream out;
  ObjectBinaryToText(in, out);
  return std::string(out.Bytes().begin(), out.Bytes().end());
}

std::vector<uint8_t> ToBinary(const std::string& text, const TIncludeResolver& resolve = {}) {
  TMemoryStream in(std::vector<uint8_t>(text.begin(), text.end()));
  TMemoryStream out;
  ObjectTextToBinary(in, out, resolve);
  return out.Bytes();
}

// The binary form of one value, written as the property P of an object.
std::vector<uint8_t> ValueBytes(const std::string& value) {
  const std::vector<uint8_t> bytes = ToBinary("object A: TA\n  P = " + value + "\nend\n");
  // "TPF0", class "TA", name "A", property name "P"; then the value and two list ends.
  const size_t start = 4 + 3 + 2 + 2;
  return std::vector<uint8_t>(bytes.begin() + start, bytes.end() - 2);
}

// Raw bytes of a value written with a type byte and a plain memory image.
template <class T>
void WriteRaw(TWriter& w, TValueType type, T value) {
  w.WriteValue(type);
  w.Stream().WriteBuffer(&value, sizeof value);
}

// A definition with every value type, nested lists, collections and prefixes.
std::vector<uint8_t> RichDefinition() {
  TMemoryStream s;
  TWriter w(s);
  auto prop = [&](const char* name) { w.WriteStr(name); };
  w.WriteSignature();
  w.WriteStr("TMain");
  w.WriteStr("Main");
  prop("I8"), w.WriteInteger(-5);
  prop("I16"), w.WriteInteger(300);
  prop("I32"), w.WriteInteger(-100000);
  prop("I64"), w.WriteInteger(int64_t{1} << 40);
  prop("IMin"), w.WriteInteger(INT64_MIN);
  const long double floats[] = {0.0L,      -0.0L,  1.5L,    0.1L,
                                1.0L / 3,  1e300L, 1e-300L, 123456789012345678.0L,
                                -2.5e-10L, 1e4000L};
  for (long double f : floats) prop("F"), w.WriteFloat(f);
  prop("Sgl"), WriteRaw(w, TValueType::vaSingle, 0.1f);
  prop("Dbl"), WriteRaw(w, TValueType::vaDouble, 1.0 / 3);
  prop("Cur"), WriteRaw(w, TValueType::vaCurrency, int64_t{-123456789});
  prop("Cur2"), WriteRaw(w, TValueType::vaCurrency, int64_t{50000});
  prop("Date"), WriteRaw(w, TValueType::vaDate, 45000.25);
  prop("Empty"), w.WriteString("");
  prop("Quote"), w.WriteString("it's");
  prop("Controls"), w.WriteString(std::string("\t\x01 x\x7F", 5));
  prop("Long"), w.WriteString(std::string(300, 'L'));
  prop("Wrapped"), w.WriteString(std::string(64, 'a') + "'" + std::string(64, 'b') + "\r\n");
  prop("Ansi"), w.WriteString("br\xFCste \x80 \x81");
  prop("AnsiLong"), w.WriteString(std::string(100, '\xE9'));
  prop("Wide"), w.WriteWideString(u"\u20AC \u00E9 x");
  prop("WideEmpty"), w.WriteWideString(u"");
  prop("WideAscii"), w.WriteWideString(u"abc");
  prop("WideSurrogate"), w.WriteWideString(u"\U0001F600");
  prop("WideLong"), w.WriteWideString(std::u16string(130, u'\u0416'));
  prop("Ident"), w.WriteIdent("clBtnFace");
  prop("Dotted"), w.WriteIdent("Form1.Button1");
  prop("T"), w.WriteBoolean(true);
  prop("F"), w.WriteBoolean(false);
  prop("Nil"), w.WriteIdent("nil");
  prop("Null"), w.WriteIdent("Null");
  prop("NoSet"), w.WriteSet({});
  prop("Set"), w.WriteSet({"fsBold", "fsItalic"});
  prop("NoBin"), w.WriteBinary(std::vector<uint8_t>{});
  std::vector<uint8_t> bin(100);
  for (size_t i = 0; i < bin.size(); ++i) bin[i] = static_cast<uint8_t>(i * 7);
  prop("Bin"), w.WriteBinary(bin);
  prop("NoList"), w.WriteListBegin(), w.WriteListEnd();
  prop("List"), w.WriteListBegin();
  w.WriteInteger(1), w.WriteString("two"), w.WriteWideString(u""),
      w.WriteString(std::string(80, 'z'));
  w.WriteListBegin(), w.WriteListBegin(), w.WriteListEnd(), w.WriteIdent("True"), w.WriteListEnd();
  w.WriteSet({"a"}), w.WriteBinary(std::vector<uint8_t>{0}), w.WriteFloat(2.0L);
  w.WriteListEnd();
  prop("NoItems"), w.WriteValue(TValueType::vaCollection), w.WriteListEnd();
  prop("Items"), w.WriteValue(TValueType::vaCollection);
  w.WriteListBegin(), prop("Label"), w.WriteString("first"), prop("Font.Size"), w.WriteInteger(8),
      w.WriteListEnd();
  w.WriteInteger(5), w.WriteListBegin(), w.WriteListEnd();
  w.WriteInteger(-300), w.WriteListBegin(), prop("Sub"), w.WriteValue(TValueType::vaCollection);
  w.WriteListBegin(), prop("X"), w.WriteListBegin(), w.WriteString("in"), w.WriteListEnd(),
      w.WriteListEnd();
  w.WriteListEnd(), w.WriteListEnd();
  w.WriteListEnd();
  prop("AVeryLongPropertyNameWithMoreThan21Bytes.Sub"), w.WriteInteger(1);
  w.WriteListEnd();
  // Children: plain, inherited, inline with a position, unnamed, nested.
  w.WriteStr("TPanel"), w.WriteStr("Panel1"), prop("Tag"), w.WriteInteger(1), w.WriteListEnd();
  { w.WriteStr("TButton"), w.WriteStr("Inner"), w.WriteListEnd(), w.WriteListEnd(); }
  w.WriteListEnd();
  s.WriteBuffer("\xF1", 1), w.WriteStr("TFrame"), w.WriteStr("Frame1"), w.WriteListEnd(),
      w.WriteListEnd();
  s.WriteBuffer("\xF6", 1), w.WriteInteger(3), w.WriteStr("TFrame"), w.WriteStr("Frame2"),
      w.WriteListEnd(), w.WriteListEnd();
  w.WriteStr("TTimer"), w.WriteStr(""), w.WriteListEnd(), w.WriteListEnd();
  w.WriteListEnd();
  return s.Bytes();
}

}  // namespace

TEST(ObjText, WrittenFormGivesTheCanonicalTextAndTheSameBytesBack) {
  auto form = MakeForm();
  const std::vector<uint8_t> bytes = WriteForm(form.get());
  const std::string text = ToText(bytes);
  EXPECT_EQ(text, kFormText);
  EXPECT_EQ(ToBinary(text), bytes);
}

TEST(ObjText, CompiledTextLoadsIntoComponents) {
  const std::string text =
      "object Form1: TSampleForm\n"
      "  Tag = $63\n"
      "  object Button1: TSampleControl\n"
      "    Width = 300000\n"
      "    Color = $8000000F\n"
      "    Flag = true\n"
      "    Caption = 'Scan' +\n"
      "       ' it''s'#32'now'\n"
      "    anunusuallylongpropertyname = -2\n"
      "    Font.Style = [fsBold,fsUnderline]\n"
      "    Lines.Strings = ('one' 'br'#252'ste' W'wide'#233)\n"
      "    Items = < item Label = 'first' Value = 42 end [7] item Value = 2.5 end >\n"
      "    Blob = { 01 02 0 3 00ff }\n"
      "  end\n"
      "  inherited Button2: TSampleControl [1]\n"
      "  end\n"
      "end";
  TMemoryStream in(ToBinary(text));
  TSampleForm form(nullptr);
  ReadComponentFromStream(in, &form);
  EXPECT_EQ(form.Tag(), 99);
  ASSERT_NE(form.Button1, nullptr);
  ASSERT_NE(form.Button2, nullptr);
  const TSampleControl& b = *form.Button1;
  EXPECT_EQ(b.Width, 300000);
  EXPECT_EQ(static_cast<uint32_t>(b.Color), 0x8000000Fu);
  EXPECT_TRUE(b.Flag);
  EXPECT_EQ(b.Caption, "Scan it's now");
  EXPECT_EQ(b.LongOne, -2);
  EXPECT_EQ(b.Font.Style, 5u);
  EXPECT_EQ(b.Lines.ToVector(), (std::vector<std::string>{"one", "br\xFCste", "wide\xE9"}));
  ASSERT_EQ(b.Items.Count(), 2);
  EXPECT_EQ(static_cast<TSampleItem*>(b.Items.Items(0))->Label, "first");
  EXPECT_EQ(std::get<double>(static_cast<TSampleItem*>(b.Items.Items(1))->Value), 2.5);
  EXPECT_EQ(b.Blob, (std::vector<uint8_t>{1, 2, 3, 0, 255}));
}

TEST(ObjText, EveryValueTypeSurvivesBothRoundTrips) {
  const std::vector<uint8_t> bytes = RichDefinition();
  const std::string text = ToText(bytes);
  EXPECT_EQ(ToBinary(text), bytes) << text;
  EXPECT_EQ(ToText(ToBinary(text)), text);

  // A few places of the canonical form.
  for (const char* part : {"\n  I64 = 1099511627776\n",
                           "\n  IMin = -9223372036854775808\n",
                           "\n  F = 0.0\n",
                           "\n  F = -0.0\n",
                           "\n  F = 1.5\n",
                           "\n  F = 0.1\n",
                           "\n  F = 1.0e+300\n",
                           "\n  Sgl = 0.1s\n",
                           "\n  Cur = -12345.6789c\n",
                           "\n  Cur2 = 5.0c\n",
                           "\n  Date = 45000.25t\n",
                           "\n  Quote = 'it''s'\n",
                           "\n  Controls = #9#1' x'#127\n",
                           "\n  Ansi = 'br'#252'ste '#128' '#129\n",
                           "\n  Wide = W#8364' '#233' x'\n",
                           "\n  WideEmpty = W''\n",
                           "\n  WideAscii = W'abc'\n",
                           "\n  WideSurrogate = W#55357#56832\n",
                           "\n  Null = Null\n",
                           "\n  NoSet = []\n",
                           "\n  Set = [fsBold, fsItalic]\n",
                           "\n  NoBin = {}\n",
                           "\n  NoList = ()\n",
                           "\n  NoItems = <>\n",
                           "\n    [-300] item\n",
                           "\n  inherited Frame1: TFrame\n",
                           "\n  inline Frame2: TFrame [3]\n",
                           "\n  object TTimer\n",
                           "\n    object Inner: TButton\n    end\n"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  }
  // Long strings and binary data are split into lines.
  EXPECT_NE(text.find("  Wrapped =\n    '" + std::string(64, 'a') + "' +\n    '''" +
                      std::string(63, 'b') + "' +\n    'b'#13#10\n"),
            std::string::npos);
  EXPECT_NE(
      text.find("\n    '" + std::string(64, 'z') + "' +\n    '" + std::string(16, 'z') + "'\n"),
      std::string::npos);
  EXPECT_NE(text.find("  Bin = {\n    00070E151C"), std::string::npos);
}

TEST(ObjText, StringsFollowTheEncodingRules) {
  using V = std::vector<uint8_t>;
  EXPECT_EQ(ValueBytes("'ab'"), (V{6, 2, 'a', 'b'}));
  EXPECT_EQ(ValueBytes("'it''s'"), (V{6, 4, 'i', 't', '\'', 's'}));
  EXPECT_EQ(ValueBytes("#65#$42'C'"), (V{6, 3, 'A', 'B', 'C'}));
  EXPECT_EQ(ValueBytes("'a' +\n\n   'b'+'c'"), (V{6, 3, 'a', 'b', 'c'}));
  // 256 plain characters: a long string.
  const V longString = ValueBytes("'" + std::string(256, 'q') + "'");
  ASSERT_EQ(longString.size(), 5u + 256);
  EXPECT_EQ(V(longString.begin(), longString.begin() + 5), (V{12, 0, 1, 0, 0}));
  // Windows-1252 codes become UTF-8: #252 is u-umlaut, #128 the euro sign.
  EXPECT_EQ(ValueBytes("'b'#252"), (V{20, 3, 0, 0, 0, 'b', 0xC3, 0xBC}));
  EXPECT_EQ(ValueBytes("#128"), (V{20, 3, 0, 0, 0, 0xE2, 0x82, 0xAC}));
  // Codes above 255 or the W marker: wide; then #128 is U+0080.
  EXPECT_EQ(ValueBytes("'a'#8364"), (V{18, 2, 0, 0, 0, 'a', 0, 0xAC, 0x20}));
  EXPECT_EQ(ValueBytes("W''"), (V{18, 0, 0, 0, 0}));
  EXPECT_EQ(ValueBytes("W'a'#128"), (V{18, 2, 0, 0, 0, 'a', 0, 0x80, 0}));
  EXPECT_EQ(ValueBytes("#$1F600"), (V{18, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE}));
}

TEST(ObjText, NumbersAndIdentifiers) {
  using V = std::vector<uint8_t>;
  EXPECT_EQ(ValueBytes("-5"), (V{2, 0xFB}));
  EXPECT_EQ(ValueBytes("$FF"), (V{3, 0xFF, 0}));
  EXPECT_EQ(ValueBytes("$80000005"), (V{4, 5, 0, 0, 0x80}));
  EXPECT_EQ(ValueBytes("$100000000"), (V{19, 0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(ValueBytes("-9223372036854775808"), (V{19, 0, 0, 0, 0, 0, 0, 0, 0x80}));
  EXPECT_EQ(ValueBytes("-$8000000000000000"), (V{19, 0, 0, 0, 0, 0, 0, 0, 0x80}));
  EXPECT_EQ(ValueBytes("-$80000000"), (V{19, 0, 0, 0, 0x80, 0, 0, 0, 0}));
  EXPECT_EQ(ValueBytes("1.5"), (V{5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}));
  EXPECT_EQ(ValueBytes("15E-1"), ValueBytes("1.5"));
  // Denormals keep their value; ten bytes with no integer bit read as their value.
  EXPECT_EQ(ValueBytes("3.6451995318824746025e-4951"), (V{5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  const V unnormal = {'T',  'P',  'F',  '0',  2,    'T',  'A',  1,    'A',  1,    'P', 5,
                      0x56, 0x61, 0x6C, 0x75, 0x65, 0x02, 0x2A, 0x61, 0x70, 0x00, 0,   0};
  const std::string text = ToText(unnormal);
  EXPECT_EQ(ToText(ToBinary(text)), text);
  EXPECT_EQ(ValueBytes("2s"), (V{15, 0, 0, 0, 0x40}));
  EXPECT_EQ(ValueBytes("1.25c"), (V{16, 0xD4, 0x30, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(ValueBytes("TRUE"), (V{9}));
  EXPECT_EQ(ValueBytes("nil"), (V{13}));
  EXPECT_EQ(ValueBytes("Null"), (V{0}));
  EXPECT_EQ(ValueBytes("Wa.b"), (V{7, 4, 'W', 'a', '.', 'b'}));
  EXPECT_EQ(ValueBytes("[ x ,y ]"), (V{11, 1, 'x', 1, 'y', 0}));
}

TEST(ObjText, LayoutAndLetterCaseOfKeywordsAreFree) {
  const std::string canonical =
      ToText(ToBinary("object A: TA\n  P = <\n    item\n      Q = (\n        1)\n    end>\n  "
                      "object B: TB\n  end\nend\n"));
  EXPECT_EQ(ToText(ToBinary("OBJECT A:TA P=<ITEM Q=(1)End> Object B : TB END end")), canonical);
  EXPECT_EQ(
      ToText(ToBinary(
          "\tobject A: TA\r\n\tP =\r\n <\r\n item Q = ( 1 ) end > object B: TB\r\nend\r\nend\r\n")),
      canonical);
}

TEST(ObjText, IncludesInsertTheResolvedBytes) {
  std::vector<std::string> asked;
  const auto resolve = [&](const std::string& name) {
    asked.push_back(name);
    return std::vector<uint8_t>{'h', 'i'};
  };
  const std::string text = "object A: TA\n  P = { 01 @skins/main.skn 02 @x}\nend\n";
  const std::vector<uint8_t> bytes = ToBinary(text, resolve);
  EXPECT_EQ(asked, (std::vector<std::string>{"skins/main.skn", "x"}));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 11, bytes.end() - 2),
            (std::vector<uint8_t>{10, 6, 0, 0, 0, 1, 'h', 'i', 2, 'h', 'i'}));

  // Without a resolver, or when it fails, the text is in error.
  EXPECT_THROW(ToBinary(text), EParserError);
  try {
    ToBinary("object A: TA\n\n  P = {@gone}\nend",
             [](const std::string&) -> std::vector<uint8_t> { throw EFOpenError("missing"); });
    FAIL();
  } catch (const EParserError& e) {
    EXPECT_STREQ(e.what(), "Line 3: cannot include 'gone': missing");
  }
}

TEST(ObjText, MalformedTextRaisesParserErrorsWithTheLine) {
  const std::string deepObjects = [] {
    std::string t;
    for (int i = 0; i < 80; ++i) t += "object A: TA\n";
    for (int i = 0; i < 80; ++i) t += "end\n";
    return t;
  }();
  const struct {
    std::string text;
    int line;
  } cases[] = {
      {"", 1},
      {"objects A: TA\nend", 1},
      {"object A: TA\n  P = 'abc\nend", 2},
      {"object A: TA\n  P = 'abc", 2},
      {"object A: TA\n  P = 12ab\nend", 2},
      {"object A: TA\n  P = 1.\nend", 2},
      {"object A: TA\n  P = 1e\nend", 2},
      {"object A: TA\n  P = 99999999999999999999\nend", 2},
      {"object A: TA\n  P = $\nend", 2},
      {"object A: TA\n  P = $12345678901234567\nend", 2},
      {"object A: TA\n  P = #\nend", 2},
      {"object A: TA\n  P = #1114112\nend", 2},
      {"object A: TA\n  P = 'a' +\nend", 3},
      {"object A: TA\n  P = 1\n", 3},
      {"object A: TA\n  P = 1\n  object B: TB\n  end\n", 5},
      {"object A: TA\n  P 1\nend", 2},
      {"object A: TA\n  P =\nend", 3},
      {"object A: TA\n  P = ?\nend", 2},
      {"object A: TA\n  P = 1\n  Q\nend", 3},
      {"object A: TA\n  object B: TB\n  end\n  P = 1\nend", 4},
      {"object A: TA\nend\nend", 3},
      {"object A: TA\n  P = { 0 }\nend", 2},
      {"object A: TA\n  P = { 0G }\nend", 2},
      {"object A: TA\n  P = { 01\nend", 3},
      {"object A: TA\n  P = { 0@x }\nend", 2},
      {"object A: TA\n  P = ( 1 2\nend", 3},
      {"object A: TA\n  P = ( 1 Null )\nend", 2},
      {"object A: TA\n  P = [a b]\nend", 2},
      {"object A: TA\n  P = [a,]\nend", 2},
      {"object A: TA\n  P = < thing end >\nend", 2},
      {"object A: TA\n  P = < [4294967296] item end >\nend", 2},
      {"object A: TA\n  object B: TB [-2147483649]\n  end\nend", 2},
      {"object A: TA\n  P = < item Q = 1 >\nend", 2},
      {"object A: TA\n  P = <\n item\n end\nend", 5},
      {"object A: TA\n  P = 'caf\xE9'\nend", 2},
      {"object A: TA\n  P = 'a\x01'\nend", 2},
      {std::string("object A: TA\n  P = 1\0\nend", 25), 2},
      {"object A: TA\n  P = " + std::string(256, 'x') + "\nend", 2},
      {"object A: TA\n  P = (" + std::string(100, '(') + std::string(101, ')') + "\nend", 2},
      {deepObjects, 65},
  };
  for (const auto& c : cases) {
    TMemoryStream in(std::vector<uint8_t>(c.text.begin(), c.text.end()));
    TMemoryStream out;
    try {
      ObjectTextToBinary(in, out);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EParserError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(Format("Line %d: ", c.line), 0), 0u) << e.what() << "\n"
                                                                                 << c.text;
      EXPECT_EQ(out.Size(), 0) << c.text;
    }
  }
}

TEST(ObjText, DamagedTextNeverFailsOtherwise) {
  const std::string text = ToText(RichDefinition());
  int errors = 0;
  for (size_t i = 0; i < text.size(); i += 3) {
    for (char c : {'\'', '(', '{', '<', '#', 'x', '\n', '['}) {
      std::string damaged = text;
      damaged[i] = c;
      try {
        ToBinary(damaged);
      } catch (const EParserError&) {
        ++errors;
      }
    }
  }
  EXPECT_GT(errors, 0);
}

TEST(ObjText, MalformedBinaryRaisesReadErrors) {
  const std::vector<uint8_t> bytes = RichDefinition();
  for (size_t n = 0; n < bytes.size(); ++n) {
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
    EXPECT_THROW(ToText(cut), EReadError) << "cut at " << n;
  }
  int errors = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    for (uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> damaged = bytes;
      damaged[i] ^= flip;
      try {
        ToText(damaged);
      } catch (const EReadError&) {
        ++errors;
      }
    }
  }
  EXPECT_GT(errors, 0);

  const auto object = [](std::vector<uint8_t> value) {
    std::vector<uint8_t> b = {'T', 'P', 'F', '0', 2, 'T', 'A', 1, 'A', 1, 'P'};
    for (uint8_t v : value) b.push_back(v);
    b.push_back(0);
    b.push_back(0);
    return b;
  };
  std::vector<uint8_t> deepList(200, 1);
  const std::vector<uint8_t> bad[] = {
      object({20, 2, 0, 0, 0, 0xC3, 0x28}),       // malformed UTF-8
      object({7, 3, 'a', ' ', 'b'}),              // identifier with a space
      object({11, 2, '1', 'x', 0}),               // set member that is no identifier
      object({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}),  // long string claiming 2 GB
      object({22}),                               // unknown value type
      object(deepList),
      {'T', 'P', 'F', '0', 0xF5, 2, 'T', 'A', 1, 'A', 0, 0},  // both inherited and inline
      {'T', 'P', 'F', '1', 2, 'T', 'A', 1, 'A', 0, 0},
  };
  for (const auto& b : bad) EXPECT_THROW(ToText(b), EReadError);
}
