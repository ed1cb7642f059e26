#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/Resources.h"
#include "stream_TempFolder.h"

namespace fw {
namespace {

TEST(StreamMemory, ReadWriteSeekSize) {
  TMemoryStream m;
  const char data[] = "0123456789";
  m.WriteBuffer(data, 10);
  EXPECT_EQ(m.Size(), 10);
  EXPECT_EQ(m.Position(), 10);
  EXPECT_EQ(m.Seek(-4, soFromEnd), 6);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 4);  // only what is left
  EXPECT_STREQ(buf, "6789");
  EXPECT_EQ(m.Seek(2, soFromBeginning), 2);
  EXPECT_EQ(m.Seek(3, soFromCurrent), 5);
  EXPECT_EQ(m.Seek(-1, soFromBeginning), -1);
  m.SetPosition(8);
  m.WriteBuffer("AB", 2);
  m.WriteBuffer("CD", 2);  // writing past the end extends
  EXPECT_EQ(m.Size(), 12);
  EXPECT_EQ(std::string(static_cast<const char*>(m.Memory()), 12), "01234567ABCD");
  m.SetSize(3);
  EXPECT_EQ(m.Position(), 3);
  m.SetPosition(0);
  EXPECT_THROW(m.ReadBuffer(buf, 4), EReadError);
  try {
    m.SetPosition(0);
    m.ReadBuffer(buf, 5);
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Position(), 0);
}

TEST(StreamMemory, CopyFromWholeAndPart) {
  TStringStream src("abcdef");
  TMemoryStream dst;
  src.SetPosition(4);
  EXPECT_EQ(dst.CopyFrom(&src, 0), 6);  // 0 copies all from the start
  src.SetPosition(1);
  EXPECT_EQ(dst.CopyFrom(&src, 2), 2);
  EXPECT_EQ(std::string(static_cast<const char*>(dst.Memory()), std::size_t(dst.Size())), "abcdefbc");
  src.SetPosition(5);
  EXPECT_THROW(dst.CopyFrom(&src, 3), EReadError);
}

TEST(StreamString, DataStringFollowsWrites) {
  TStringStream s("hello");
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(s.ReadString(2), "he");
  s.WriteString("LLO!");
  EXPECT_EQ(s.DataString(), "heLLO!");
  s.SetPosition(4);
  EXPECT_EQ(s.ReadString(10), "O!");
}

TEST(StreamFile, CreateWriteReopenRead) {
  kvtest::TempFolder dir;
  std::string name = dir.File("данные.bin");
  {
    TFileStream f(name, fmCreate);
    f.WriteBuffer("abc", 3);
    EXPECT_EQ(f.Size(), 3);
  }
  EXPECT_EQ(kvtest::ReadBytes(name), "abc");
  {
    TFileStream f(name, fmOpenReadWrite);
    f.Seek(0, soFromEnd);
    f.WriteBuffer("de", 2);
    f.SetSize(4);
    EXPECT_EQ(f.Position(), 4);
  }
  EXPECT_EQ(kvtest::ReadBytes(name), "abcd");
  TFileStream r(name, fmOpenRead | fmShareDenyNone);
  EXPECT_THROW(r.WriteBuffer("x", 1), EWriteError);
  TMemoryStream m;
  m.LoadFromFile(name);
  EXPECT_EQ(m.Size(), 4);
}

TEST(StreamFile, MissingFilesGiveTheOpenAndCreateMessages) {
  kvtest::TempFolder dir;
  std::string missing = dir.File("none.txt");
  try {
    TFileStream f(missing, fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + missing + "\". " + SysErrorMessage(ENOENT));
  }
  std::string inMissingDir = dir.File("no/such/file.txt");
  try {
    TFileStream f(inMissingDir, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot create file \"" + inMissingDir + "\". ", 0), 0u);
  }
  EXPECT_THROW(TFileStream(dir.Path(), fmOpenRead), EFOpenError);  // a folder is not a file
}

TEST(StreamFile, ShareModesAreHonouredWithinTheProcess) {
  kvtest::TempFolder dir;
  std::string name = dir.File("shared.txt");
  kvtest::WriteBytes(name, "keep me");
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_NO_THROW(TFileStream(name, fmOpenRead | fmShareDenyWrite));  // readers share
    EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
    try {
      TFileStream f(name, fmCreate);
      FAIL();
    } catch (const EFCreateError& e) {
      EXPECT_NE(e.Message().find("being used by another process"), std::string::npos);
    }
    EXPECT_EQ(kvtest::ReadBytes(name), "keep me");  // a refused create does not empty the file
  }
  {
    TFileStream exclusive(name, fmOpenReadWrite | fmShareExclusive);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  }
  {
    TFileStream writer(name, fmOpenWrite | fmShareDenyRead);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
    EXPECT_NO_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone));
  }
  {
    TFileStream compat(name, fmOpenRead);  // compatible mode shares nothing
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  }
  EXPECT_NO_THROW(TFileStream(name, fmOpenReadWrite));  // every stream closed: free again
}

TEST(StreamResource, ReadsABundleEntryAndRefusesWrites) {
  win::resources::Register(win::RT_RCDATA, u"KVFWTESTDATA", "resource bytes", 14);
  TResourceStream r(nullptr, u"kvfwtestdata", win::RT_RCDATA);
  EXPECT_EQ(r.Size(), 14);
  EXPECT_EQ(r.ReadRemaining(), "resource bytes");
  EXPECT_THROW(r.Write("x", 1), EStreamError);
  try {
    TResourceStream missing(nullptr, u"NOSUCHRES", win::RT_RCDATA);
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource NOSUCHRES not found");
  }
}

}  // namespace
}  // namespace fw
