// Fuzzes the reading of binary window definitions in two ways:
// - the whole definition read value by value into its canonical text
//   (ObjectBinaryToText), whatever classes it names: the program's own
//   windows are made of platform controls that the native build lacks, so
//   their definitions get this far. The canonical text reads back
//   (ObjectTextToBinary) to a definition with the same text.
// - the definition loaded into components by TReader over a memory stream,
//   with the portable sample components registered: a form (TSampleForm)
//   owning controls with a published property of every kind.
// Damaged input gives the reader's own errors (Exception), nothing else.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "SampleComponents.h"
#include "ui/Filer.h"
#include "ui/ObjText.h"

namespace {

// The canonical text of a binary definition; false when it is malformed.
bool ToText(const std::vector<uint8_t>& binary, std::string& text) {
  TMemoryStream in(binary);
  TMemoryStream out;
  try {
    ObjectBinaryToText(in, out);
  } catch (const EReadError&) {
    return false;
  }
  text.assign(out.Bytes().begin(), out.Bytes().end());
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::vector<uint8_t> bytes(Data, Data + Size);
  std::string text;
  if (ToText(bytes, text)) {
    TMemoryStream textIn(std::vector<uint8_t>(text.begin(), text.end()));
    TMemoryStream binary;
    ObjectTextToBinary(textIn, binary);  // an EParserError here is a finding
    std::string again;
    if (!ToText(binary.Bytes(), again) || again != text) std::abort();
  }

  TMemoryStream in(bytes);
  TSampleForm form(nullptr);
  try {
    ReadComponentFromStream(in, &form);
  } catch (const Exception&) {}
  return 0;
}
