// Publishing properties, fields and methods of a class so that definitions
// can set them by name. Include in the .cpp file of a class with
// QUORVEL_CLASS, then describe the class:
//
//   QUORVEL_DEFINE_CLASS(TButton) {
//     p.String("Caption", &TButton::Caption, &TButton::SetCaption);
//     p.Integer("TabOrder", &TButton::TabOrder, &TButton::SetTabOrder, -1);  // -1: the default
//     p.Event("OnClick", &TButton::OnClick);
//   }
#pragma once

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ui/Classes.h"
#include "ui/Filer.h"

enum class TPropKind {
  Integer,
  Bool,
  Char,
  Enum,
  Set,
  Float,
  String,
  Variant,
  Class,
  Method,
  Component
};

// A published property: how to read it from a definition and write it back.
struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  // Reads the value at the reader's position into the instance.
  std::function<void(TObject&, TReader&)> Read;
  // Writes the value (null for class-typed properties, written member by member).
  std::function<void(TObject&, TWriter&)> Write;
  // True when the value is to be written (stored, and not the default).
  std::function<bool(TObject&)> IsStored;
  // The object held by a class-typed property.
  std::function<TPersistent*(TObject&)> ObjectOf;
};

// Names that an integer property accepts in place of numbers (colours, cursors).
struct TIdentMapEntry {
  int32_t Value;
  const char* Name;
};
using TIdentMap = std::vector<TIdentMapEntry>;
// The colour names of the platform (clBlack, clBtnFace, ...).
const TIdentMap& ColorIdents();
// The cursor names of the platform (crDefault, crHandPoint, ...).
const TIdentMap& CursorIdents();
// Reads an integer value or one of the map's names.
int32_t ReadIntegerOrIdent(TReader& reader, const TIdentMap* idents);
// Writes a map's name when the value has one, else the integer.
void WriteIntegerOrIdent(TWriter& writer, int32_t value, const TIdentMap* idents);
// The method of the reader's root named by the next value (an identifier),
// bound to the root; raises EReadError when there is none of that signature.
std::any BindMethod(TReader& reader, std::string& methodName);

// Fluent options of one published property.
class TPropOptions {
public:
  explicit TPropOptions(TPropInfo& info) : FInfo(info) {}
  // Not written to definitions.
  TPropOptions& NotStored() {
    FInfo.IsStored = [](TObject&) { return false; };
    return *this;
  }
  // Always written, whatever the value (a property without a default).
  TPropOptions& AlwaysStored() {
    FInfo.IsStored = [](TObject&) { return true; };
    return *this;
  }
  // Written only when the predicate holds.
  TPropOptions& StoredIf(std::function<bool(TObject&)> pred) {
    auto base = FInfo.IsStored;
    FInfo.IsStored = [base, pred](TObject& o) { return pred(o) && (!base || base(o)); };
    return *this;
  }

private:
  TPropInfo& FInfo;
};

// Describes the published members of class C into its class information.
template <class C>
class TPublisher {
public:
  explicit TPublisher(TClassInfo& info) : FInfo(info) {}

  // An integer property; idents lets names stand for values; written when != def.
  template <class G, class S>
  TPropOptions Integer(const std::string& name, G get, S set, int32_t def = 0,
                       const TIdentMap* idents = nullptr) {
    auto& p = Add(name, TPropKind::Integer);
    p.Read = [set, idents](TObject& o, TReader& r) {
      std::invoke(set, Self(o), static_cast<Value<G>>(ReadIntegerOrIdent(r, idents)));
    };
    p.Write = [get, idents](TObject& o, TWriter& w) {
      WriteIntegerOrIdent(w, static_cast<int32_t>(std::invoke(get, Self(o))), idents);
    };
    p.IsStored = [get, def](TObject& o) {
      return static_cast<int32_t>(std::invoke(get, Self(o))) != def;
    };
    return TPropOptions(p);
  }

  // A colour property (names like clBtnFace accepted).
  template <class G, class S>
  TPropOptions Color(const std::string& name, G get, S set, int32_t def) {
    return Integer(name, get, set, def, &ColorIdents());
  }

  // A Boolean property, written when it differs from def.
  template <class G, class S>
  TPropOptions Bool(const std::string& name, G get, S set, bool def = false) {
    auto& p = Add(name, TPropKind::Bool);
    p.Read = [set](TObject& o, TReader& r) { std::invoke(set, Self(o), r.ReadBoolean()); };
    p.Write = [get](TObject& o, TWriter& w) { w.WriteBoolean(std::invoke(get, Self(o))); };
    p.IsStored = [get, def](TObject& o) {
      return static_cast<bool>(std::invoke(get, Self(o))) != def;
    };
    return TPropOptions(p);
  }

  // A one-character property, written when it differs from def.
  template <class G, class S>
  TPropOptions Char(const std::string& name, G get, S set, char def) {
    auto& p = Add(name, TPropKind::Char);
    p.Read = [set](TObject& o, TReader& r) { std::invoke(set, Self(o), r.ReadChar()); };
    p.Write = [get](TObject& o, TWriter& w) { w.WriteChar(std::invoke(get, Self(o))); };
    p.IsStored = [get, def](TObject& o) { return std::invoke(get, Self(o)) != def; };
    return TPropOptions(p);
  }

  // A text property, written when it is not empty.
  template <class G, class S>
  TPropOptions String(const std::string& name, G get, S set) {
    auto& p = Add(name, TPropKind::String);
    p.Read = [set](TObject& o, TReader& r) { std::invoke(set, Self(o), r.ReadString()); };
    p.Write = [get](TObject& o, TWriter& w) { w.WriteString(std::invoke(get, Self(o))); };
    p.IsStored = [get](TObject& o) { return !std::string(std::invoke(get, Self(o))).empty(); };
    return TPropOptions(p);
  }

  // An enumeration property stored as one of names (index = value).
  template <class G, class S>
  TPropOptions Enum(const std::string& name, G get, S set, std::vector<const char*> names,
                    int def = 0) {
    auto& p = Add(name, TPropKind::Enum);
    p.Read = [set, names](TObject& o, TReader& r) {
      const std::string ident = r.ReadIdent();
      for (size_t i = 0; i < names.size(); ++i)
        if (SameText(ident, names[i])) {
          std::invoke(set, Self(o), static_cast<Value<G>>(i));
          return;
        }
      throw EReadError(Msg::InvalidPropertyValue);
    };
    p.Write = [get, names](TObject& o, TWriter& w) {
      const auto v = static_cast<size_t>(std::invoke(get, Self(o)));
      w.WriteIdent(v < names.size() ? names[v] : "");
    };
    p.IsStored = [get, def](TObject& o) {
      return static_cast<int>(std::invoke(get, Self(o))) != def;
    };
    return TPropOptions(p);
  }

  // A set property: bit i stands for names[i].
  template <class G, class S>
  TPropOptions Set(const std::string& name, G get, S set, std::vector<const char*> names,
                   uint32_t def = 0) {
    auto& p = Add(name, TPropKind::Set);
    p.Read = [set, names](TObject& o, TReader& r) {
      uint32_t bits = 0;
      for (const std::string& member : r.ReadSet()) {
        size_t i = 0;
        while (i < names.size() && !SameText(member, names[i])) ++i;
        if (i == names.size()) throw EReadError(Msg::InvalidPropertyValue);
        bits |= 1u << i;
      }
      std::invoke(set, Self(o), bits);
    };
    p.Write = [get, names](TObject& o, TWriter& w) {
      const uint32_t bits = std::invoke(get, Self(o));
      std::vector<std::string> members;
      for (size_t i = 0; i < names.size(); ++i)
        if (bits & (1u << i)) members.push_back(names[i]);
      w.WriteSet(members);
    };
    p.IsStored = [get, def](TObject& o) {
      return static_cast<uint32_t>(std::invoke(get, Self(o))) != def;
    };
    return TPropOptions(p);
  }

  // A variant property, written unless empty.
  template <class G, class S>
  TPropOptions Variant(const std::string& name, G get, S set) {
    auto& p = Add(name, TPropKind::Variant);
    p.Read = [set](TObject& o, TReader& r) { std::invoke(set, Self(o), r.ReadVariant()); };
    p.Write = [get](TObject& o, TWriter& w) { w.WriteVariant(std::invoke(get, Self(o))); };
    p.IsStored = [get](TObject& o) { return !VarIsEmpty(std::invoke(get, Self(o))); };
    return TPropOptions(p);
  }

  // A property holding an object (font, string list, collection, picture):
  // definitions set its members ("Font.Name") or its value (lists, collections).
  template <class G>
  TPropOptions Object(const std::string& name, G get) {
    auto& p = Add(name, TPropKind::Class);
    p.ObjectOf = [get](TObject& o) -> TPersistent* { return std::invoke(get, Self(o)); };
    p.IsStored = [](TObject&) { return true; };
    return TPropOptions(p);
  }

  // A reference to another component of the definition's root, stored as
  // its name ("Menu = MainMenu1"); set once the whole definition is read. A
  // name that finds no component of class T leaves the reference null.
  template <class T, class G, class S>
  TPropOptions Reference(const std::string& name, G get, S set) {
    auto& p = Add(name, TPropKind::Component);
    p.Read = [set](TObject& o, TReader& r) {
      const std::string ref = r.ReadIdent();
      C* self = &Self(o);
      if (SameText(ref, "nil")) {
        std::invoke(set, *self, static_cast<T*>(nullptr));
        return;
      }
      TComponent* root = r.Root();
      r.AddFixup([self, set, ref, root] {
        TComponent* found = root && SameText(root->Name(), ref) ? root
                            : root                              ? root->FindComponent(ref)
                                                                : nullptr;
        std::invoke(set, *self, dynamic_cast<T*>(found));
      });
    };
    p.Write = [get](TObject& o, TWriter& w) {
      T* value = std::invoke(get, Self(o));
      w.WriteIdent(value ? value->Name() : "nil");
    };
    p.IsStored = [get](TObject& o) { return std::invoke(get, Self(o)) != nullptr; };
    return TPropOptions(p);
  }

  // An event bound by name to a published method of the definition's root.
  template <class... Args>
  TPropOptions Event(const std::string& name, TEvent<Args...> C::*member) {
    auto& p = Add(name, TPropKind::Method);
    p.Read = [member](TObject& o, TReader& r) {
      std::string method;
      std::any bound = BindMethod(r, method);
      auto* fn = std::any_cast<std::function<void(Args...)>>(&bound);
      if (!fn) throw EReadError(Msg::InvalidPropertyValue);
      (Self(o).*member).Handler = *fn;
      (Self(o).*member).MethodName = method;
    };
    p.Write = [member](TObject& o, TWriter& w) { w.WriteIdent((Self(o).*member).MethodName); };
    p.IsStored = [member](TObject& o) { return !(Self(o).*member).MethodName.empty(); };
    return TPropOptions(p);
  }

  // A published field: the owned component of that name is stored into it.
  template <class T>
  void Field(const std::string& name, T* C::*member) {
    TFieldInfo f;
    f.Name = name;
    f.Type = &T::StaticClass();
    f.Set = [member](TObject& root, TComponent* value) {
      Self(root).*member = dynamic_cast<T*>(value);
    };
    FInfo.Fields.push_back(std::move(f));
  }

  // A published method that events of a definition can name.
  template <class... Args>
  void Method(const std::string& name, void (C::*method)(Args...)) {
    TMethodInfo m;
    m.Name = name;
    m.Bind = [method](TObject& self) -> std::any {
      C* target = &Self(self);
      return std::function<void(Args...)>(
          [target, method](Args... args) { (target->*method)(std::forward<Args>(args)...); });
    };
    FInfo.Methods.push_back(std::move(m));
  }

private:
  static C& Self(TObject& o) { return static_cast<C&>(o); }
  // The value type of a property, as its getter returns it.
  template <class G>
  using Value = std::decay_t<std::invoke_result_t<G, C&>>;
  TPropInfo& Add(const std::string& name, TPropKind kind) {
    auto p = std::make_unique<TPropInfo>();
    p->Name = name;
    p->Kind = kind;
    FInfo.Props.push_back(std::move(p));
    return *FInfo.Props.back();
  }
  TClassInfo& FInfo;
};

// Builds the class information of C: name, parent, factory, published members.
template <class C>
TClassInfo BuildClassInfo(const char* name) {
  TClassInfo info;
  info.Name = name;
  info.Parent = &C::inherited::StaticClass();
  if constexpr (std::is_base_of_v<TComponent, C> && std::is_constructible_v<C, TComponent*> &&
                !std::is_abstract_v<C>) {
    info.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
  }
  TPublisher<C> publisher(info);
  C::Publish(publisher);
  return info;
}

// Defines StaticClass and opens the body of the class's Publish function.
#define QUORVEL_DEFINE_CLASS(Class)                                 \
  const TClassInfo& Class::StaticClass() {                          \
    static const TClassInfo info = BuildClassInfo<Class>(#Class);   \
    static const bool registered = (RegisterClassInfo(info), true); \
    (void)registered;                                               \
    return info;                                                    \
  }                                                                 \
  void Class::Publish([[maybe_unused]] TPublisher<Class>& p)
