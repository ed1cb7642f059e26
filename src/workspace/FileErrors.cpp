#include "workspace/FileErrors.h"

#include <cerrno>
#include <cstdio>
#include <string_view>

#include "framework/TextFileEncoding.h"

namespace workspace {

namespace {

struct TReason {
  int Error;
  const char* Text;
};

constexpr TReason kReasons[] = {
    {EACCES, "нет прав доступа"},
    {EPERM, "операция не разрешена"},
    {ENOENT, "нет такого файла или папки"},
    {ENOTDIR, "часть пути не является папкой"},
    {EISDIR, "это папка, а не файл"},
    {ENOSPC, "на диске нет места"},
    {EDQUOT, "превышена дисковая квота"},
    {EROFS, "диск доступен только для чтения"},
    {ENAMETOOLONG, "слишком длинное имя файла"},
    {EIO, "ошибка ввода-вывода"},
    {EFBIG, "файл слишком велик"},
    {EBUSY, "файл занят"},
    {ETXTBSY, "файл занят"},
    {ELOOP, "слишком много символических ссылок"},
    {EMFILE, "открыто слишком много файлов"},
    {ENFILE, "открыто слишком много файлов"},
    {EEXIST, "файл уже существует"},
};

// The Russian text of a reason about a file past a reader's size, with the sizes it names.
String TooLargeReason(std::string_view Sizes) {
  const std::string sizes(Sizes);
  long long size = 0, most = 0;
  if (std::sscanf(sizes.c_str(), " (%lld bytes, at most %lld)", &size, &most) == 2)
    return fw::Format("файл слишком велик (%d байт, допустимо не более %d)", fw::Int64(size),
                      fw::Int64(most));
  if (std::sscanf(sizes.c_str(), " (more than %lld bytes)", &most) == 1)
    return fw::Format("файл слишком велик (более %d байт)", fw::Int64(most));
  return "файл слишком велик";
}

// The Russian text of the system's reason Text (as the system words it), or Text itself.
String RussianReason(std::string_view Text) {
  for (const TReason& r : kReasons)
    if (fw::SysErrorMessage(r.Error) == Text) return r.Text;
  if (Text == fw::kNotARegularFile) return kNotARegularFileReason;
  if (Text == fw::kDamagedUtf16Text) return kDamagedUtf16Reason;
  if (Text.starts_with(fw::kFileTooLarge))
    return TooLargeReason(Text.substr(std::string_view(fw::kFileTooLarge).size()));
  return String(Text);
}

// The reason a framework stream error names: what follows "Stream write error. " or, in
// "Cannot create file "<name>". <reason>", the last quote, dot and blank.
std::string_view ReasonIn(std::string_view Message) {
  constexpr std::string_view kWrite = "Stream write error. ";
  if (Message.substr(0, kWrite.size()) == kWrite) return Message.substr(kWrite.size());
  const auto end = Message.rfind("\". ");
  return end == std::string_view::npos ? std::string_view() : Message.substr(end + 3);
}

}  // namespace

String SystemReasonText(int Error) {
  for (const TReason& r : kReasons)
    if (r.Error == Error) return r.Text;
  return fw::SysErrorMessage(Error);
}

String FileErrorMessage(const std::exception& E, const String& FileName, TFileAccess Access) {
  const std::string_view reason = ReasonIn(E.what());
  const String doing = Access == faWrite ? "записать" : "прочитать";
  if (reason.empty()) return fw::Format("Не удается %s файл \"%s\"", doing, FileName);
  return fw::Format("Не удается %s файл \"%s\": %s", doing, FileName, RussianReason(reason));
}

void RaiseFileError(const fw::EStreamError& E, const String& FileName, TFileAccess Access) {
  const String text = FileErrorMessage(E, FileName, Access);
  if (dynamic_cast<const fw::EFCreateError*>(&E)) throw fw::EFCreateError(text);
  if (dynamic_cast<const fw::EFOpenError*>(&E)) throw fw::EFOpenError(text);
  if (dynamic_cast<const fw::EWriteError*>(&E)) throw fw::EWriteError(text);
  if (dynamic_cast<const fw::EReadError*>(&E)) throw fw::EReadError(text);
  throw;  // not about the file itself (a class not found in a stream): as it was
}

}  // namespace workspace
