// The binary definition format: values, objects, and damaged input.
#include <gtest/gtest.h>

#include <limits>

#include "SampleComponents.h"
#include "ui/Filer.h"

namespace {

// A form with two controls, every kind of value set.
std::unique_ptr<TSampleForm> MakeForm() {
  auto form = std::make_unique<TSampleForm>(nullptr);
  form->SetName("Form1");
  form->SetTag(99);
  auto* b1 = new TSampleControl(form.get());
  b1->SetName("Button1");
  b1->Width = 300000;
  b1->Color = static_cast<int32_t>(0x8000000F);
  b1->Flag = true;
  b1->Shade = TShade::Grey;
  b1->Caption = "Scan for adult material now !";
  b1->Font.Height = -13;
  b1->Font.Style = 5;
  b1->Lines.Add("one");
  b1->Lines.Add("br\xFCste");
  auto* item = static_cast<TSampleItem*>(b1->Items.Add());
  item->Label = "first";
  item->Value = int64_t{42};
  static_cast<TSampleItem*>(b1->Items.Add())->Value = std::string("text");
  b1->Blob = {1, 2, 3, 0, 255};
  b1->OnClick.MethodName = "Button1Click";
  auto* b2 = new TSampleControl(form.get());
  b2->SetName("Button2");
  b2->Caption = std::string(300, 'x');
  return form;
}

std::vector<uint8_t> Write(TComponent* root) {
  TMemoryStream s;
  WriteComponentToStream(s, root);
  return s.Bytes();
}

}  // namespace

TEST(Filer, WrittenDefinitionReadsBackToTheSameObjects) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = Write(original.get());

  TSampleForm copy(nullptr);
  TMemoryStream in(bytes);
  ReadComponentFromStream(in, &copy);

  EXPECT_EQ(copy.Name(), "Form1");
  EXPECT_EQ(copy.Tag(), 99);
  ASSERT_NE(copy.Button1, nullptr);
  ASSERT_NE(copy.Button2, nullptr);
  const TSampleControl& b = *copy.Button1;
  EXPECT_EQ(b.Width, 300000);
  EXPECT_EQ(static_cast<uint32_t>(b.Color), 0x8000000Fu);
  EXPECT_TRUE(b.Flag);
  EXPECT_EQ(b.Shade, TShade::Grey);
  EXPECT_EQ(b.Caption, "Scan for adult material now !");
  EXPECT_EQ(b.Font.Height, -13);
  EXPECT_EQ(b.Font.Style, 5u);
  EXPECT_EQ(b.Lines.ToVector(), (std::vector<std::string>{"one", "br\xFCste"}));
  ASSERT_EQ(b.Items.Count(), 2);
  EXPECT_EQ(static_cast<TSampleItem*>(b.Items.Items(0))->Label, "first");
  EXPECT_EQ(std::get<int64_t>(static_cast<TSampleItem*>(b.Items.Items(0))->Value), 42);
  EXPECT_EQ(std::get<std::string>(static_cast<TSampleItem*>(b.Items.Items(1))->Value), "text");
  EXPECT_EQ(b.Blob, (std::vector<uint8_t>{1, 2, 3, 0, 255}));
  b.OnClick(nullptr);
  EXPECT_EQ(copy.clicks, 1);
  EXPECT_EQ(copy.Button2->Caption, std::string(300, 'x'));

  // Writing the copy gives the same bytes again.
  EXPECT_EQ(Write(&copy), bytes);
}

TEST(Filer, IntegersUseTheSmallestFormAndReadAllForms) {
  TMemoryStream s;
  TWriter w(s);
  w.WriteInteger(1);
  w.WriteInteger(-200);
  w.WriteInteger(70000);
  EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{2, 1, 3, 0x38, 0xFF, 4, 0x70, 0x11, 0x01, 0x00}));
  s.SetPosition(0);
  TReader r(s);
  EXPECT_EQ(r.ReadInteger(), 1);
  EXPECT_EQ(r.ReadInteger(), -200);
  EXPECT_EQ(r.ReadInteger(), 70000);
}

TEST(Filer, StringsOfAllFourTypesRead) {
  const std::vector<uint8_t> bytes = {
      6,  2, 'h', 'i',                         // short
      12, 3, 0,   0,   0, 'a',  'b',  'c',     // long
      18, 2, 0,   0,   0, 0xFC, 0,    'x', 0,  // wide: "üx"
      20, 3, 0,   0,   0, 0xC3, 0xB1, 'o',     // UTF-8: "ño"
  };
  TMemoryStream s(bytes);
  TReader r(s);
  EXPECT_EQ(r.ReadString(), "hi");
  EXPECT_EQ(r.ReadString(), "abc");
  EXPECT_EQ(r.ReadString(), "\xFCx");
  EXPECT_EQ(r.ReadString(), "\xF1o");
  EXPECT_THROW(r.ReadString(), EReadError);  // at the end: nothing more to read
}

TEST(Filer, FloatsRoundTripThroughTheExtendedForm) {
  // Denormals too: the smallest is the mantissa 1 with the exponent 0.
  const long double smallest = std::numeric_limits<long double>::denorm_min();
  for (long double v : {0.0L, 1.5L, -3.25L, 1e10L, 0.1L, -1e-4940L, smallest}) {
    TMemoryStream s;
    TWriter(s).WriteFloat(v);
    s.SetPosition(0);
    TReader r(s);
    EXPECT_EQ(r.ReadFloat(), v);
  }
  TMemoryStream s;
  TWriter(s).WriteFloat(smallest);
  EXPECT_EQ(s.Bytes(), (std::vector<uint8_t>{5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(Filer, EveryTruncationOfADefinitionFailsWithAReadError) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = Write(original.get());
  for (size_t n = 0; n < bytes.size(); ++n) {
    TMemoryStream in(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n)));
    TSampleForm form(nullptr);
    EXPECT_THROW(ReadComponentFromStream(in, &form), EReadError) << "cut at " << n;
  }
}

TEST(Filer, CorruptedDefinitionsFailCleanly) {
  auto original = MakeForm();
  const std::vector<uint8_t> bytes = Write(original.get());
  int failures = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    for (uint8_t flip : {0x01, 0x80, 0xFF}) {
      std::vector<uint8_t> damaged = bytes;
      damaged[i] ^= flip;
      TMemoryStream in(damaged);
      TSampleForm form(nullptr);
      try {
        ReadComponentFromStream(in, &form);
      } catch (const Exception&) {
        ++failures;
      }
    }
  }
  EXPECT_GT(failures, 0);
}

TEST(Filer, HugeLengthsAndDeepNestingAreErrorsNotAllocations) {
  // A long string that claims 2 GB.
  const std::vector<uint8_t> huge = {12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'};
  TMemoryStream s(huge);
  TReader r(s);
  EXPECT_THROW(r.ReadString(), EReadError);
  // Lists nested far deeper than any definition.
  std::vector<uint8_t> deep(10000, 1);
  TMemoryStream d(deep);
  TReader rd(d);
  EXPECT_THROW(rd.SkipValue(), EReadError);
}

TEST(Filer, UnknownPropertiesClassesAndMethodsAreReadErrors) {
  auto form = MakeForm();
  std::vector<uint8_t> bytes = Write(form.get());
  auto replace = [&](const std::string& from, const std::string& to) {
    std::vector<uint8_t> out = bytes;
    const std::string hay(out.begin(), out.end());
    const size_t at = hay.find(from);
    EXPECT_NE(at, std::string::npos);
    for (size_t i = 0; i < to.size(); ++i) out[at + i] = static_cast<uint8_t>(to[i]);
    return out;
  };
  for (const auto& damaged :
       {replace("Width", "Wodth"), replace("TSampleControl", "TSampleXontrol"),
        replace("Button1Click", "Button9Click"), replace("shGrey", "shGrex")}) {
    TMemoryStream in(damaged);
    TSampleForm copy(nullptr);
    EXPECT_THROW(ReadComponentFromStream(in, &copy), EReadError);
  }
}
