// The component layer's core: class information, persistent objects,
// components, string lists and collections.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <string>
#include <variant>
#include <vector>

#include "ui/Streams.h"
#include "ui/SysUtils.h"

class TObject;
class TPersistent;
class TComponent;
class TReader;
class TWriter;
class TFiler;
struct TPropInfo;
template <class C>
class TPublisher;

// ---------------------------------------------------------------------------
// Class information: the name, the parent, a factory and the published
// properties, fields and methods of a class (filled by Published.h).

// A published field of a form: a component reference set by name on loading.
struct TFieldInfo {
  std::string Name;
  const struct TClassInfo* Type = nullptr;
  std::function<void(TObject& root, TComponent* value)> Set;
};

// A published method: Bind(self) gives a std::function of the method's own
// signature (first argument the receiver dropped) wrapped in std::any.
struct TMethodInfo {
  std::string Name;
  std::function<std::any(TObject& self)> Bind;
};

struct TClassInfo {
  std::string Name;
  const TClassInfo* Parent = nullptr;
  // Creates an instance owned by the given component; null for abstract classes.
  std::function<TComponent*(TComponent* owner)> Create;
  std::vector<std::unique_ptr<TPropInfo>> Props;
  std::vector<TFieldInfo> Fields;
  std::vector<TMethodInfo> Methods;

  // True when this class is other or derives from it.
  bool InheritsFrom(const TClassInfo& other) const;
  // The published property of that name (letter case ignored), here or in a parent.
  const TPropInfo* FindProp(const std::string& name) const;
  // The published field of that name, here or in a parent.
  const TFieldInfo* FindField(const std::string& name) const;
  // The published method of that name, here or in a parent.
  const TMethodInfo* FindMethod(const std::string& name) const;
  // Every published property, the parents' first, in declaration order.
  std::vector<const TPropInfo*> AllProps() const;
};

// Makes a class findable by name for the definition reader.
void RegisterClassInfo(const TClassInfo& info);
// The registered class of that name (letter case ignored), or null.
const TClassInfo* FindClassInfo(const std::string& name);

// Declares the class-information members of a class; the matching
// QUORVEL_DEFINE_CLASS (Published.h) goes in its .cpp file.
#define QUORVEL_CLASS(Class, Parent)                                     \
public:                                                                  \
  using inherited = Parent;                                              \
  static const TClassInfo& StaticClass();                                \
  static void Publish(TPublisher<Class>& p);                             \
  const TClassInfo& ClassType() const override { return StaticClass(); } \
                                                                         \
private:

// ---------------------------------------------------------------------------

// The root of every class that has class information.
class TObject {
public:
  virtual ~TObject() = default;
  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType().Name; }
  bool InheritsFrom(const TClassInfo& info) const { return ClassType().InheritsFrom(info); }
};

// An event: a handler and, when bound from a definition, the method's name.
template <class... Args>
struct TEvent {
  std::function<void(Args...)> Handler;
  std::string MethodName;

  TEvent() = default;
  // Any callable of the event's signature becomes the handler.
  template <class F, class = std::enable_if_t<std::is_invocable_v<F&, Args...> &&
                                              !std::is_same_v<std::decay_t<F>, TEvent>>>
  TEvent(F handler) : Handler(std::move(handler)) {}  // NOLINT: implicit by design
  explicit operator bool() const { return static_cast<bool>(Handler); }
  void operator()(Args... args) const {
    if (Handler) Handler(std::forward<Args>(args)...);
  }
  void Clear() {
    Handler = nullptr;
    MethodName.clear();
  }
};
using TNotifyEvent = TEvent<TObject*>;

// A variant value as stored in definitions: empty, null, integer, float, string or Boolean.
struct TVarEmpty {
  bool operator==(const TVarEmpty&) const { return true; }
};
struct TVarNull {
  bool operator==(const TVarNull&) const { return true; }
};
using TVariant = std::variant<TVarEmpty, TVarNull, int64_t, double, std::string, bool>;
inline bool VarIsEmpty(const TVariant& v) { return std::holds_alternative<TVarEmpty>(v); }

// An object that can be assigned and stored in definitions.
class TPersistent : public TObject {
  QUORVEL_CLASS(TPersistent, TObject)
public:
  // Copies source into this object; raises EConvertError when it cannot.
  virtual void Assign(TPersistent* source);
  // The owner in the name path (a component's owner, a collection's owner, ...).
  virtual TPersistent* GetOwner() { return nullptr; }
  // Registers unpublished properties with a filer (reader or writer).
  virtual void DefineProperties(TFiler& filer);
  // Copies this object into dest; raises EConvertError when it cannot.
  virtual void AssignTo(TPersistent* dest);
};

// ---------------------------------------------------------------------------
// Filers: the part of the reader and writer that DefineProperties sees.

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

class TFiler {
public:
  virtual ~TFiler() = default;
  // A property with a value of its own format (read or written by the procs).
  virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                              const TWriterProc& writeData, bool hasData) = 0;
  // A property of raw bytes.
  virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                    const TStreamProc& writeData, bool hasData) = 0;
  // The same object in the inherited definition, when writing with one.
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* ancestor) { FAncestor = ancestor; }

protected:
  TPersistent* FAncestor = nullptr;
};

// ---------------------------------------------------------------------------

enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,
  csReading = 1u << 1,
  csWriting = 1u << 2,
  csDestroying = 1u << 3,
  csDesigning = 1u << 4,
  csAncestor = 1u << 5,
  csUpdating = 1u << 6,
};
enum class TOperation { opInsert, opRemove };

using TGetChildProc = std::function<void(TComponent*)>;

// A named object that owns other components and is stored in definitions.
class TComponent : public TPersistent {
  QUORVEL_CLASS(TComponent, TPersistent)
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // Renames; raises EComponentError when a sibling already has that name.
  virtual void SetName(const std::string& name);
  int32_t Tag() const { return FTag; }
  void SetTag(int32_t tag) { FTag = tag; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
  int ComponentIndex() const;
  // The owned component of that name (letter case ignored), or null.
  TComponent* FindComponent(const std::string& name) const;

  uint32_t ComponentState() const { return FComponentState; }
  bool IsLoading() const { return (FComponentState & csLoading) != 0; }
  bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
  bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
  void SetDesigning(bool value);
  void SetLoading(bool value);

  // Called once after the component's definition has been read.
  virtual void Loaded();
  // Tells this component that another one is inserted into or removed from its owner.
  virtual void Notification(TComponent* component, TOperation operation);
  // Asks to be notified when component is destroyed (across owners).
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  // The children to store with this component, in stored order.
  virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
  // The component that contains this one in a definition (a control's parent).
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual bool HasParent() const { return false; }
  virtual void SetParentComponent(TComponent*) {}

  TPersistent* GetOwner() override { return FOwner; }
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Destroys every owned component, last first.
  void DestroyComponents();

protected:
  // Marks this component as being destroyed; derived destructors call it first.
  void Destroying();
  // Changes the ownership list without notifications.
  void Insert(TComponent* component);
  void Remove(TComponent* component);

private:
  TComponent* FOwner = nullptr;
  std::string FName;
  int32_t FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  uint32_t FComponentState = 0;
};

// ---------------------------------------------------------------------------

enum class TDuplicates { dupIgnore, dupAccept, dupError };

// Keeps the update bracket of a string list or a collection (anything with
// BeginUpdate and EndUpdate) open for the lifetime of the guard, also when an
// exception passes.
template <class T>
class TUpdateBracket {
public:
  explicit TUpdateBracket(T& target) : FTarget(target) { FTarget.BeginUpdate(); }
  ~TUpdateBracket() { FTarget.EndUpdate(); }
  TUpdateBracket(const TUpdateBracket&) = delete;
  TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
  T& FTarget;
};

// An ordered list of strings, each with an optional object.
class TStrings : public TPersistent {
  QUORVEL_CLASS(TStrings, TPersistent)
public:
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s);
  virtual TObject* Objects(int index) const;
  virtual void SetObjects(int index, TObject* object);
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual int Add(const std::string& s);
  int AddObject(const std::string& s, TObject* object);
  void AddStrings(const TStrings& strings);
  // Index of the first string equal to s without regard to letter case, or -1.
  virtual int IndexOf(const std::string& s) const;
  virtual int GetCapacity() const { return Count(); }
  virtual void SetCapacity(int) {}

  std::string operator[](int index) const { return Get(index); }
  std::vector<std::string> ToVector() const;
  // Every string followed by CR LF.
  std::string Text() const;
  // Replaces the strings with the lines of text (split at CR, LF or CR LF).
  void SetText(const std::string& text);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

protected:
  // Called when the update bracket opens (true) or closes (false).
  virtual void SetUpdateState(bool) {}
  void Error(const char* msg, int data) const;

private:
  int FUpdateCount = 0;
};

// A string list held in memory: optionally sorted, with change notifications.
class TStringList : public TStrings {
  QUORVEL_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(const std::string& s) override;
  int IndexOf(const std::string& s) const override;
  int GetCapacity() const override { return FCapacity; }
  void SetCapacity(int capacity) override;

  // Binary search of a sorted list (letter case ignored); index is where s is or belongs.
  bool Find(const std::string& s, int& index) const;
  void Sort();
  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates value) { FDuplicates = value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  void SetUpdateState(bool updating) override;
  virtual void Changed();
  virtual void Changing();

private:
  struct Item {
    std::string S;
    TObject* Object = nullptr;
  };
  void InsertItem(int index, const std::string& s);
  std::vector<Item> FItems;
  int FCapacity = 0;
  bool FSorted = false;
  TDuplicates FDuplicates = TDuplicates::dupIgnore;
};

// ---------------------------------------------------------------------------

class TCollection;

// One item of an owned collection.
class TCollectionItem : public TPersistent {
  QUORVEL_CLASS(TCollectionItem, TPersistent)
public:
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;
  TCollection* Collection() const { return FCollection; }
  int Index() const;
  int ID() const { return FID; }
  // The name shown for the item; the class name when it has none of its own.
  virtual std::string GetDisplayName() const;
  TPersistent* GetOwner() override;

protected:
  // Tells the collection that this item (or all items) changed.
  void Changed(bool allItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

// An ordered collection that owns its items, all of one item class.
class TCollection : public TPersistent {
  QUORVEL_CLASS(TCollection, TPersistent)
public:
  using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
  TCollection(const TClassInfo& itemClass, TItemFactory factory, TPersistent* owner = nullptr);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const;
  const TClassInfo& ItemClass() const { return FItemClass; }
  // Appends a new item of the item class.
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  TCollectionItem* FindItemID(int id) const;
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return FOwner; }

protected:
  // Called after an item (or, with null, the whole collection) changed.
  virtual void Update(TCollectionItem*) {}
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  const TClassInfo& FItemClass;
  TItemFactory FFactory;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
};
