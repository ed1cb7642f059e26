#include "framework/Filer.h"

#include <cstring>

#include "framework/Collections.h"
#include "framework/Component.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

namespace {

// Children and lists nest no deeper than this, so a crafted stream cannot exhaust the stack.
constexpr int MaxNesting = 64;

void WriteLE(TStream* s, uint64_t v, int bytes) {
  unsigned char b[8];
  for (int i = 0; i < bytes; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
  s->WriteBuffer(b, bytes);
}

uint64_t ReadLE(TStream* s, int bytes) {
  unsigned char b[8] = {};
  s->ReadBuffer(b, bytes);
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= uint64_t(b[i]) << (8 * i);
  return v;
}

}  // namespace

// Writer --------------------------------------------------------------------------------------

void TWriter::WriteRootComponent(TComponent* Root) {
  FRoot = Root;
  FStream->WriteBuffer(ComponentStreamSignature, sizeof ComponentStreamSignature);
  WriteComponent(Root);
}

void TWriter::WriteKind(TStreamValueKind Kind) {
  Byte b = Kind;
  FStream->WriteBuffer(&b, 1);
}

void TWriter::WriteName(const String& Name) {
  if (Name.size() > 255) throw EWriteError(Format("Name too long for a component stream: %s", Name));
  Byte n = Byte(Name.size());
  FStream->WriteBuffer(&n, 1);
  if (n) FStream->WriteBuffer(Name.data(), n);
}

void TWriter::WriteComponent(TComponent* Component) {
  WriteName(Component->ClassName());
  WriteName(Component->Name());
  WriteProperties(Component, {});
  WriteKind(skEnd);
  Component->GetChildren([this](TComponent* Child) { WriteComponent(Child); }, FRoot);
  WriteKind(skEnd);
}

void TWriter::WriteProperties(TPersistent* Instance, const String& Prefix) {
  for (const TPropInfo* prop : GetPropList(Instance)) {
    if (!prop->ShouldStore(Instance)) continue;
    WriteProperty(Instance, *prop, Prefix + prop->Name);
  }
  String saved = FPrefix;
  FPrefix = Prefix;
  Instance->DefineProperties(this);
  FPrefix = saved;
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo& Prop, const String& Path) {
  if (Prop.Kind == pkObject) {
    TPersistent* object = Prop.GetObject(Instance);
    if (auto* collection = dynamic_cast<TCollection*>(object)) {
      if (collection->Count() == 0) return;
      WriteName(Path);
      WriteCollection(collection);
    } else {
      WriteProperties(object, Path + ".");
    }
    return;
  }
  TPropValue value = Prop.Get(Instance);
  if (Prop.Kind == pkComponent && std::get<TComponent*>(value) &&
      std::get<TComponent*>(value)->Name().empty())
    return;  // a link to a nameless component cannot be found again: left out
  WriteName(Path);
  switch (Prop.Kind) {
    case pkInteger: WriteInteger(std::get<Int64>(value)); break;
    case pkBoolean: WriteBoolean(std::get<Int64>(value) != 0); break;
    case pkEnumeration: {
      Int64 v = std::get<Int64>(value);
      if (v >= 0 && v < Int64(Prop.EnumNames.size()))
        WriteIdent(Prop.EnumNames[size_t(v)]);
      else
        WriteInteger(v);
      break;
    }
    case pkFloat: WriteFloat(std::get<Extended>(value)); break;
    case pkString: WriteString(std::get<String>(value)); break;
    case pkWideString: WriteWideString(std::get<WideString>(value)); break;
    case pkComponent:
      if (TComponent* c = std::get<TComponent*>(value))
        WriteIdent(c->Name());
      else
        WriteKind(skNil);
      break;
    case pkMethod: WriteIdent(std::get<String>(value)); break;
    case pkObject: break;
  }
}

void TWriter::WriteCollection(TCollection* Collection) {
  WriteKind(skCollection);
  for (Integer i = 0; i < Collection->Count(); ++i) {
    WriteKind(skList);
    WriteProperties(Collection->Items(i), {});
    WriteKind(skEnd);
  }
  WriteKind(skEnd);
}

void TWriter::WriteInteger(Int64 Value) {
  if (Value >= INT8_MIN && Value <= INT8_MAX) {
    WriteKind(skInt8);
    WriteLE(FStream, uint64_t(Value), 1);
  } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
    WriteKind(skInt16);
    WriteLE(FStream, uint64_t(Value), 2);
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteKind(skInt32);
    WriteLE(FStream, uint64_t(Value), 4);
  } else {
    WriteKind(skInt64);
    WriteLE(FStream, uint64_t(Value), 8);
  }
}

void TWriter::WriteFloat(Extended Value) {
  double d = static_cast<double>(Value);
  if (Extended(d) == Value || Value != Value) {
    WriteKind(skDouble);
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    WriteLE(FStream, bits, 8);
  } else {
    // The 80-bit x87 format: the first ten bytes of the long double.
    WriteKind(skExtended);
    unsigned char bytes[sizeof(Extended)] = {};
    std::memcpy(bytes, &Value, sizeof(Extended));
    FStream->WriteBuffer(bytes, 10);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteKind(Value ? skTrue : skFalse); }

void TWriter::WriteString(const String& Value) {
  WriteKind(skString);
  WriteLE(FStream, Value.size(), 4);
  if (!Value.empty()) FStream->WriteBuffer(Value.data(), Integer(Value.size()));
}

void TWriter::WriteWideString(const WideString& Value) {
  WriteKind(skWideString);
  WriteLE(FStream, Value.size(), 4);
  for (char16_t c : Value) WriteLE(FStream, c, 2);
}

void TWriter::WriteIdent(const String& Value) {
  WriteKind(skIdent);
  WriteName(Value);
}

void TWriter::WriteListBegin() { WriteKind(skList); }
void TWriter::WriteListEnd() { WriteKind(skEnd); }

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WriteName(FPrefix + Name);
  WriteData(this);
}

void TWriter::DefineBinaryProperty(const String& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream data;
  WriteData(&data);
  WriteName(FPrefix + Name);
  WriteKind(skBinary);
  WriteLE(FStream, uint64_t(data.Size()), 4);
  if (data.Size() > 0) FStream->WriteBuffer(data.Memory(), Integer(data.Size()));
}

// Reader --------------------------------------------------------------------------------------

TReader::~TReader() = default;

void TReader::Invalid() const { throw EReadError("Invalid stream format"); }

TStreamValueKind TReader::ReadKind() {
  Byte b = 0;
  FStream->ReadBuffer(&b, 1);
  if (b > skExtended) Invalid();
  return TStreamValueKind(b);
}

// Not checked here: the byte may also be the length of the next name (0 ends a list either way).
TStreamValueKind TReader::NextValue() {
  Byte b = 0;
  FStream->ReadBuffer(&b, 1);
  FStream->Seek(-1, soCurrent);
  return TStreamValueKind(b);
}

String TReader::ReadName() {
  Byte n = 0;
  FStream->ReadBuffer(&n, 1);
  String name(n, '\0');
  if (n) FStream->ReadBuffer(name.data(), n);
  return name;
}

TComponent* TReader::ReadRootComponent(TComponent* Owner) {
  char signature[sizeof ComponentStreamSignature] = {};
  if (FStream->Read(signature, sizeof signature) != Integer(sizeof signature) ||
      std::memcmp(signature, ComponentStreamSignature, sizeof signature) != 0)
    Invalid();
  FRoot = nullptr;
  FOwner = Owner;
  FFixups.clear();
  FMethodFixups.clear();
  try {
    ReadComponent(Owner, 0);
    ResolveFixups();
    FRoot->EndLoad();
  } catch (...) {
    // Everything the read made is owned by the root: one delete leaves nothing behind.
    delete FRoot;
    FRoot = nullptr;
    throw;
  }
  return FRoot;
}

// Parent is the component this one is a child of (for the root: its owner).
TComponent* TReader::ReadComponent(TComponent* Parent, int Depth) {
  if (Depth > MaxNesting) Invalid();
  String className = ReadName();
  String name = ReadName();
  if (className.empty()) Invalid();
  TPersistentClass info = FindClass(className);
  TPersistent* made = info->Create(FRoot ? FRoot : Parent);
  auto* component = dynamic_cast<TComponent*>(made);
  if (!component) {
    delete made;
    throw EReadError(Format("Class %s is not a component", className));
  }
  const bool isRoot = !FRoot;
  if (isRoot) {
    FRoot = component;
    component->BeginLoad();
  }
  // A name that is no identifier, or one already taken, is a fault of the stream like any other.
  try {
    if (!name.empty()) component->SetName(name);
    if (!isRoot) component->SetParentComponent(Parent);
  } catch (const EComponentError& e) {
    throw EReadError(e.Message());
  }
  while (NextValue() != skEnd) {
    String path = ReadName();
    try {
      ReadProperty(component, path);
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      throw EReadError(Format("Error reading %s.%s: %s", name.empty() ? className : name, path, e.Message()));
    }
  }
  ReadKind();
  while (NextValue() != skEnd) ReadComponent(component, Depth + 1);
  ReadKind();
  return component;
}

void TReader::ReadProperty(TPersistent* Instance, const String& Path) {
  if (Path.empty()) Invalid();
  size_t dot = Path.find('.');
  String head = Path.substr(0, dot);
  const TPropInfo* prop = GetPropInfo(Instance, head);
  if (prop && prop->Kind == pkObject && dot != String::npos) {
    TPersistent* object = prop->GetObject(Instance);
    if (!object) Invalid();
    ReadProperty(object, Path.substr(dot + 1));
    return;
  }
  if (prop && dot == String::npos) {
    ReadPropValue(Instance, *prop, 0);
    return;
  }
  FPropName = Path;
  FPropRead = false;
  Instance->DefineProperties(this);
  if (!FPropRead) throw EReadError(Format("Property %s does not exist", Path));
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo& Prop, int Depth) {
  switch (Prop.Kind) {
    case pkInteger: Prop.Set(Instance, ReadInteger()); return;
    case pkBoolean: Prop.Set(Instance, Int64(ReadBoolean())); return;
    case pkFloat: Prop.Set(Instance, ReadFloat()); return;
    case pkString: Prop.Set(Instance, ReadString()); return;
    case pkWideString: Prop.Set(Instance, ReadWideString()); return;
    case pkEnumeration: {
      Int64 value = -1;
      if (NextValue() == skIdent) {
        String ident = ReadIdent();
        for (size_t i = 0; i < Prop.EnumNames.size(); ++i)
          if (AnsiSameText(Prop.EnumNames[i], ident)) value = Int64(i);
      } else {
        value = ReadInteger();
      }
      // Only the declared values: any other number is no value of the enumeration.
      if (value < 0 || value >= Int64(Prop.EnumNames.size())) throw EReadError("Invalid property value");
      Prop.Set(Instance, value);
      return;
    }
    case pkComponent:
      if (NextValue() == skNil) {
        ReadKind();
        Prop.Set(Instance, static_cast<TComponent*>(nullptr));
      } else {
        FFixups.push_back({Instance, &Prop, ReadIdent()});
      }
      return;
    case pkMethod:
      if (NextValue() == skNil) {
        ReadKind();
        Prop.SetMethod(Instance, nullptr);
      } else {
        FMethodFixups.push_back({Instance, &Prop, ReadIdent()});
      }
      return;
    case pkObject: {
      auto* collection = dynamic_cast<TCollection*>(Prop.GetObject(Instance));
      if (!collection) throw EReadError("Invalid property value");
      ReadCollection(collection, Depth + 1);
      return;
    }
  }
}

void TReader::ReadCollection(TCollection* Collection, int Depth) {
  if (Depth > MaxNesting || ReadKind() != skCollection) Invalid();
  Collection->BeginUpdate();
  try {
    Collection->Clear();
    while (NextValue() != skEnd) {
      if (ReadKind() != skList) Invalid();
      TCollectionItem* item = Collection->Add();
      while (NextValue() != skEnd) ReadProperty(item, ReadName());
      ReadKind();
    }
    ReadKind();
  } catch (...) {
    Collection->EndUpdate();
    throw;
  }
  Collection->EndUpdate();
}

void TReader::ResolveFixups() {
  for (const TFixup& f : FFixups) {
    TComponent* target = AnsiSameText(FRoot->Name(), f.Name) && !f.Name.empty() ? FRoot : FRoot->FindComponent(f.Name);
    // A component read into an owner may link to the owner's others (a toolbar to its form's
    // actions and image lists).
    if (!target && FOwner && !f.Name.empty()) target = FOwner->FindComponent(f.Name);
    if (!target) throw EReadError(Format("Unresolved link to component %s", f.Name));
    f.Prop->Set(f.Instance, target);
  }
  FFixups.clear();
  // Handlers are the root's (a form read whole) or, for a component read into a form, the form's.
  for (const TFixup& f : FMethodFixups) {
    TNotifyEvent handler = MethodAddress(FRoot, f.Name);
    if (!handler && FOwner) handler = MethodAddress(FOwner, f.Name);
    if (!handler) throw EReadError(Format("Method %s not found", f.Name));
    f.Prop->SetMethod(f.Instance, handler);
  }
  FMethodFixups.clear();
}

Int64 TReader::ReadInteger() {
  switch (ReadKind()) {
    case skInt8: return Int64(int8_t(ReadLE(FStream, 1)));
    case skInt16: return Int64(int16_t(ReadLE(FStream, 2)));
    case skInt32: return Int64(int32_t(ReadLE(FStream, 4)));
    case skInt64: return Int64(ReadLE(FStream, 8));
    default: throw EReadError("Invalid property value");
  }
}

Extended TReader::ReadFloat() {
  switch (NextValue()) {
    case skDouble: {
      ReadKind();
      uint64_t bits = ReadLE(FStream, 8);
      double d;
      std::memcpy(&d, &bits, 8);
      return d;
    }
    case skExtended: {
      ReadKind();
      unsigned char bytes[sizeof(Extended)] = {};
      FStream->ReadBuffer(bytes, 10);
      Extended value;
      std::memcpy(&value, bytes, sizeof(Extended));
      return value;
    }
    default: return Extended(ReadInteger());
  }
}

bool TReader::ReadBoolean() {
  switch (ReadKind()) {
    case skTrue: return true;
    case skFalse: return false;
    default: throw EReadError("Invalid property value");
  }
}

String TReader::ReadString() {
  TStreamValueKind kind = ReadKind();
  if (kind == skWideString) {
    FStream->Seek(-1, soCurrent);
    return win::WideToUtf8(ReadWideString());
  }
  if (kind != skString) throw EReadError("Invalid property value");
  uint64_t size = ReadLE(FStream, 4);
  if (Int64(size) > FStream->Size() - FStream->Position()) Invalid();
  String value(size, '\0');
  if (size) FStream->ReadBuffer(value.data(), Integer(size));
  return value;
}

WideString TReader::ReadWideString() {
  TStreamValueKind kind = ReadKind();
  if (kind == skString) {
    FStream->Seek(-1, soCurrent);
    return win::Utf8ToWide(ReadString());
  }
  if (kind != skWideString) throw EReadError("Invalid property value");
  uint64_t count = ReadLE(FStream, 4);
  if (Int64(count) * 2 > FStream->Size() - FStream->Position()) Invalid();
  WideString value(count, u'\0');
  for (auto& c : value) c = char16_t(ReadLE(FStream, 2));
  return value;
}

String TReader::ReadIdent() {
  if (ReadKind() != skIdent) throw EReadError("Invalid property value");
  String ident = ReadName();
  if (ident.empty()) Invalid();
  return ident;
}

void TReader::ReadListBegin() {
  if (ReadKind() != skList) throw EReadError("Invalid property value");
}
bool TReader::EndOfList() { return NextValue() == skEnd; }
void TReader::ReadListEnd() {
  if (ReadKind() != skEnd) Invalid();
}

void TReader::SkipValue() {
  if (++FDepth > MaxNesting) Invalid();
  switch (NextValue()) {
    case skEnd: Invalid();
    case skList:
      ReadKind();
      while (!EndOfList()) SkipValue();
      ReadKind();
      break;
    case skCollection:
      ReadKind();
      while (NextValue() != skEnd) {
        if (ReadKind() != skList) Invalid();
        while (NextValue() != skEnd) {
          ReadName();
          SkipValue();
        }
        ReadKind();
      }
      ReadKind();
      break;
    case skInt8: case skInt16: case skInt32: case skInt64: ReadInteger(); break;
    case skDouble: case skExtended: ReadFloat(); break;
    case skString: ReadString(); break;
    case skWideString: ReadWideString(); break;
    case skIdent: ReadIdent(); break;
    case skFalse: case skTrue: case skNil: ReadKind(); break;
    case skBinary: {
      ReadKind();
      uint64_t size = ReadLE(FStream, 4);
      if (Int64(size) > FStream->Size() - FStream->Position()) Invalid();
      FStream->Seek(Int64(size), soCurrent);
      break;
    }
    default: Invalid();
  }
  --FDepth;
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  if (FPropRead || !ReadData || !AnsiSameText(Name, FPropName)) return;
  FPropRead = true;
  ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc&, bool) {
  if (FPropRead || !ReadData || !AnsiSameText(Name, FPropName)) return;
  FPropRead = true;
  if (ReadKind() != skBinary) throw EReadError("Invalid property value");
  uint64_t size = ReadLE(FStream, 4);
  if (Int64(size) > FStream->Size() - FStream->Position()) Invalid();
  TMemoryStream data;
  if (size) data.CopyFrom(FStream, Int64(size));  // a count of 0 would copy the whole stream
  data.SetPosition(0);
  ReadData(&data);
}

// Stream entry points -------------------------------------------------------------------------

void TStream::WriteComponent(TComponent* Instance) {
  TWriter writer(this);
  writer.WriteRootComponent(Instance);
}

TComponent* TStream::ReadComponent(TComponent* Owner) {
  TReader reader(this);
  return reader.ReadRootComponent(Owner);
}

}  // namespace fw
