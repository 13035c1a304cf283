// The binary form of window definitions: reading and writing values and
// components.
#include "ui/Filer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include "ui/Published.h"

const char kFilerSignature[4] = {'T', 'P', 'F', '0'};

namespace {
// The bytes of an 80-bit extended float as a long double (portable).
long double ExtendedToLongDouble(const uint8_t b[10]) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | b[i];
  const int exponent = ((b[9] & 0x7F) << 8) | b[8];
  const bool negative = (b[9] & 0x80) != 0;
  long double v;
  if (exponent == 0x7FFF)
    v = mantissa << 1 ? NAN : INFINITY;
  else  // exponent 0: a denormal, scaled as exponent 1 is
    v = std::ldexp(static_cast<long double>(mantissa), std::max(exponent, 1) - 16383 - 63);
  return negative ? -v : v;
}

// A long double as the bytes of an 80-bit extended float (portable).
void LongDoubleToExtended(long double v, uint8_t b[10]) {
  std::memset(b, 0, 10);
  const bool negative = std::signbit(v);
  if (negative) v = -v;
  uint64_t mantissa = 0;
  int exponent = 0;
  if (std::isnan(v)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(v)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (v != 0) {
    int e2;
    const long double frac = std::frexp(v, &e2);  // v = frac * 2^e2, frac in [0.5, 1)
    exponent = e2 - 1 + 16383;
    if (exponent >= 1) {
      mantissa = static_cast<uint64_t>(std::ldexp(frac, 64));
    } else {  // a denormal: exponent 0, the mantissa scaled as for exponent 1
      exponent = 0;
      mantissa = static_cast<uint64_t>(std::ldexp(v, 16383 + 63 - 1));
    }
  }
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(mantissa >> (8 * i));
  b[8] = static_cast<uint8_t>(exponent & 0xFF);
  b[9] = static_cast<uint8_t>(((exponent >> 8) & 0x7F) | (negative ? 0x80 : 0));
}

// True when every byte of s is plain ASCII.
bool IsAscii(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Splits "A.B.C" at its full stops.
std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i)
    if (i == path.size() || path[i] == '.') {
      parts.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  return parts;
}
}  // namespace

// ===========================================================================
// TReader

// A reader at the stream's current position.
TReader::TReader(TStream& stream) : FStream(stream) {}

// Counts one more level of nesting; too deep is a malformed definition.
TReader::DepthGuard::DepthGuard(TReader& r) : FReader(r) {
  if (++FReader.FDepth > kMaxDepth) {
    --FReader.FDepth;
    throw EReadError(Msg::InvalidImage);
  }
}

// Reads exactly count bytes.
void TReader::Read(void* buf, size_t count) { FStream.ReadBuffer(buf, count); }

// Reads one byte.
uint8_t TReader::ReadByte() {
  uint8_t b;
  Read(&b, 1);
  return b;
}

// Reads a 32-bit count of elements and checks that they fit in what is left.
size_t TReader::ReadCount(size_t elementSize) {
  int32_t n;
  Read(&n, 4);
  if (n < 0 || static_cast<uint64_t>(n) * elementSize > static_cast<uint64_t>(FStream.Remaining()))
    throw EReadError(Msg::ReadError);
  return static_cast<size_t>(n);
}

// The type of the next value, consumed.
TValueType TReader::ReadValue() {
  const uint8_t b = ReadByte();
  if (b > static_cast<uint8_t>(TValueType::vaDouble)) throw EReadError(Msg::InvalidImage);
  return static_cast<TValueType>(b);
}

// The type of the next value, not consumed.
TValueType TReader::NextValue() {
  const TValueType v = ReadValue();
  FStream.Seek(-1, TSeekOrigin::Current);
  return v;
}

// Consumes a value type that must be the expected one.
void TReader::CheckValue(TValueType expected) {
  if (ReadValue() != expected) PropValueError();
}

// True when the next byte ends a list (not consumed). Only the zero byte is
// looked at: property names and child records start with bytes that are no
// value types (a name's length, a prefix byte).
bool TReader::EndOfList() {
  const uint8_t b = ReadByte();
  FStream.Seek(-1, TSeekOrigin::Current);
  return b == 0;
}

// Consumes the start of a list.
void TReader::ReadListBegin() { CheckValue(TValueType::vaList); }

// Consumes the end of a list.
void TReader::ReadListEnd() { CheckValue(TValueType::vaNull); }

// Raises the error for a value of the wrong type.
void TReader::PropValueError() const { throw EReadError(Msg::InvalidPropertyValue); }

// An integer of 1, 2 or 4 bytes.
int32_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case TValueType::vaInt8: {
      int8_t v;
      Read(&v, 1);
      return v;
    }
    case TValueType::vaInt16: {
      int16_t v;
      Read(&v, 2);
      return v;
    }
    case TValueType::vaInt32: {
      int32_t v;
      Read(&v, 4);
      return v;
    }
    default: PropValueError();
  }
}

// An integer of any size.
int64_t TReader::ReadInt64() {
  if (NextValue() == TValueType::vaInt64) {
    ReadValue();
    int64_t v;
    Read(&v, 8);
    return v;
  }
  return ReadInteger();
}

// True or False.
bool TReader::ReadBoolean() {
  const TValueType v = ReadValue();
  if (v == TValueType::vaTrue) return true;
  if (v == TValueType::vaFalse) return false;
  PropValueError();
}

// A one-character string.
char TReader::ReadChar() {
  const std::string s = ReadString();
  if (s.size() != 1) PropValueError();
  return s[0];
}

// A floating-point value of any stored form (integers accepted).
long double TReader::ReadFloat() {
  switch (NextValue()) {
    case TValueType::vaExtended: {
      ReadValue();
      uint8_t b[10];
      Read(b, 10);
      return ExtendedToLongDouble(b);
    }
    case TValueType::vaDouble: {
      ReadValue();
      double d;
      Read(&d, 8);
      return d;
    }
    case TValueType::vaSingle: {
      ReadValue();
      float f;
      Read(&f, 4);
      return f;
    }
    case TValueType::vaInt64: return static_cast<long double>(ReadInt64());
    default: return ReadInteger();
  }
}

// A string value of any of the four string types, in this build's code page.
std::string TReader::ReadString() {
  switch (ReadValue()) {
    case TValueType::vaString: return ReadStr();
    case TValueType::vaLString: {
      const size_t n = ReadCount(1);
      std::string s(n, '\0');
      Read(s.data(), n);
      return s;
    }
    case TValueType::vaWString: {
      FStream.Seek(-1, TSeekOrigin::Current);
      return WideToAnsi(ReadWideString());
    }
    case TValueType::vaUTF8String: {
      const size_t n = ReadCount(1);
      std::string s(n, '\0');
      Read(s.data(), n);
      return Utf8ToAnsi(s);
    }
    default: PropValueError();
  }
}

// A wide string value (other string types are converted).
std::u16string TReader::ReadWideString() {
  if (NextValue() != TValueType::vaWString) return AnsiToWide(ReadString());
  ReadValue();
  const size_t n = ReadCount(2);
  std::u16string s(n, u'\0');
  for (size_t i = 0; i < n; ++i) {
    uint8_t b[2];
    Read(b, 2);
    s[i] = static_cast<char16_t>(b[0] | (b[1] << 8));
  }
  return s;
}

// An identifier; False, True, nil and null read as their names.
std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case TValueType::vaIdent: return ReadStr();
    case TValueType::vaFalse: return "False";
    case TValueType::vaTrue: return "True";
    case TValueType::vaNil: return "nil";
    case TValueType::vaNull: return "Null";
    default: PropValueError();
  }
}

// A set: its member names, up to the empty name that ends it.
std::vector<std::string> TReader::ReadSet() {
  CheckValue(TValueType::vaSet);
  std::vector<std::string> members;
  for (;;) {
    std::string name = ReadStr();
    if (name.empty()) break;
    members.push_back(std::move(name));
  }
  return members;
}

// Binary data: a 32-bit size and that many bytes.
std::vector<uint8_t> TReader::ReadBinary() {
  CheckValue(TValueType::vaBinary);
  const size_t n = ReadCount(1);
  std::vector<uint8_t> bytes(n);
  Read(bytes.data(), n);
  return bytes;
}

// A variant value.
TVariant TReader::ReadVariant() {
  switch (NextValue()) {
    case TValueType::vaNil: ReadValue(); return TVarEmpty{};
    case TValueType::vaNull: ReadValue(); return TVarNull{};
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64: return ReadInt64();
    case TValueType::vaExtended:
    case TValueType::vaDouble:
    case TValueType::vaSingle: return static_cast<double>(ReadFloat());
    case TValueType::vaFalse:
    case TValueType::vaTrue: return ReadBoolean();
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String: return ReadString();
    default: PropValueError();
  }
}

// A short string: one length byte and the characters.
std::string TReader::ReadStr() {
  const uint8_t n = ReadByte();
  std::string s(n, '\0');
  Read(s.data(), n);
  return s;
}

// Skips one value of any type.
void TReader::SkipValue() {
  DepthGuard guard(*this);
  switch (ReadValue()) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil: break;
    case TValueType::vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      break;
    case TValueType::vaInt8: FStream.Seek(1, TSeekOrigin::Current); break;
    case TValueType::vaInt16: FStream.Seek(2, TSeekOrigin::Current); break;
    case TValueType::vaInt32:
    case TValueType::vaSingle: FStream.Seek(4, TSeekOrigin::Current); break;
    case TValueType::vaInt64:
    case TValueType::vaDouble:
    case TValueType::vaCurrency:
    case TValueType::vaDate: FStream.Seek(8, TSeekOrigin::Current); break;
    case TValueType::vaExtended: FStream.Seek(10, TSeekOrigin::Current); break;
    case TValueType::vaString:
    case TValueType::vaIdent: ReadStr(); break;
    case TValueType::vaBinary:
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
      FStream.Seek(static_cast<int64_t>(ReadCount(1)), TSeekOrigin::Current);
      break;
    case TValueType::vaWString:
      FStream.Seek(static_cast<int64_t>(ReadCount(2)), TSeekOrigin::Current);
      break;
    case TValueType::vaSet:
      while (!ReadStr().empty()) {}
      break;
    case TValueType::vaCollection:
      while (!EndOfList()) {
        const TValueType v = NextValue();
        if (v == TValueType::vaInt8 || v == TValueType::vaInt16 || v == TValueType::vaInt32)
          ReadInteger();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
  }
  if (FStream.Remaining() < 0) throw EReadError(Msg::ReadError);
}

// Checks the four signature bytes of a definition.
void TReader::ReadSignature() {
  char sig[4];
  Read(sig, 4);
  if (std::memcmp(sig, kFilerSignature, 4) != 0) throw EReadError(Msg::InvalidImage);
}

// Reads a list of strings into strings.
void TReader::ReadStrings(TStrings& strings) {
  ReadListBegin();
  {
    TUpdateBracket<TStrings> update(strings);
    strings.Clear();
    while (!EndOfList()) strings.Add(ReadString());
  }
  ReadListEnd();
}

// Reads a collection value (< items >) into collection.
void TReader::ReadCollection(TCollection& collection) {
  DepthGuard guard(*this);
  CheckValue(TValueType::vaCollection);
  TUpdateBracket<TCollection> update(collection);
  collection.Clear();
  while (!EndOfList()) {
    const TValueType v = NextValue();
    if (v == TValueType::vaInt8 || v == TValueType::vaInt16 || v == TValueType::vaInt32)
      ReadInteger();
    TCollectionItem* item = collection.Add();
    ReadListBegin();
    while (!EndOfList()) ReadProperty(item);
    ReadListEnd();
  }
  ReadListEnd();
}

// Reads a whole definition into an existing root component.
void TReader::ReadRootComponent(TComponent* root) {
  assert(root);
  ReadSignature();
  FRoot = root;
  FOwner = root;
  FLoaded.clear();
  FFixups.clear();
  try {
    const uint8_t prefix = ReadByte();
    if ((prefix & 0xF0) == 0xF0) {
      if (prefix & ffChildPos) ReadInteger();
    } else {
      FStream.Seek(-1, TSeekOrigin::Current);
    }
    ReadStr();  // class name: the root's class is already decided
    const std::string name = ReadStr();
    root->SetLoading(true);
    if (root->Name().empty()) root->SetName(name);
    FLoaded.push_back(root);
    ReadDataInner(root);
    std::vector<std::function<void()>> fixups;
    fixups.swap(FFixups);
    for (const auto& fixup : fixups) fixup();
  } catch (...) {
    FFixups.clear();
    for (TComponent* c : FLoaded) c->SetLoading(false);
    throw;
  }
  for (TComponent* c : FLoaded) c->Loaded();
}

// Reads one child component record, created with the root as owner.
void TReader::ReadComponent(TComponent* parent) {
  DepthGuard guard(*this);
  const uint8_t prefix = ReadByte();
  if ((prefix & 0xF0) == 0xF0) {
    if (prefix & ffChildPos) ReadInteger();
  } else {
    FStream.Seek(-1, TSeekOrigin::Current);
  }
  const std::string className = ReadStr();
  const std::string name = ReadStr();
  const TClassInfo* info = FindClassInfo(className);
  if (!info || !info->Create) throw EClassNotFound(Format(Msg::ClassNotFound, className.c_str()));
  TComponent* component = info->Create(FOwner);
  component->SetLoading(true);
  FLoaded.push_back(component);
  component->SetName(name);
  if (const TFieldInfo* field = FRoot->ClassType().FindField(name)) {
    if (!component->InheritsFrom(*field->Type)) throw EReadError(Msg::InvalidPropertyValue);
    field->Set(*FRoot, component);
  }
  component->SetParentComponent(parent);
  ReadDataInner(component);
}

// Reads properties, then child components, of instance.
void TReader::ReadDataInner(TComponent* instance) {
  ReadProperties(instance);
  while (!EndOfList()) ReadComponent(instance);
  ReadListEnd();
}

// Reads the properties of an object up to the end of its list.
void TReader::ReadProperties(TPersistent* instance) {
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
}

// Reads one property: a dotted name walks into object properties; names
// that are not published go to the object's DefineProperties.
void TReader::ReadProperty(TPersistent* instance) {
  const std::string path = ReadStr();
  const std::vector<std::string> parts = SplitPath(path);
  TPersistent* target = instance;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const TPropInfo* prop = target->ClassType().FindProp(parts[i]);
    if (!prop || prop->Kind != TPropKind::Class)
      throw EReadError(Format(Msg::UnknownProperty, path.c_str()));
    target = prop->ObjectOf(*target);
    if (!target) throw EReadError(Format(Msg::UnknownProperty, path.c_str()));
  }
  FPropName = parts.back();
  if (const TPropInfo* prop = target->ClassType().FindProp(FPropName)) {
    ReadPropValue(target, *prop);
    return;
  }
  FCanHandleDefine = true;
  target->DefineProperties(*this);
  if (FCanHandleDefine) {
    FCanHandleDefine = false;
    throw EReadError(Format(Msg::UnknownProperty, path.c_str()));
  }
}

// Reads the value of a published property.
void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop) {
  if (prop.Kind != TPropKind::Class) {
    prop.Read(*instance, *this);
    return;
  }
  TPersistent* object = prop.ObjectOf(*instance);
  switch (NextValue()) {
    case TValueType::vaNil: ReadValue(); break;
    case TValueType::vaCollection:
      if (auto* collection = dynamic_cast<TCollection*>(object))
        ReadCollection(*collection);
      else
        PropValueError();
      break;
    default: PropValueError();
  }
}

// Reads the property now being looked for, when name is the one.
void TReader::DefineProperty(const std::string& name, const TReaderProc& readData,
                             const TWriterProc&, bool) {
  if (FCanHandleDefine && readData && SameText(name, FPropName)) {
    FCanHandleDefine = false;
    readData(*this);
  }
}

// Reads binary data for the property now being looked for, when name is the one.
void TReader::DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                   const TStreamProc&, bool) {
  if (FCanHandleDefine && readData && SameText(name, FPropName)) {
    FCanHandleDefine = false;
    TMemoryStream data(ReadBinary());
    readData(data);
  }
}

// ===========================================================================
// TWriter

// A writer at the stream's current position.
TWriter::TWriter(TStream& stream) : FStream(stream) {}

// Writes exactly count bytes.
void TWriter::Write(const void* buf, size_t count) { FStream.WriteBuffer(buf, count); }

// Writes a value type byte.
void TWriter::WriteValue(TValueType value) { WriteByte(static_cast<uint8_t>(value)); }

// Starts a list.
void TWriter::WriteListBegin() { WriteValue(TValueType::vaList); }

// Ends a list.
void TWriter::WriteListEnd() { WriteValue(TValueType::vaNull); }

// The smallest integer form that holds value.
void TWriter::WriteInteger(int64_t value) {
  if (value >= -128 && value <= 127) {
    WriteValue(TValueType::vaInt8);
    const int8_t v = static_cast<int8_t>(value);
    Write(&v, 1);
  } else if (value >= -32768 && value <= 32767) {
    WriteValue(TValueType::vaInt16);
    const int16_t v = static_cast<int16_t>(value);
    Write(&v, 2);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(TValueType::vaInt32);
    const int32_t v = static_cast<int32_t>(value);
    Write(&v, 4);
  } else {
    WriteValue(TValueType::vaInt64);
    Write(&value, 8);
  }
}

// True or False.
void TWriter::WriteBoolean(bool value) {
  WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse);
}

// A one-character string.
void TWriter::WriteChar(char value) { WriteString(std::string(1, value)); }

// An 80-bit extended float.
void TWriter::WriteFloat(long double value) {
  WriteValue(TValueType::vaExtended);
  uint8_t b[10];
  LongDoubleToExtended(value, b);
  Write(b, 10);
}

// Short or long text for plain ASCII; UTF-8 text otherwise.
void TWriter::WriteString(const std::string& value) {
  if (!IsAscii(value)) {
    const std::string utf8 = AnsiToUtf8(value);
    WriteValue(TValueType::vaUTF8String);
    const int32_t n = static_cast<int32_t>(utf8.size());
    Write(&n, 4);
    Write(utf8.data(), utf8.size());
  } else if (value.size() <= 255) {
    WriteValue(TValueType::vaString);
    WriteStr(value);
  } else {
    WriteValue(TValueType::vaLString);
    const int32_t n = static_cast<int32_t>(value.size());
    Write(&n, 4);
    Write(value.data(), value.size());
  }
}

// Wide text: a count of characters and UTF-16LE code units.
void TWriter::WriteWideString(const std::u16string& value) {
  WriteValue(TValueType::vaWString);
  const int32_t n = static_cast<int32_t>(value.size());
  Write(&n, 4);
  for (char16_t c : value) {
    const uint8_t b[2] = {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>(c >> 8)};
    Write(b, 2);
  }
}

// An identifier; False, True, nil and null get their own value types.
void TWriter::WriteIdent(const std::string& ident) {
  if (SameText(ident, "False"))
    WriteValue(TValueType::vaFalse);
  else if (SameText(ident, "True"))
    WriteValue(TValueType::vaTrue);
  else if (SameText(ident, "nil"))
    WriteValue(TValueType::vaNil);
  else if (SameText(ident, "Null"))
    WriteValue(TValueType::vaNull);
  else {
    WriteValue(TValueType::vaIdent);
    WriteStr(ident);
  }
}

// A set of member names.
void TWriter::WriteSet(const std::vector<std::string>& members) {
  WriteValue(TValueType::vaSet);
  for (const std::string& m : members) WriteStr(m);
  WriteStr("");
}

// Binary data: a 32-bit size and the bytes.
void TWriter::WriteBinary(const std::vector<uint8_t>& bytes) {
  WriteValue(TValueType::vaBinary);
  const int32_t n = static_cast<int32_t>(bytes.size());
  Write(&n, 4);
  Write(bytes.data(), bytes.size());
}

// Binary data produced by writeData into a memory stream.
void TWriter::WriteBinary(const TStreamProc& writeData) {
  TMemoryStream data;
  writeData(data);
  WriteBinary(data.Bytes());
}

// A variant value.
void TWriter::WriteVariant(const TVariant& value) {
  std::visit(
      [this](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, TVarEmpty>)
          WriteValue(TValueType::vaNil);
        else if constexpr (std::is_same_v<T, TVarNull>)
          WriteValue(TValueType::vaNull);
        else if constexpr (std::is_same_v<T, int64_t>)
          WriteInteger(v);
        else if constexpr (std::is_same_v<T, double>)
          WriteFloat(v);
        else if constexpr (std::is_same_v<T, std::string>)
          WriteString(v);
        else
          WriteBoolean(v);
      },
      value);
}

// A short string without type byte (longer text is cut at 255 bytes).
void TWriter::WriteStr(const std::string& value) {
  const uint8_t n = static_cast<uint8_t>(value.size() > 255 ? 255 : value.size());
  WriteByte(n);
  Write(value.data(), n);
}

// The four signature bytes.
void TWriter::WriteSignature() { Write(kFilerSignature, 4); }

// A list of strings.
void TWriter::WriteStrings(const TStrings& strings) {
  WriteListBegin();
  for (int i = 0; i < strings.Count(); ++i) WriteString(strings.Get(i));
  WriteListEnd();
}

// A collection value: each item's properties in a list.
void TWriter::WriteCollection(TCollection& collection) {
  WriteValue(TValueType::vaCollection);
  const std::string saved = FPropPath;
  FPropPath.clear();
  for (int i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(collection.Items(i));
    WriteListEnd();
  }
  FPropPath = saved;
  WriteListEnd();
}

// Writes a whole definition: signature, root, its properties and children.
void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor) {
  assert(root);
  FRoot = root;
  SetAncestor(ancestor);
  WriteSignature();
  WriteComponent(root);
}

// Writes one component record and its children.
void TWriter::WriteComponent(TComponent* component) {
  WriteStr(component->ClassName());
  WriteStr(component->Name());
  WriteProperties(component);
  WriteListEnd();
  component->GetChildren([this](TComponent* child) { WriteComponent(child); }, FRoot);
  WriteListEnd();
}

// Writes the published properties (nested ones by dotted name), then the defined ones.
void TWriter::WriteProperties(TPersistent* instance) {
  for (const TPropInfo* prop : instance->ClassType().AllProps()) WriteProperty(instance, *prop);
  instance->DefineProperties(*this);
}

// Writes one published property when it is stored.
void TWriter::WriteProperty(TPersistent* instance, const TPropInfo& prop) {
  if (prop.IsStored && !prop.IsStored(*instance)) return;
  if (prop.Kind != TPropKind::Class) {
    WritePropName(prop.Name);
    prop.Write(*instance, *this);
    return;
  }
  TPersistent* object = prop.ObjectOf(*instance);
  if (!object || dynamic_cast<TComponent*>(object)) return;
  if (auto* collection = dynamic_cast<TCollection*>(object)) {
    if (collection->Count() == 0) return;
    WritePropName(prop.Name);
    WriteCollection(*collection);
    return;
  }
  const std::string saved = FPropPath;
  FPropPath += prop.Name + ".";
  WriteProperties(object);
  FPropPath = saved;
}

// Writes a property name with the path of the objects it lies in.
void TWriter::WritePropName(const std::string& name) { WriteStr(FPropPath + name); }

// Writes a defined property when it has data.
void TWriter::DefineProperty(const std::string& name, const TReaderProc&,
                             const TWriterProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  writeData(*this);
}

// Writes a defined binary property when it has data.
void TWriter::DefineBinaryProperty(const std::string& name, const TStreamProc&,
                                   const TStreamProc& writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  WriteBinary(writeData);
}

// Reads a definition from a stream into root.
void ReadComponentFromStream(TStream& stream, TComponent* root) {
  TReader reader(stream);
  reader.ReadRootComponent(root);
}

// Writes root and its children as a definition to a stream.
void WriteComponentToStream(TStream& stream, TComponent* root) {
  TWriter writer(stream);
  writer.WriteDescendent(root);
}
