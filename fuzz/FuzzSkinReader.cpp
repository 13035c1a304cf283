// Fuzzes the skin archive reader: the input is an archive, compressed here so
// that Load sees a well-formed skin file around arbitrary archive bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "lzhuf/LzhufEncoder.h"
#include "skin/data/SkinReader.h"

namespace {

// The reader's message is of no interest here.
void IgnoreMessage(const std::string&) {}

}  // namespace

// Loads the archive, then looks up every entry in every way the reader offers.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  SkinMessageProc = IgnoreMessage;
  TMemoryStream source(LzhufPackSkinFile(std::vector<uint8_t>(Data, Data + Size)));
  TSkinReader reader;
  if (!reader.Load(source)) {
    if (reader.EntryCount() != 0) std::abort();
    return 0;
  }
  TMemoryStream entry;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    const std::string name = reader.Names().Get(i);
    reader.GetEntryAt(i, entry);
    if (entry.Size() != reader.EntrySize(i)) std::abort();
    reader.GetEntry(name, entry);
    std::string found;
    reader.FindEntry(name.substr(name.size() / 2), entry, found);
    if (found.empty() && !name.empty()) std::abort();
  }
  return 0;
}
