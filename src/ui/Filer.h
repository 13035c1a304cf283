// The binary form of window definitions: the value-level reader and writer,
// and the loading and storing of components with their published properties.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/Classes.h"

// The type byte in front of every value.
enum class TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaExtended = 5,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaNil = 13,
  vaCollection = 14,
  vaSingle = 15,
  vaCurrency = 16,
  vaDate = 17,
  vaWString = 18,
  vaInt64 = 19,
  vaUTF8String = 20,
  vaDouble = 21,
};

// The four bytes at the start of every binary definition.
extern const char kFilerSignature[4];  // "TPF0"

// Flags of an object record's optional prefix byte (0xF0 | flags).
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

// Reads values and objects from a binary definition. Every malformed or
// truncated input raises EReadError; nothing is read past the stream's end.
class TReader : public TFiler {
public:
  explicit TReader(TStream& stream);

  TStream& Stream() { return FStream; }

  // --- values ---
  TValueType ReadValue();
  TValueType NextValue();
  void CheckValue(TValueType expected);
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  int32_t ReadInteger();
  int64_t ReadInt64();
  bool ReadBoolean();
  char ReadChar();
  long double ReadFloat();
  // A string value of any of the four string types, in this build's code page.
  std::string ReadString();
  std::u16string ReadWideString();
  // An identifier (also False, True, nil and null as their names).
  std::string ReadIdent();
  // A set: the names of its members.
  std::vector<std::string> ReadSet();
  std::vector<uint8_t> ReadBinary();
  TVariant ReadVariant();
  // A short string without type byte: one length byte and the characters.
  std::string ReadStr();
  // Skips one value of any type.
  void SkipValue();
  void ReadSignature();
  // Reads a list value of strings into a string list.
  void ReadStrings(TStrings& strings);
  // Reads a collection value (< items >) into a collection.
  void ReadCollection(TCollection& collection);

  // --- objects ---
  // Reads a whole definition into an existing root component.
  void ReadRootComponent(TComponent* root);
  // Reads one property (name and value) of instance.
  void ReadProperty(TPersistent* instance);
  // Reads the properties of an object up to the end of its list.
  void ReadProperties(TPersistent* instance);

  TComponent* Root() const { return FRoot; }
  TComponent* Owner() const { return FOwner; }
  // The name of the property being read (for error messages).
  const std::string& PropName() const { return FPropName; }
  // Work to do once the whole definition is read, before Loaded: component
  // references by name (the component may come later in the definition).
  void AddFixup(std::function<void()> fixup) { FFixups.push_back(std::move(fixup)); }

  void DefineProperty(const std::string& name, const TReaderProc& readData,
                      const TWriterProc& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                            const TStreamProc& writeData, bool hasData) override;

  // Nesting deeper than this is treated as a malformed definition.
  static constexpr int kMaxDepth = 64;

private:
  void Read(void* buf, size_t count);
  uint8_t ReadByte();
  size_t ReadCount(size_t elementSize);
  void ReadComponent(TComponent* parent);
  void ReadDataInner(TComponent* instance);
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
  [[noreturn]] void PropValueError() const;
  struct DepthGuard {
    explicit DepthGuard(TReader& r);
    ~DepthGuard() { --FReader.FDepth; }
    TReader& FReader;
  };

  TStream& FStream;
  TComponent* FRoot = nullptr;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FLoaded;
  std::vector<std::function<void()>> FFixups;
  std::string FPropName;
  bool FCanHandleDefine = false;
  int FDepth = 0;
};

// Writes values and objects in the binary definition format.
class TWriter : public TFiler {
public:
  explicit TWriter(TStream& stream);

  TStream& Stream() { return FStream; }

  // --- values ---
  void WriteValue(TValueType value);
  void WriteListBegin();
  void WriteListEnd();
  // The smallest of the three integer forms that holds value.
  void WriteInteger(int64_t value);
  void WriteBoolean(bool value);
  void WriteChar(char value);
  void WriteFloat(long double value);
  // Short or long text for plain ASCII, UTF-8 text otherwise.
  void WriteString(const std::string& value);
  void WriteWideString(const std::u16string& value);
  void WriteIdent(const std::string& ident);
  void WriteSet(const std::vector<std::string>& members);
  void WriteBinary(const std::vector<uint8_t>& bytes);
  void WriteBinary(const TStreamProc& writeData);
  void WriteVariant(const TVariant& value);
  // A short string without type byte.
  void WriteStr(const std::string& value);
  void WriteSignature();
  void WriteStrings(const TStrings& strings);
  void WriteCollection(TCollection& collection);

  // --- objects ---
  // Writes a whole definition: signature, root, its properties and children.
  void WriteDescendent(TComponent* root, TComponent* ancestor = nullptr);
  // Writes one component record and its children.
  void WriteComponent(TComponent* component);
  // Writes the published and defined properties of instance.
  void WriteProperties(TPersistent* instance);

  TComponent* Root() const { return FRoot; }

  void DefineProperty(const std::string& name, const TReaderProc& readData,
                      const TWriterProc& writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                            const TStreamProc& writeData, bool hasData) override;

private:
  void Write(const void* buf, size_t count);
  void WriteByte(uint8_t b) { Write(&b, 1); }
  void WritePropName(const std::string& name);
  void WriteProperty(TPersistent* instance, const TPropInfo& prop);

  TStream& FStream;
  TComponent* FRoot = nullptr;
  std::string FPropPath;
};

// Reads a definition from a stream into root.
void ReadComponentFromStream(TStream& stream, TComponent* root);
// Writes root and its children as a definition to a stream.
void WriteComponentToStream(TStream& stream, TComponent* root);
