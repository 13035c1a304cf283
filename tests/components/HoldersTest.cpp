// The keyword and fragment holders of the main window: their text
// definition compiles to the expected bytes and loads the exact lists.
#include <gtest/gtest.h>

#include "MainFormText.h"
#include "components/StrHlder.h"
#include "ui/Filer.h"
#include "ui/ObjText.h"
#include "ui/Published.h"

namespace {

// The keywords, byte for byte (Windows-1252), in stored order.
const std::vector<std::string> kKeywords = {
    "humiliate", "orgy",        "slut",       "porn",       "sperm",       "erotic",
    "adult",     "blowjob",     "videox",     "peepshow",   "gangbang",    "orgy",
    "ejac",      "videosx",     "xvideo",     "webcamx",    "xrated",      "xxx",
    "dick",      "sex",         "salope",     "slut",       "hardcore",    "sexo",
    "wank ",     "enculer",     "fuck",       "virtuagirl", "anal",        "xxx ",
    "porno",     "jovencita",   "sexe",       "adult",      "seins",       "cum ",
    "orgy",      "schamhaare",  "br\xFCste",  "gruppensex", "streicheln",  "wichsbilder",
    "wichsen",   "interracial", "lesben",     "voyeur",     "cunnilingus", "peep",
    "fetish",    "dick ",       "gang",       "gangbang",   "cumshot",     "dildo",
    "pussy",     "fisting",     "striptease", "cock ",      "facial",      "fingered",
    "orgie",     "ejac ",       "anal",       "holes",      "branler",     "sucer",
    "branlette", "penetration", "orgia",      "concha",     "co\xF1o",     "pene ",
    "mamada",    "chupada",     "sodom",      "maso",       "transsexual", "vagin",
    "tetas",     "lesbian",     "fellation",
};

// The file-type fragments, in stored order.
const std::vector<std::string> kFragments = {
    "jpg", "gif", "jpeg", "mepg", "avi", "divx", "txt", "url", "htm", "html", ".js", ".lnk", ".wmv",
};

// A root that owns the two holders as the main window does.
class THolderHost : public TComponent {
  QUORVEL_CLASS(THolderHost, TComponent)
public:
  explicit THolderHost(TComponent* owner) : TComponent(owner) {}
  TStrHolder* kw = nullptr;
  TStrHolder* ext = nullptr;
};
QUORVEL_DEFINE_CLASS(THolderHost) {
  p.Field("kw", &THolderHost::kw);
  p.Field("ext", &THolderHost::ext);
}

// The object block of the main window's definition that starts with header.
std::string ObjectBlock(const std::string& header) {
  const std::string form = kMainFormText;
  const size_t start = form.find(header);
  EXPECT_NE(start, std::string::npos) << header;
  const size_t end = form.find("\n  end\n", start);
  EXPECT_NE(end, std::string::npos) << header;
  return form.substr(start, end + 7 - start);
}

// The main window's two holders wrapped in a root object, compiled to the binary form.
std::vector<uint8_t> CompileHolders() {
  const std::string text = std::string("object Host: THolderHost\n") +
                           ObjectBlock("  object kw: TStrHolder") +
                           ObjectBlock("  object ext: TStrHolder") + "end\n";
  TReadOnlyMemoryStream input(text.data(), text.size());
  TMemoryStream output;
  ObjectTextToBinary(input, output);
  return output.Bytes();
}

// The items of the "StrData" list that follows the holder named name:
// checks that the key is an empty wide string and every item short text.
std::vector<std::string> StoredItems(const std::vector<uint8_t>& bytes, const std::string& name) {
  const std::string all(bytes.begin(), bytes.end());
  const size_t object =
      all.find("\x0ATStrHolder" + std::string(1, static_cast<char>(name.size())) + name);
  EXPECT_NE(object, std::string::npos) << name;
  const std::string head = "\x07StrData\x01" + std::string("\x12\x00\x00\x00\x00", 5);
  size_t pos = all.find(head, object);
  EXPECT_NE(pos, std::string::npos) << name << ": key is not an empty wide string";
  std::vector<std::string> items;
  if (pos == std::string::npos) return items;
  pos += head.size();
  while (pos < all.size() && all[pos] != '\0') {
    EXPECT_EQ(all[pos], '\x06') << name << " item " << items.size() << " is not short text";
    if (all[pos] != '\x06' || pos + 1 >= all.size()) break;
    const size_t length = static_cast<uint8_t>(all[pos + 1]);
    items.push_back(all.substr(pos + 2, length));
    pos += 2 + length;
  }
  return items;
}

}  // namespace

TEST(Holders, TextCompilesToTheStoredForm) {
  const std::vector<uint8_t> bytes = CompileHolders();
  const std::string all(bytes.begin(), bytes.end());
  EXPECT_NE(all.find("\x08"
                     "Capacity\x02\x5F\x0B"
                     "InternalVer\x02\x01\x07"
                     "StrData"),
            std::string::npos);
  EXPECT_NE(all.find("\x08"
                     "Capacity\x02\x1C\x0B"
                     "InternalVer\x02\x01\x07"
                     "StrData"),
            std::string::npos);

  const std::vector<std::string> kw = StoredItems(bytes, "kw");
  ASSERT_EQ(kw.size(), kKeywords.size());
  EXPECT_EQ(kw[0], "68756d696c69617465");
  for (size_t i = 0; i < kw.size(); ++i) EXPECT_EQ(kw[i], EncodeListItem("", kKeywords[i])) << i;
  const std::vector<std::string> ext = StoredItems(bytes, "ext");
  ASSERT_EQ(ext.size(), kFragments.size());
  for (size_t i = 0; i < ext.size(); ++i) EXPECT_EQ(ext[i], EncodeListItem("", kFragments[i])) << i;
}

TEST(Holders, LoadExactlyTheKeywordsAndFragments) {
  TStrHolder::StaticClass();  // registers the class for the reader
  const std::vector<uint8_t> bytes = CompileHolders();
  THolderHost host(nullptr);
  TMemoryStream stream(bytes);
  ReadComponentFromStream(stream, &host);
  ASSERT_NE(host.kw, nullptr);
  ASSERT_NE(host.ext, nullptr);

  EXPECT_EQ(host.kw->Strings()->ToVector(), kKeywords);
  EXPECT_EQ(host.ext->Strings()->ToVector(), kFragments);
  EXPECT_EQ(host.kw->Strings()->Get(38), std::string("br\xFC"
                                                     "ste"));
  EXPECT_EQ(host.kw->Strings()->Get(70), std::string("co\xF1o"));
  for (TStrHolder* holder : {host.kw, host.ext}) {
    EXPECT_EQ(holder->KeyString(), "");
    EXPECT_EQ(holder->FormatVersion(), 1);
    EXPECT_FALSE(holder->Sorted());
    EXPECT_EQ(holder->Macros()->Count(), 0);
  }
  EXPECT_EQ(host.kw->Capacity(), 95);
  EXPECT_EQ(host.ext->Capacity(), 28);
}
