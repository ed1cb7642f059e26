// GIF file structure: exact bytes of small images, colour tables, extensions, the version rule,
// and reading of damaged or unusual streams (errors versus warnings).

#include <gtest/gtest.h>

#include "export/GIFImageException.h"
#include "gif_test_support.h"

using namespace kvexport;
using namespace giftest;

namespace {

// A frame of Width x Height with the colours given (0xRRGGBB) as its local map.
TGIFSubImage* AddFrame(TGIFImage& Image, int Width, int Height, const std::vector<std::uint32_t>& Colors) {
  auto frame = std::make_unique<TGIFSubImage>(&Image);
  frame->SetWidth(Width);
  frame->SetHeight(Height);
  for (std::uint32_t c : Colors)
    frame->ColorMap().Add(static_cast<fw::TColor>((c >> 16) | (c & 0xFF00) | (c & 0xFF) << 16));
  TGIFSubImage* raw = frame.get();
  Image.Add(frame.release());
  return raw;
}

// The parts one after the other (built in place: inserting into a short vector trips a false
// array-bounds warning of the optimiser).
Bytes Concat(std::initializer_list<Bytes> Parts) {
  std::size_t n = 0;
  for (const Bytes& p : Parts) n += p.size();
  Bytes out(n);
  std::size_t pos = 0;
  for (const Bytes& p : Parts) {
    std::copy(p.begin(), p.end(), out.begin() + static_cast<std::ptrdiff_t>(pos));
    pos += p.size();
  }
  return out;
}

Bytes Slice(const Bytes& B, std::size_t From, std::size_t To) {
  return Bytes(B.begin() + static_cast<std::ptrdiff_t>(From), B.begin() + static_cast<std::ptrdiff_t>(To));
}

std::string Message(const std::function<void()>& F) {
  try {
    F();
  } catch (const GIFException& e) {
    return e.Message();
  }
  return "(no exception)";
}

}  // namespace

TEST(GifFile, OnePixelImageIsWrittenByteForByte) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 1, 1, {0x000000, 0xFFFFFF});
  frame->SetPixels(0, 0, 1);
  const Bytes expected = {0x47, 0x49, 0x46, 0x38, 0x37, 0x61, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00,
                          0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                          0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x02, 0x02, 0x4C, 0x01, 0x00, 0x3B};
  EXPECT_EQ(Save(image), expected);
}

TEST(GifFile, ColorTablesArePaddedToAPowerOfTwo) {
  TGIFImage image;
  AddFrame(image, 2, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F});
  const Bytes b = Save(image);
  // Descriptor flags: local table, size field 2 (8 entries).
  EXPECT_EQ(b[13 + 9], 0x82);
  const Bytes table(b.begin() + 23, b.begin() + 23 + 24);
  const Bytes expectedTable = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(table, expectedTable);
  EXPECT_EQ(b[23 + 24], 3);  // minimum code size of an 8-entry table

  TGIFImage single;
  AddFrame(single, 1, 1, {0xFFFFFF});
  const Bytes s = Save(single);
  EXPECT_EQ(s[13 + 9], 0x80);
  EXPECT_EQ(Bytes(s.begin() + 23, s.begin() + 29), (Bytes{255, 255, 255, 0, 0, 0}));
}

TEST(GifFile, ScreenHeaderAnnouncesTheGlobalTableAsWritten) {
  // A 2-colour global table next to a 16-colour local one: the size field must describe the
  // global table, or every reader takes frame data for colours.
  TGIFImage image;
  image.Header().ColorMap().Add(fw::clBlack);
  image.Header().ColorMap().Add(fw::clWhite);
  std::vector<std::uint32_t> sixteen;
  for (std::uint32_t i = 0; i < 16; ++i) sixteen.push_back(i * 0x101010);
  AddFrame(image, 4, 4, sixteen);
  const Bytes b = Save(image);
  EXPECT_EQ(b[10] & 0x87, 0x80);
  TempDir dir;
  WriteFile(dir.File("g.gif"), b);
  EXPECT_EQ(Python("import sys\nfrom PIL import Image\nim=Image.open(sys.argv[1]); im.load(); print(im.size)\n",
                   dir.File("g.gif")),
            "(4, 4)\n");

  TGIFImage back;
  Load(back, b);
  EXPECT_EQ(back.Header().ColorMap().Count(), 2);
  EXPECT_EQ(back.Images()[0]->ColorMap().Count(), 16);
}

TEST(GifFile, VersionFollowsFramesAndExtensions) {
  TGIFImage empty;
  EXPECT_EQ(Message([&] { Save(empty); }), "Unsupported GIF version");

  TGIFImage plain;
  AddFrame(plain, 2, 1, {0, 0xFFFFFF});
  const Bytes p = Save(plain);
  EXPECT_EQ(std::string(p.begin(), p.begin() + 6), "GIF87a");

  TGIFImage controlled;
  TGIFSubImage* frame = AddFrame(controlled, 2, 1, {0, 0xFFFFFF});
  frame->Extensions().Add(std::make_unique<TGIFGraphicControlExtension>(frame));
  const Bytes c = Save(controlled);
  EXPECT_EQ(std::string(c.begin(), c.begin() + 6), "GIF89a");

  TGIFImage sorted;
  AddFrame(sorted, 2, 1, {0, 0xFFFFFF})->ColorMap().SetSorted(true);
  const Bytes b = Save(sorted);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 6), "GIF89a");
  EXPECT_EQ(b[13 + 9], 0x80 | 0x20);
}

TEST(GifFile, CommentStringsAreCutIntoSubBlocks) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 1, 1, {0, 0xFFFFFF});
  auto comment = std::make_unique<TGIFCommentExtension>(frame);
  // The empty string has no sub-block of its own: a zero length would end the comment.
  comment->Text = {std::string(300, 'c'), "", "end"};
  frame->Extensions().Add(std::move(comment));
  const Bytes b = Save(image);
  ASSERT_EQ(b[13], 0x21);
  EXPECT_EQ(b[14], 0xFE);
  EXPECT_EQ(b[15], 255);
  EXPECT_EQ(b[15 + 256], 45);
  EXPECT_EQ(b[15 + 256 + 46], 3);
  EXPECT_EQ(b[15 + 256 + 46 + 4], 0);

  TGIFImage back;
  Load(back, b);
  auto* read = dynamic_cast<TGIFCommentExtension*>(back.Images()[0]->Extensions()[0]);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Text, (std::vector<std::string>{std::string(255, 'c'), std::string(45, 'c'), "end"}));

  TempDir dir;
  WriteFile(dir.File("c.gif"), b);
  EXPECT_EQ(Python("import sys\nfrom PIL import Image\nim=Image.open(sys.argv[1]); print(len(im.info['comment']))\n",
                   dir.File("c.gif")),
            "303\n");
}

TEST(GifFile, LoopBlockBytesAndItsDamagedForm) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 1, 1, {0, 0xFFFFFF});
  auto loop = std::make_unique<TGIFAppExtNSLoop>(frame);
  loop->Loops = 0x0203;
  frame->Extensions().Add(std::move(loop));
  const Bytes b = Save(image);
  const Bytes expected = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01, 0x03, 0x02, 0x00};
  EXPECT_EQ(Bytes(b.begin() + 13, b.begin() + 13 + 19), expected);

  TGIFImage back;
  Load(back, b);
  auto* read = dynamic_cast<TGIFAppExtNSLoop*>(back.Images()[0]->Extensions()[0]);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Loops, 0x0203);

  // A buffer size comes as a second sub-block and survives the round trip.
  read->BufferSize = 0x01020304;
  TGIFImage again;
  Load(again, Save(back));
  EXPECT_EQ(dynamic_cast<TGIFAppExtNSLoop*>(again.Images()[0]->Extensions()[0])->BufferSize, 0x01020304u);

  Bytes damaged = b;
  damaged[13 + 14] = 2;  // loop sub-block of length 2: id and one byte
  damaged.erase(damaged.begin() + 13 + 17);
  TGIFImage bad;
  EXPECT_EQ(Message([&] { Load(bad, damaged); }), "Invalid GIF data");
}

TEST(GifFile, UnknownApplicationBlocksAreKept) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 1, 1, {0, 0xFFFFFF});
  auto app = std::make_unique<TGIFUnknownAppExtension>(frame);
  app->SetIdentifier("KORVALIN", "1.0");
  app->Blocks = {TGIFBlock{{1, 2, 3}}, TGIFBlock{Bytes(255, 7)}};
  frame->Extensions().Add(std::move(app));
  TGIFImage back;
  Load(back, Save(image));
  auto* read = dynamic_cast<TGIFUnknownAppExtension*>(back.Images()[0]->Extensions()[0]);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Identifier(), "KORVALIN");
  EXPECT_EQ(read->Authentication(), "1.0");
  ASSERT_EQ(read->Blocks.size(), 2u);
  EXPECT_EQ(read->Blocks[1].Data, Bytes(255, 7));
}

TEST(GifFile, SignatureMayFollowFourBytesButNotFive) {
  TGIFImage image;
  AddFrame(image, 1, 1, {0, 0xFFFFFF})->SetPixels(0, 0, 1);
  const Bytes b = Save(image);
  const Bytes four = Concat({Bytes(4, 'x'), b});
  TGIFImage a;
  Load(a, four);
  EXPECT_EQ(a.Images()[0]->Pixels(0, 0), 1);
  const Bytes five = Concat({Bytes(5, 'x'), b});
  TGIFImage c;
  EXPECT_EQ(Message([&] { Load(c, five); }), "Invalid GIF signature");
}

TEST(GifFile, TrailerAndBlockWarnings) {
  TGIFImage image;
  AddFrame(image, 1, 1, {0, 0xFFFFFF});
  Bytes b = Save(image);
  std::vector<std::string> warnings;
  Bytes missing(b.begin(), b.end() - 1);
  TGIFImage a;
  Load(a, missing, &warnings);
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(a.Images().Count(), 1);

  Bytes other = b;
  other.back() = 0x3A;
  TGIFImage c;
  Load(c, other, &warnings);
  EXPECT_EQ(warnings, (std::vector<std::string>{"Unknown GIF block type", "Invalid Image trailer"}));
}

TEST(GifFile, TruncatedDataWarnsButTruncatedHeadersFail) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 40, 40, {0, 0xFFFFFF, 0xFF0000, 0x00FF00});
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) frame->SetPixels(x, y, static_cast<std::uint8_t>((x * 7 + y * 3) % 4));
  const Bytes b = Save(image);

  // Cut inside the image data: the frame loads with warnings, its first pixels intact.
  std::vector<std::string> warnings;
  TGIFImage cut;
  Load(cut, Bytes(b.begin(), b.begin() + 60), &warnings);
  ASSERT_EQ(cut.Images().Count(), 1);
  EXPECT_FALSE(warnings.empty());
  EXPECT_EQ(cut.Images()[0]->Pixels(1, 0), 7 % 4);

  // Cut inside the screen descriptor: an error, and the stream is back where the GIF began.
  fw::TMemoryStream stream;
  const Bytes head = {'x', 'x'};
  stream.WriteBuffer(head.data(), 2);
  stream.WriteBuffer(b.data(), 10);
  stream.SetPosition(2);
  TGIFImage bad;
  EXPECT_THROW(bad.LoadFromStream(&stream), GIFException);
  EXPECT_EQ(stream.Position(), 2);
}

TEST(GifFile, InterlaceIsDroppedOnlyWithALocalTable) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 3, 9, {0, 0xFFFFFF});
  frame->SetInterlaced(true);
  for (int y = 0; y < 9; ++y) frame->SetPixels(1, y, static_cast<std::uint8_t>(y % 2));
  Bytes b = Save(image);
  EXPECT_EQ(b[13 + 9], 0x80);
  TGIFImage back;
  Load(back, b);
  EXPECT_FALSE(back.Images()[0]->Interlaced());

  // With the colours in a global table the frame stays interlaced, and readers see the rows in
  // their places.
  TGIFImage global;
  global.Header().ColorMap().Add(fw::clBlack);
  global.Header().ColorMap().Add(fw::clWhite);
  auto f = std::make_unique<TGIFSubImage>(&global);
  f->SetWidth(3);
  f->SetHeight(9);
  f->SetInterlaced(true);
  for (int y = 0; y < 9; ++y) f->SetPixels(1, y, static_cast<std::uint8_t>(y % 2));
  global.Add(f.release());
  b = Save(global);
  const std::size_t descriptor = 13 + 6;
  EXPECT_EQ(b[descriptor + 9], 0x40);
  TempDir dir;
  WriteFile(dir.File("i.gif"), b);
  EXPECT_EQ(Python("import sys\nfrom PIL import Image\nim=Image.open(sys.argv[1])\n"
                   "print(''.join(str(im.getpixel((1, y))) for y in range(9)))\n",
                   dir.File("i.gif")),
            "010101010\n");
}

TEST(GifFile, ScreenSizeAndFrameBounds) {
  TGIFImage image;
  std::vector<std::string> warnings;
  image.OnWarning = [&](fw::TObject*, int severity, const std::string& m) {
    EXPECT_EQ(severity, 1);
    warnings.push_back(m);
  };
  TGIFSubImage* frame = AddFrame(image, 10, 5, {0, 0xFFFFFF});
  EXPECT_EQ(image.Width(), 10);
  EXPECT_EQ(image.Height(), 5);
  EXPECT_EQ(Message([&] { image.SetWidth(9); }), "Image width too small for contained frames");
  EXPECT_EQ(Message([&] { image.SetHeight(4); }), "Image height too small for contained frames");
  image.SetWidth(20);
  EXPECT_EQ(image.Width(), 20);

  warnings.clear();
  frame->SetLeft(15);
  EXPECT_EQ(image.Width(), 25);
  EXPECT_EQ(warnings, (std::vector<std::string>{"Image width too small for contained frames",
                                                "Image exceeds Logical Screen size"}));
  EXPECT_EQ(Message([&] { frame->Pixels(10, 0); }), "Invalid pixel coordinates");
  EXPECT_EQ(Message([&] { frame->Scanline(-1); }), "Invalid pixel coordinates");
  auto empty = std::make_unique<TGIFSubImage>(&image);
  EXPECT_EQ(Message([&] { empty->Scanline(0); }), "Image is empty");
}

TEST(GifFile, ColorMapRules) {
  TGIFImage image;
  std::vector<std::string> warnings;
  image.OnWarning = [&](fw::TObject*, int, const std::string& m) { warnings.push_back(m); };
  TGIFColorMap& map = image.Header().ColorMap();
  EXPECT_EQ(map.BitsPerPixel(), 0);
  EXPECT_EQ(Message([&] { map.Colors(0); }), "Color table is empty");
  map.Add(fw::clRed);
  EXPECT_EQ(map.BitsPerPixel(), 1);
  map.Add(fw::clBlue);
  map.Add(fw::clRed);
  EXPECT_EQ(map.BitsPerPixel(), 2);
  // Unsorted maps are searched from the end, sorted ones from the start.
  EXPECT_EQ(map.IndexOf(fw::clRed), 2);
  map.SetSorted(true);
  EXPECT_EQ(map.IndexOf(fw::clRed), 0);
  EXPECT_EQ(map.IndexOf(fw::clLime), -1);
  EXPECT_EQ(map.AddUnique(fw::clBlue), 1);
  warnings.clear();
  EXPECT_EQ(map.Colors(7), fw::clRed);
  EXPECT_EQ(warnings, std::vector<std::string>{"Invalid color index"});
  EXPECT_EQ(Message([&] { map.Delete(3); }), "Invalid color index");
  map.Delete(0);
  EXPECT_FALSE(map.Sorted());
  EXPECT_EQ(map.Colors(0), fw::clBlue);
  while (map.Count() < 256) map.Add(fw::clGreen);
  EXPECT_EQ(Message([&] { map.Add(fw::clGreen); }), "Color table overflow");
  EXPECT_EQ(map.BitsPerPixel(), 8);
}

TEST(GifFile, TransparentIndexIsCheckedAgainstTheActiveMap) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 2, 2, {0, 0xFFFFFF, 0xFF0000});
  std::vector<std::string> warnings;
  image.OnWarning = [&](fw::TObject*, int, const std::string& m) { warnings.push_back(m); };
  auto gce = std::make_unique<TGIFGraphicControlExtension>(frame);
  EXPECT_EQ(frame->GraphicControlExtension(), gce.get());
  gce->SetTransparentColorIndex(3);
  EXPECT_EQ(gce->TransparentColorIndex(), 0);
  EXPECT_EQ(warnings, std::vector<std::string>{"Invalid color index"});
  gce->SetTransparentColorIndex(2);
  EXPECT_EQ(gce->TransparentColorIndex(), 2);
  gce->SetTransparent(true);
  EXPECT_TRUE(frame->Transparent());
  gce.reset();
  EXPECT_FALSE(frame->Transparent());
  EXPECT_EQ(frame->GraphicControlExtension(), nullptr);
}

TEST(GifFile, MalformedStreamsRaiseTheirErrors) {
  TGIFImage image;
  AddFrame(image, 1, 1, {0, 0xFFFFFF});
  const Bytes b = Save(image);
  auto with = [&](const Bytes& Insert) { return Concat({Slice(b, 0, 13), Insert, Slice(b, 13, b.size())}); };
  TGIFImage a;
  EXPECT_EQ(Message([&] { Load(a, with({0x21, 0x42, 0x00})); }), "Unknown extension type");
  EXPECT_EQ(Message([&] { Load(a, with({0x21, 0xFF, 0x05, 1, 2, 3, 4, 5, 0})); }),
            "Unsupported Application Extension block size");
  const Bytes cutComment = Concat({Slice(b, 0, 13), {0x21, 0xFE, 0x05, 'a'}});
  EXPECT_EQ(Message([&] { Load(a, cutComment); }), "Premature end of data");
  // A graphic control block cut short only warns.
  std::vector<std::string> warnings;
  const Bytes shortControl = Concat({Slice(b, 0, 13), {0x21, 0xF9, 0x04, 0x00}});
  TGIFImage c;
  Load(c, shortControl, &warnings);
  EXPECT_EQ(warnings, std::vector<std::string>{"Premature end of data"});
}

TEST(GifFile, ZeroSizedFrameTakesTheScreenSize) {
  TGIFImage image;
  TGIFSubImage* frame = AddFrame(image, 3, 2, {0, 0xFFFFFF});
  frame->SetPixels(2, 1, 1);
  Bytes b = Save(image);
  b[13 + 5] = 0;  // frame width 0
  std::vector<std::string> warnings;
  TGIFImage back;
  Load(back, b, &warnings);
  EXPECT_EQ(back.Images()[0]->Width(), 3);
  EXPECT_EQ(back.Images()[0]->Pixels(2, 1), 1);
  EXPECT_EQ(warnings, std::vector<std::string>{"Image exceeds Logical Screen size"});
}

TEST(GifFile, AnItemSavesToAFileWholeOrNotAtAll) {
  TempDir dir;
  const std::string file = dir.File("item.bin");
  TGIFImage image;
  TGIFTrailer trailer(&image);
  trailer.SaveToFile(file);
  EXPECT_EQ(ReadFile(file), Bytes{';'});
  // An item whose writing fails halfway leaves the old file as it was.
  class TBrokenItem : public TGIFItem {
   public:
    using TGIFItem::TGIFItem;
    void SaveToStream(fw::TStream* Stream) override {
      Stream->WriteBuffer("GIF", 3);
      throw GIFException("broken");
    }
    void LoadFromStream(fw::TStream*) override {}
  } broken(&image);
  EXPECT_THROW(broken.SaveToFile(file), GIFException);
  EXPECT_EQ(ReadFile(file), Bytes{';'});
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"item.bin"}) << "no partial file";
}

namespace {

// A file with no colour table anywhere loads, and saves again with a grey ramp that shows it as
// Pillow showed the original.
TEST(GifFile, APictureWithoutAnyColorTableSavesWithADefaultOne) {
  const giftest::Bytes noTable = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00,
                                  0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x02,
                                  0x02, 0x44, 0x0A, 0x00, 0x3B};
  giftest::TempDir dir;
  const std::string script =
      "import sys\nfrom PIL import Image\nim = Image.open(sys.argv[1])\n"
      "print(' '.join('%02x%02x%02x' % p for p in im.convert('RGB').getdata()))\n";
  exporttest::WriteFile(dir.File("original.gif"), noTable);
  kvexport::TGIFImage image;
  giftest::Load(image, noTable);
  const giftest::Bytes saved = giftest::Save(image);
  exporttest::WriteFile(dir.File("saved.gif"), saved);
  EXPECT_EQ(giftest::Python(script, dir.File("saved.gif")), giftest::Python(script, dir.File("original.gif")));
  kvexport::TGIFImage again;
  giftest::Load(again, saved);
  ASSERT_EQ(again.Images().Count(), 1);
  EXPECT_EQ(again.Images()[0]->Data(), (std::vector<std::uint8_t>{0, 1}));
}

}  // namespace
