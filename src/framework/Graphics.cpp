#include "framework/Graphics.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include "framework/Streams.h"

namespace fw {

void TGraphic::SetSize(Integer AWidth, Integer AHeight) {
  SetWidth(AWidth);
  SetHeight(AHeight);
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed(this);
}

void TGraphic::SetModified(bool Value) {
  if (Value) {
    Changed(this);
  } else {
    FModified = false;
  }
}

void TGraphic::Changed(TObject*) {
  FModified = true;
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const String& FileName) {
  // Written beside the target and renamed over it, so a failure keeps the old file whole.
  const String temp = FileName + ".part";
  try {
    TFileStream stream(temp, fmCreate);
    SaveToStream(&stream);
  } catch (const EFCreateError& e) {
    throw EFCreateError(StringReplace(e.Message(), temp, FileName, {rfReplaceAll}));
  } catch (...) {
    ::unlink(temp.c_str());
    throw;
  }
  if (std::rename(temp.c_str(), FileName.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(error));
  }
}

}  // namespace fw
