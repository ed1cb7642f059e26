// Errors about files said to the user in Russian with the file's name and the system's reason:
// the framework's stream errors said again, files that cannot be written, read or opened.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>

#include "framework/Streams.h"
#include "framework/WholeFile.h"
#include "workspace/FileErrors.h"
#include "workspace/Graph.h"
#include "workspace/TextReader.h"
#include "workspace_fixture.h"

namespace {

using workspace::faRead;
using workspace::faWrite;

TEST(FileErrors, StreamErrorsAreSaidInRussianWithTheFileAndTheReason) {
  const struct {
    std::exception_ptr error;
    workspace::TFileAccess access;
    std::string said;
  } cases[] = {
      {std::make_exception_ptr(
           fw::EFCreateError("Cannot create file \"/d/a. b.ini\". " + fw::SysErrorMessage(EACCES))),
       faWrite, "Не удается записать файл \"/d/a. b.ini\": нет прав доступа"},
      {std::make_exception_ptr(fw::EWriteError(fw::WriteErrorMessage(ENOSPC))), faWrite,
       "Не удается записать файл \"/d/a.ini\": на диске нет места"},
      {std::make_exception_ptr(
           fw::EFOpenError("Cannot open file \"/d/a.ini\". " + fw::SysErrorMessage(ENOENT))),
       faRead, "Не удается прочитать файл \"/d/a.ini\": нет такого файла или папки"},
      {std::make_exception_ptr(fw::EWriteError("Stream write error")), faWrite,
       "Не удается записать файл \"/d/a.ini\""},
      {std::make_exception_ptr(fw::EFOpenError("Cannot open file \"/d/a.ini\". Odd reason")), faRead,
       "Не удается прочитать файл \"/d/a.ini\": Odd reason"},
      // A file past the size a reader takes (a settings file over 256 MiB), with its sizes.
      {std::make_exception_ptr(fw::EFOpenError("Cannot open file \"/d/a.ini\". " +
                                               std::string(fw::kFileTooLarge) +
                                               " (300000000 bytes, at most 268435456)")),
       faRead,
       "Не удается прочитать файл \"/d/a.ini\": файл слишком велик (300000000 байт, допустимо не более "
       "268435456)"},
      {std::make_exception_ptr(fw::EFOpenError("Cannot open file \"/d/a.ini\". " +
                                               std::string(fw::kFileTooLarge) +
                                               " (more than 268435456 bytes)")),
       faRead, "Не удается прочитать файл \"/d/a.ini\": файл слишком велик (более 268435456 байт)"},
  };
  for (const auto& c : cases) {
    try {
      std::rethrow_exception(c.error);
    } catch (const fw::EStreamError& e) {
      const std::string name = c.said.find("a. b") != std::string::npos ? "/d/a. b.ini" : "/d/a.ini";
      EXPECT_EQ(workspace::FileErrorMessage(e, name, c.access), c.said);
      // Raised again, of the same class.
      try {
        workspace::WithFileErrors(name, c.access, [&] { std::rethrow_exception(c.error); });
        ADD_FAILURE();
      } catch (const fw::EStreamError& again) {
        EXPECT_EQ(std::string(again.what()), c.said);
        EXPECT_EQ(typeid(again), typeid(e));
      }
    }
  }
}

// A stream error that is not about the file passes unchanged.
TEST(FileErrors, OtherStreamErrorsPassUnchanged) {
  try {
    workspace::WithFileErrors("/d/a.ini", faRead, [] { throw fw::EClassNotFound("Class TFoo not found"); });
    ADD_FAILURE();
  } catch (const fw::EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TFoo not found");
  }
}

// A file's failed write carries the system's reason up from the stream (a full disk here).
TEST(FileErrors, AFullDiskIsSaidAsSuch) {
  fw::TFileStream full("/dev/full", fw::fmOpenWrite);
  try {
    full.WriteBuffer("12345678", 8);
    ADD_FAILURE() << "written to a full disk";
  } catch (const fw::EWriteError& e) {
    EXPECT_EQ(workspace::FileErrorMessage(e, "/dev/full", faWrite),
              "Не удается записать файл \"/dev/full\": на диске нет места");
  }
}

class FileErrorsOnDisk : public wstest::WorkspaceTest {};

TEST_F(FileErrorsOnDisk, SavingAndOpeningNameTheFileAndTheReason) {
  workspace::TGraph* g = AddData({0, 1}, {1, 2});
  const std::string missing = dir + "/no/such/folder/out.txt";
  try {
    g->SaveAsText(missing);
    ADD_FAILURE();
  } catch (const fw::EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Не удается записать файл \"" + missing + "\": нет такого файла или папки");
  }
  // A pipe or a device where the file should be is not written over, and said so in Russian.
  const std::string pipe = dir + "/chart.txt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  try {
    g->SaveAsText(pipe);
    ADD_FAILURE();
  } catch (const fw::EFCreateError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удается записать файл \"" + pipe + "\": это не обычный файл");
  }
  try {
    workspace::ReadFileBytes(dir);
    ADD_FAILURE();
  } catch (const fw::EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удается открыть файл \"" + dir + "\": это папка, а не файл");
  }
}

// A file past the size the reader takes: the framework's reason, with its sizes, said in Russian.
TEST_F(FileErrorsOnDisk, AFileTooLargeToReadIsSaidInRussianWithItsSizes) {
  const std::string path = WriteFile("big.ini", std::string(10, 'x'));
  try {
    fw::ReadWholeFile(path, 5);
    ADD_FAILURE();
  } catch (const fw::EFOpenError& e) {
    EXPECT_EQ(
        workspace::FileErrorMessage(e, path, faRead),
        "Не удается прочитать файл \"" + path + "\": файл слишком велик (10 байт, допустимо не более 5)");
  }
}

}  // namespace
