// The component layer's core: class information, persistent objects,
// components, string lists and collections.
#include "ui/Classes.h"

#include <algorithm>
#include <cassert>
#include <map>

#include "ui/Published.h"

// ---------------------------------------------------------------------------
// Class information

// True when this class is other or derives from it.
bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    if (c == &other) return true;
  return false;
}

// The published property of that name, here or in a parent.
const TPropInfo* TClassInfo::FindProp(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const auto& p : c->Props)
      if (SameText(p->Name, name)) return p.get();
  return nullptr;
}

// The published field of that name, here or in a parent.
const TFieldInfo* TClassInfo::FindField(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const auto& f : c->Fields)
      if (SameText(f.Name, name)) return &f;
  return nullptr;
}

// The published method of that name, here or in a parent.
const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
  for (const TClassInfo* c = this; c; c = c->Parent)
    for (const auto& m : c->Methods)
      if (SameText(m.Name, name)) return &m;
  return nullptr;
}

// Every published property, the parents' first, in declaration order.
std::vector<const TPropInfo*> TClassInfo::AllProps() const {
  std::vector<const TPropInfo*> out = Parent ? Parent->AllProps() : std::vector<const TPropInfo*>{};
  for (const auto& p : Props) {
    // A redeclared property replaces the parent's in its place.
    auto same = std::find_if(out.begin(), out.end(),
                             [&](const TPropInfo* q) { return SameText(q->Name, p->Name); });
    if (same != out.end())
      *same = p.get();
    else
      out.push_back(p.get());
  }
  return out;
}

namespace {
// Registered classes by upper-case name.
std::map<std::string, const TClassInfo*>& ClassRegistry() {
  static std::map<std::string, const TClassInfo*> registry;
  return registry;
}
}  // namespace

// Makes a class findable by name for the definition reader.
void RegisterClassInfo(const TClassInfo& info) {
  ClassRegistry()[AnsiUpperCase(info.Name)] = &info;
}

// The registered class of that name, or null.
const TClassInfo* FindClassInfo(const std::string& name) {
  auto it = ClassRegistry().find(AnsiUpperCase(name));
  return it == ClassRegistry().end() ? nullptr : it->second;
}

// The root class has no parent and nothing published.
const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo i;
    i.Name = "TObject";
    return i;
  }();
  return info;
}

// ---------------------------------------------------------------------------
// TPersistent

QUORVEL_DEFINE_CLASS(TPersistent) {}

// Copies source into this object: the source's AssignTo decides.
void TPersistent::Assign(TPersistent* source) {
  if (source)
    source->AssignTo(this);
  else
    AssignTo(this);  // raises: nothing can be assigned from nothing
}

// Nothing to define by default.
void TPersistent::DefineProperties(TFiler&) {}

// The default assignment fails: the classes do not know each other.
void TPersistent::AssignTo(TPersistent* dest) {
  const std::string from = ClassName();
  const std::string to = dest ? dest->ClassName() : std::string("nil");
  throw EConvertError(Format(Msg::AssignError, from.c_str(), to.c_str()));
}

// ---------------------------------------------------------------------------
// TComponent

QUORVEL_DEFINE_CLASS(TComponent) {
  p.String("Name", &TComponent::Name, &TComponent::SetName).NotStored();
  p.Integer("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
}

// Creates a component and hands it to its owner.
TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

// Frees the owned components, tells the watchers, and leaves the owner.
TComponent::~TComponent() {
  Destroying();
  for (TComponent* watcher : std::vector<TComponent*>(FFreeNotifies)) {
    watcher->Notification(this, TOperation::opRemove);
    auto& back = watcher->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  FFreeNotifies.clear();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

// Marks this component (and its owned ones) as being destroyed.
void TComponent::Destroying() {
  if (FComponentState & csDestroying) return;
  FComponentState |= csDestroying;
  for (TComponent* c : FComponents) c->Destroying();
}

// Destroys every owned component, last first.
void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    delete c;
  }
}

// Renames; a sibling of the same name (letter case ignored) is an error.
void TComponent::SetName(const std::string& name) {
  if (name == FName) return;
  if (FOwner && !name.empty()) {
    TComponent* other = FOwner->FindComponent(name);
    if (other && other != this) throw EComponentError(Format(Msg::DuplicateName, name.c_str()));
  }
  FName = name;
}

// The position in the owner's list, or -1.
int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// The owned component of that name, or null.
TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, name)) return c;
  return nullptr;
}

// Switches design mode on or off, for this component and its owned ones.
void TComponent::SetDesigning(bool value) {
  if (value)
    FComponentState |= csDesigning;
  else
    FComponentState &= ~csDesigning;
  for (TComponent* c : FComponents) c->SetDesigning(value);
}

// Switches the loading state of this component only.
void TComponent::SetLoading(bool value) {
  if (value)
    FComponentState |= csLoading;
  else
    FComponentState &= ~csLoading;
}

// Ends the loading state.
void TComponent::Loaded() { FComponentState &= ~csLoading; }

// Forgets a watched component that goes away.
void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && component) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                        FFreeNotifies.end());
  }
  for (TComponent* c : std::vector<TComponent*>(FComponents)) c->Notification(component, operation);
}

// Both components will tell each other when they are destroyed.
void TComponent::FreeNotification(TComponent* component) {
  assert(component);
  if (component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
    FFreeNotifies.push_back(component);
  if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) ==
      component->FFreeNotifies.end())
    component->FFreeNotifies.push_back(this);
}

// Stops the notifications between the two components.
void TComponent::RemoveFreeNotification(TComponent* component) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                      FFreeNotifies.end());
  auto& other = component->FFreeNotifies;
  other.erase(std::remove(other.begin(), other.end(), this), other.end());
}

// A plain component stores the owned components that have no parent.
void TComponent::GetChildren(const TGetChildProc& proc, TComponent* root) {
  if (root != this) return;
  for (TComponent* c : FComponents)
    if (!c->HasParent()) proc(c);
}

// Takes ownership of component and tells the family.
void TComponent::InsertComponent(TComponent* component) {
  assert(component && !component->FOwner);
  if (!component->FName.empty() && FindComponent(component->FName))
    throw EComponentError(Format(Msg::DuplicateName, component->FName.c_str()));
  Insert(component);
  if (FComponentState & csDesigning) component->SetDesigning(true);
  Notification(component, TOperation::opInsert);
}

// Gives up ownership of component and tells the family.
void TComponent::RemoveComponent(TComponent* component) {
  assert(component && component->FOwner == this);
  Notification(component, TOperation::opRemove);
  Remove(component);
}

// Adds to the ownership list.
void TComponent::Insert(TComponent* component) {
  FComponents.push_back(component);
  component->FOwner = this;
}

// Removes from the ownership list.
void TComponent::Remove(TComponent* component) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component),
                    FComponents.end());
  component->FOwner = nullptr;
}

// ---------------------------------------------------------------------------
// TStrings

QUORVEL_DEFINE_CLASS(TStrings) {}

// Replaces the string at index, keeping its object.
void TStrings::Put(int index, const std::string& s) {
  TObject* object = Objects(index);
  Delete(index);
  Insert(index, s);
  SetObjects(index, object);
}

// Lists without objects hold none.
TObject* TStrings::Objects(int) const { return nullptr; }

// Lists without objects ignore them.
void TStrings::SetObjects(int, TObject*) {}

// Appends s; returns its index.
int TStrings::Add(const std::string& s) {
  const int index = Count();
  Insert(index, s);
  return index;
}

// Appends s with an object.
int TStrings::AddObject(const std::string& s, TObject* object) {
  const int index = Add(s);
  SetObjects(index, object);
  return index;
}

// Appends every string (and object) of strings.
void TStrings::AddStrings(const TStrings& strings) {
  TUpdateBracket<TStrings> update(*this);
  for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.Objects(i));
}

// The first string equal to s without regard to letter case, or -1.
int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiCompareText(Get(i), s) == 0) return i;
  return -1;
}

// A copy of the strings.
std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) out.push_back(Get(i));
  return out;
}

// Every string followed by CR LF.
std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

// Replaces the strings with the lines of text (split at CR, LF or CR LF).
void TStrings::SetText(const std::string& text) {
  TUpdateBracket<TStrings> update(*this);
  Clear();
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    Add(text.substr(i, j - i));
    if (j < text.size() && text[j] == '\r') ++j;
    if (j < text.size() && text[j] == '\n') ++j;
    i = j;
  }
}

// Opens an update bracket: notifications wait until the last one closes.
void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

// Closes an update bracket.
void TStrings::EndUpdate() {
  assert(FUpdateCount > 0);
  if (--FUpdateCount == 0) SetUpdateState(false);
}

// Copies the strings and objects of another string list.
void TStrings::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TStrings*>(source)) {
    TUpdateBracket<TStrings> update(*this);
    Clear();
    AddStrings(*other);
    return;
  }
  TPersistent::Assign(source);
}

// The strings are stored as the list property "Strings".
void TStrings::DefineProperties(TFiler& filer) {
  bool hasData = Count() > 0;
  if (auto* ancestor = dynamic_cast<TStrings*>(filer.Ancestor()))
    hasData = ancestor->ToVector() != ToVector();
  filer.DefineProperty(
      "Strings", [this](TReader& r) { r.ReadStrings(*this); },
      [this](TWriter& w) { w.WriteStrings(*this); }, hasData);
}

// Raises EStringListError with a formatted message.
void TStrings::Error(const char* msg, int data) const { throw EStringListError(Format(msg, data)); }

// ---------------------------------------------------------------------------
// TStringList

QUORVEL_DEFINE_CLASS(TStringList) {}

// The string at index.
std::string TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  return FItems[static_cast<size_t>(index)].S;
}

// Replaces the string at index (not allowed in a sorted list).
void TStringList::Put(int index, const std::string& s) {
  if (FSorted) Error(Msg::SortedListError, 0);
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  Changing();
  FItems[static_cast<size_t>(index)].S = s;
  Changed();
}

// The object at index.
TObject* TStringList::Objects(int index) const {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  return FItems[static_cast<size_t>(index)].Object;
}

// Sets the object at index.
void TStringList::SetObjects(int index, TObject* object) {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  Changing();
  FItems[static_cast<size_t>(index)].Object = object;
  Changed();
}

// Inserts s at index (not allowed in a sorted list).
void TStringList::Insert(int index, const std::string& s) {
  if (FSorted) Error(Msg::SortedListError, 0);
  if (index < 0 || index > Count()) Error(Msg::ListIndexError, index);
  InsertItem(index, s);
}

// Inserts without checks, with notifications.
void TStringList::InsertItem(int index, const std::string& s) {
  Changing();
  FItems.insert(FItems.begin() + index, Item{s, nullptr});
  if (static_cast<int>(FItems.size()) > FCapacity) FCapacity = static_cast<int>(FItems.size());
  Changed();
}

// Removes the string at index.
void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) Error(Msg::ListIndexError, index);
  Changing();
  FItems.erase(FItems.begin() + index);
  Changed();
}

// Removes every string.
void TStringList::Clear() {
  if (FItems.empty()) return;
  Changing();
  FItems.clear();
  Changed();
}

// Appends s; a sorted list puts it in place and applies the duplicates rule.
int TStringList::Add(const std::string& s) {
  int index = Count();
  if (FSorted) {
    if (Find(s, index)) {
      switch (FDuplicates) {
        case TDuplicates::dupIgnore: return index;
        case TDuplicates::dupError: throw EStringListError(Msg::DuplicateString);
        case TDuplicates::dupAccept: break;
      }
    }
  }
  InsertItem(index, s);
  return index;
}

// The index of s (binary search when sorted), letter case ignored.
int TStringList::IndexOf(const std::string& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

// Reserves room; never below the count.
void TStringList::SetCapacity(int capacity) {
  if (capacity < Count()) capacity = Count();
  FCapacity = capacity;
  FItems.reserve(static_cast<size_t>(capacity));
}

// Binary search; index receives where s is (or would be inserted).
bool TStringList::Find(const std::string& s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int c = AnsiCompareText(FItems[static_cast<size_t>(mid)].S, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != TDuplicates::dupAccept) lo = mid;
      }
    }
  }
  index = lo;
  return found;
}

// Sorts the strings without regard to letter case.
void TStringList::Sort() {
  Changing();
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const Item& a, const Item& b) { return AnsiCompareText(a.S, b.S) < 0; });
  Changed();
}

// Turns sorting on (sorting the list) or off.
void TStringList::SetSorted(bool value) {
  if (FSorted == value) return;
  if (value) Sort();
  FSorted = value;
}

// Notifications resume with one change when the bracket closes.
void TStringList::SetUpdateState(bool updating) {
  if (updating)
    Changing();
  else
    Changed();
}

// After a change (outside update brackets).
void TStringList::Changed() {
  if (UpdateCount() == 0) OnChange(this);
}

// Before a change (outside update brackets).
void TStringList::Changing() {
  if (UpdateCount() == 0) OnChanging(this);
}

// ---------------------------------------------------------------------------
// Collections

QUORVEL_DEFINE_CLASS(TCollectionItem) {}

// Creates an item inside collection (when given).
TCollectionItem::TCollectionItem(TCollection* collection) {
  if (collection) collection->InsertItem(this);
}

// Leaves the collection.
TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

// The position in the collection.
int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

// The class name, for items without a name of their own.
std::string TCollectionItem::GetDisplayName() const { return ClassName(); }

// The collection owns the item.
TPersistent* TCollectionItem::GetOwner() { return FCollection; }

// Tells the collection about a change of this item or of all items.
void TCollectionItem::Changed(bool allItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

QUORVEL_DEFINE_CLASS(TCollection) {}

// Creates an empty collection of items made by factory.
TCollection::TCollection(const TClassInfo& itemClass, TItemFactory factory, TPersistent* owner)
    : FItemClass(itemClass), FFactory(std::move(factory)), FOwner(owner) {}

// Frees the items.
TCollection::~TCollection() {
  FUpdateCount = 1;
  Clear();
}

// The item at index; raises EListError out of range.
TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(Msg::ListIndexError, index));
  return FItems[static_cast<size_t>(index)];
}

// Appends a new item of the item class.
TCollectionItem* TCollection::Add() {
  TCollectionItem* item = FFactory(this);
  assert(item && item->FCollection == this);
  Changed();
  return item;
}

// Frees the item at index.
void TCollection::Delete(int index) { delete Items(index); }

// Frees every item.
void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) delete FItems.back();
  EndUpdate();
}

// Opens an update bracket.
void TCollection::BeginUpdate() { ++FUpdateCount; }

// Closes an update bracket; the collection changed as a whole.
void TCollection::EndUpdate() {
  assert(FUpdateCount > 0);
  if (--FUpdateCount == 0) Changed();
}

// The item with that ID, or null.
TCollectionItem* TCollection::FindItemID(int id) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == id) return item;
  return nullptr;
}

// Replaces the items with copies of another collection's.
void TCollection::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TCollection*>(source)) {
    TUpdateBracket<TCollection> update(*this);
    Clear();
    for (TCollectionItem* item : other->FItems) Add()->Assign(item);
    return;
  }
  TPersistent::Assign(source);
}

// Tells the collection that it changed as a whole.
void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

// Appends an item (called by the item's constructor).
void TCollection::InsertItem(TCollectionItem* item) {
  item->FCollection = this;
  item->FID = FNextID++;
  FItems.push_back(item);
}

// Takes an item out (called by the item's destructor).
void TCollection::RemoveItem(TCollectionItem* item) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
  item->FCollection = nullptr;
  Changed();
}
