#include <algorithm>

#include "controls/UniCodePages.h"
#include "controls/UniStrings.h"
#include "framework/Component.h"
#include "framework/Filer.h"
#include "framework/PropInfo.h"

namespace cs {

bool UtfStreamingAtRunTime = false;

// There is no form designer: a reader wants the UTF companions only when it has an owner and
// the run-time switch is on.
bool ReaderWantsUtfProperties(fw::TReader* Reader) { return Reader->Owner() != nullptr && UtfStreamingAtRunTime; }

namespace {

// Whether a text holds a character above 127, i.e. its UTF-8 form read back as ANSI differs.
bool NeedsUtf7(std::u16string_view S) {
  return std::any_of(S.begin(), S.end(), [](char16_t c) { return c > 127; });
}

// Runs Fill inside BeginUpdate/EndUpdate.
template <typename Fn>
void Updating(TUniStrings* List, Fn&& Fill) {
  List->BeginUpdate();
  try {
    Fill();
  } catch (...) {
    List->EndUpdate();
    throw;
  }
  List->EndUpdate();
}

}  // namespace

void TUniStrings::ReadList(fw::TReader* Reader) {
  switch (Reader->NextValue()) {
    case fw::skString: SetTextStr(Utf8ToWide(Reader->ReadString())); return;
    case fw::skWideString: SetTextStr(Reader->ReadWideString()); return;
    case fw::skList:
      Updating(this, [&] {
        Clear();
        Reader->ReadListBegin();
        while (!Reader->EndOfList()) Add(Reader->ReadWideString());
        Reader->ReadListEnd();
      });
      return;
    default: throw fw::EReadError("Invalid property value");
  }
}

void TUniStrings::ReadUtf7List(fw::TReader* Reader) {
  if (!ReaderWantsUtfProperties(Reader)) {
    Reader->SkipValue();
    return;
  }
  Updating(this, [&] {
    Clear();
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) Add(Utf7ToWide(Reader->ReadString()));
    Reader->ReadListEnd();
  });
}

void TUniStrings::ReadUtf8List(fw::TReader* Reader) {
  if (!ReaderWantsUtfProperties(Reader) && GetCount() > 0) {
    Reader->SkipValue();
    return;
  }
  Updating(this, [&] {
    Clear();
    Reader->ReadListBegin();
    while (!Reader->EndOfList()) Add(Utf8ToWide(Reader->ReadString()));
    Reader->ReadListEnd();
  });
}

bool TUniStrings::DiffersFromAncestor(fw::TFiler* Filer) const {
  fw::TPersistent* ancestor = Filer->Ancestor();
  if (ancestor == nullptr) return GetCount() > 0;
  const auto* other = dynamic_cast<const TUniStrings*>(ancestor);
  if (other == nullptr) return true;
  if (other->GetCount() != GetCount()) return true;
  for (int i = 0; i < GetCount(); ++i)
    if (other->Get(i) != Get(i)) return true;
  return false;
}

void TUniStrings::DefineProperties(fw::TFiler* Filer) {
  fw::TPersistent::DefineProperties(Filer);
  const bool differs = DiffersFromAncestor(Filer);
  bool needsUtf7 = false;
  if (differs)
    for (int i = 0; i < GetCount() && !needsUtf7; ++i) needsUtf7 = NeedsUtf7(Get(i));
  Filer->DefineProperty("Strings", [this](fw::TReader* R) { ReadList(R); }, nullptr, false);
  Filer->DefineProperty(
      "WideStrings", [this](fw::TReader* R) { ReadList(R); },
      [this](fw::TWriter* W) {
        W->WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) W->WriteWideString(Get(i));
        W->WriteListEnd();
      },
      differs);
  Filer->DefineProperty("WideStringsW", [this](fw::TReader* R) { ReadUtf8List(R); }, nullptr, false);
  Filer->DefineProperty(
      "WideStrings_UTF7", [this](fw::TReader* R) { ReadUtf7List(R); },
      [this](fw::TWriter* W) {
        W->WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) W->WriteString(WideToUtf7(Get(i)));
        W->WriteListEnd();
      },
      needsUtf7);
}

namespace {

void DefineWideStringCompanions(fw::TFiler* Filer, fw::TPersistent* Instance, const fw::TPropInfo* Prop) {
  Filer->DefineProperty(
      Prop->Name + "W",
      [Instance, Prop](fw::TReader* R) {
        if (ReaderWantsUtfProperties(R)) Prop->Set(Instance, Utf8ToWide(R->ReadString()));
        else R->SkipValue();
      },
      nullptr, false);
  bool hasData = false;
  if (dynamic_cast<fw::TWriter*>(Filer) && Prop->ShouldStore(Instance)) {
    const WideString value = std::get<WideString>(Prop->Get(Instance));
    hasData = !value.empty() && NeedsUtf7(value);
  }
  Filer->DefineProperty(
      Prop->Name + "_UTF7",
      [Instance, Prop](fw::TReader* R) {
        if (ReaderWantsUtfProperties(R)) Prop->Set(Instance, Utf7ToWide(R->ReadString()));
        else R->SkipValue();
      },
      [Instance, Prop](fw::TWriter* W) { W->WriteString(WideToUtf7(std::get<WideString>(Prop->Get(Instance)))); },
      hasData);
}

void DefineWideCharCompanions(fw::TFiler* Filer, fw::TPersistent* Instance, const fw::TPropInfo* Prop) {
  bool hasData = false;
  if (dynamic_cast<fw::TWriter*>(Filer)) {
    const fw::TPropValue value = Prop->Get(Instance);
    hasData = (!Prop->IsStored || Prop->IsStored(Instance)) && (!Prop->DefaultValue || value != *Prop->DefaultValue);
  }
  Filer->DefineProperty(
      Prop->Name + "W",
      [Instance, Prop](fw::TReader* R) {
        const fw::TStreamValueKind kind = R->NextValue();
        if (kind != fw::skString && kind != fw::skWideString) throw fw::EReadError("Invalid property value");
        const WideString text = R->ReadWideString();
        if (text.size() > 1) throw fw::EReadError("Invalid property value");
        // An empty text is the character U+0000.
        Prop->Set(Instance, fw::Int64(text.empty() ? 0 : text[0]));
      },
      [Instance, Prop](fw::TWriter* W) {
        W->WriteWideString(WideString(1, char16_t(std::get<fw::Int64>(Prop->Get(Instance)))));
      },
      hasData);
  Filer->DefineProperty(
      Prop->Name + "_UTF7",
      [Instance, Prop](fw::TReader* R) {
        if (!ReaderWantsUtfProperties(R)) {
          R->SkipValue();
          return;
        }
        const WideString text = Utf7ToWide(R->ReadString());
        Prop->Set(Instance, fw::Int64(text.empty() ? 0 : text[0]));
      },
      nullptr, false);
}

}  // namespace

void DefineWideStreamProperties(fw::TFiler* Filer, fw::TPersistent* Instance) {
  for (const fw::TPropInfo* prop : fw::GetPropList(Instance)) {
    if (prop->Kind == fw::pkWideString) DefineWideStringCompanions(Filer, Instance, prop);
    else if (prop->Kind == fw::pkInteger && prop->IsWideChar) DefineWideCharCompanions(Filer, Instance, prop);
  }
}

}  // namespace cs
