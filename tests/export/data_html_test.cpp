// Series data as an HTML table: exact bytes, the header row's rules, empty cells of shorter
// series, escaping, and the cells as Python's html.parser reads them.

#include "data_support.h"
#include "export/PlotStore.h"
#include "platform/kernel/NumberText.h"
#include "platform/kernel/TextConvert.h"

using namespace datatest;
using kvexport::TSeriesDataHTML;

namespace {

class HtmlExport : public DataExportTest {
 protected:
  // The table as html.parser sees it: one line per row, cells joined by " | ".
  std::string ParsedCells(const std::string& File) {
    const std::string program = R"(
import sys
from html.parser import HTMLParser
class Cells(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows, self.cell = [], None
    def handle_starttag(self, tag, attrs):
        if tag == 'tr': self.rows.append([])
        if tag == 'td': self.cell = ''
    def handle_endtag(self, tag):
        if tag == 'td':
            self.rows[-1].append(self.cell)
            self.cell = None
    def handle_data(self, data):
        if self.cell is not None: self.cell += data
p = Cells()
p.feed(open(sys.argv[1], encoding='cp1251', newline='').read())
p.close()
for r in p.rows: print(' | '.join(r))
)";
    return Python(program, {File});
  }
};

TEST_F(HtmlExport, OneSeriesGivesTheExactTable) {
  auto* s = AddLine("G1", {{10, 1.5}, {20, 2}});
  TSeriesDataHTML html(Chart(), s);
  EXPECT_FALSE(html.IncludeHeader());
  const std::string file = Path("t.html");
  html.SaveToFile(file);
  EXPECT_EQ(ReadFile(file),
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
            "<table border=\"1\">\r\n"
            "<tr><td>10</td><td>1,5</td></tr>\r\n"
            "<tr><td>20</td><td>2</td></tr>\r\n"
            "\r\n"
            "</table>");
  EXPECT_EQ(html.PointToString(1), "<tr><td>20</td><td>2</td></tr>");
}

TEST_F(HtmlExport, AnEmptySeriesGivesAnEmptyTable) {
  auto* s = AddLine("E", {});
  TSeriesDataHTML html(Chart(), s);
  EXPECT_EQ(html.AsString(), "<table border=\"1\">\r\n\r\n</table>");
  html.SetIncludeHeader(true);
  EXPECT_EQ(html.AsString(), "<table border=\"1\">\r\n<tr><td>E</td></tr>\r\n\r\n</table>");
}

TEST_F(HtmlExport, IndexXValuesGiveOneCellPerRow) {
  auto* s = AddIndexLine("G", 3);
  TSeriesDataHTML html(Chart(), s);
  EXPECT_EQ(
      html.AsString(),
      "<table "
      "border=\"1\">\r\n<tr><td>0</td></tr>\r\n<tr><td>1,5</td></tr>\r\n<tr><td>3</td></tr>\r\n\r\n</table>");
}

TEST_F(HtmlExport, HeaderRowNamesTheSeriesOrItsLists) {
  auto* line = AddLine("Линия", {{10, 1}});
  line->SetPointLabel(0, "L");
  auto* z = AddZSeries("Z-ряд");
  z->AddXYZ(5, 6, 7);
  TSeriesDataHTML html(Chart(), nullptr);
  html.SetIncludeHeader(true);
  html.SetIncludeIndex(true);
  const std::string text = html.AsString();
  // A series of X and Y is headed by its name, one with further lists by the lists' names.
  EXPECT_NE(text.find("<tr><td>Index</td><td>Text</td><td>X</td><td>Линия</td>"
                      "<td>Text</td><td>X</td><td>Y</td><td>Z</td></tr>\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(
      text.find("<tr><td>0</td><td>L</td><td>10</td><td>1</td><td></td><td>5</td><td>6</td><td>7</td></tr>"),
      std::string::npos)
      << text;
}

TEST_F(HtmlExport, ColoursComeWithTheirOption) {
  auto* s = AddLine("G", {{1, 2}, {3, 4}});
  s->SetSeriesColor(fw::clBlue);
  s->SetPointColor(1, fw::clLime);
  TSeriesDataHTML html(Chart(), s);
  EXPECT_EQ(html.AsString().find("#"), std::string::npos);
  html.SetIncludeColors(true);
  html.SetIncludeHeader(true);
  const std::string text = html.AsString();
  EXPECT_NE(text.find("<tr><td>Colors</td><td>X</td><td>G</td></tr>"), std::string::npos) << text;
  EXPECT_NE(text.find("<tr><td>#0000FF</td><td>1</td><td>2</td></tr>"), std::string::npos) << text;
  EXPECT_NE(text.find("<tr><td>#00FF00</td><td>3</td><td>4</td></tr>"), std::string::npos) << text;
}

TEST_F(HtmlExport, ShorterSeriesGetEmptyCellsForEveryColumn) {
  auto* a = AddLine("A", {{1, 2}});
  a->SetPointLabel(0, "a");
  AddLine("B", {{1, 5}, {2, 6}, {3, 7}});
  TSeriesDataHTML html(Chart(), nullptr);
  const std::string text = html.AsString();
  EXPECT_NE(text.find("<tr><td></td><td></td><td></td><td></td><td>3</td><td>7</td></tr>"), std::string::npos)
      << text;
}

// Labels and titles with markup characters stay text; Cyrillic is in Windows Cyrillic.
TEST_F(HtmlExport, PythonSeesEveryCellAsWritten) {
  auto* a = AddLine("Ряд <1> & \"2\"", {});
  auto* b = AddLine("B", {});
  for (int i = 0; i < 40; ++i) {
    a->AddXY(i * 0.5, i * i * 0.25);
    a->SetPointLabel(i, i % 3 == 0 ? "x<y & z>w" : "метка " + std::to_string(i));
  }
  for (int i = 0; i < 25; ++i) b->AddXY(i + 100, -i * 1e-7);
  TSeriesDataHTML html(Chart(), nullptr);
  html.SetIncludeHeader(true);
  html.SetIncludeIndex(true);
  const std::string file = Path("cells.html");
  html.SaveToFile(file);
  EXPECT_EQ(ReadFile(file).find("метка"), std::string::npos);  // not UTF-8
  EXPECT_NE(ReadFile(file).find(win::Utf8ToCp1251("метка")), std::string::npos);
  std::istringstream out(ParsedCells(file));
  std::string line;
  std::getline(out, line);
  EXPECT_EQ(line, "Index | Text | X | Ряд <1> & \"2\" | Text | X | B");
  for (int i = 0; i < 40; ++i) {
    ASSERT_TRUE(std::getline(out, line));
    std::string expected = std::to_string(i) + " | " + a->PointLabel(i) + " | " +
                           win::FloatToGeneralText(i * 0.5, ',') + " | " +
                           win::FloatToGeneralText(i * i * 0.25, ',') + " | ";
    if (i < 25)
      expected += " | " + std::to_string(i + 100) + " | " + win::FloatToGeneralText(-i * 1e-7, ',');
    else
      expected += " |  | ";
    EXPECT_EQ(line, expected);
  }
  EXPECT_FALSE(std::getline(out, line)) << line;
}

}  // namespace

namespace {

// A reader that assumes no code page takes it from the document's own declaration; the copied
// table stays bare.
TEST_F(HtmlExport, TheFileDeclaresItsCharsetForReadersThatDoNotAssumeIt) {
  auto* a = AddLine("Ряд", {});
  a->AddXY(0, 1);
  TSeriesDataHTML html(Chart(), nullptr);
  html.SetIncludeHeader(true);
  const std::string file = Path("charset.html");
  html.SaveToFile(file);
  const std::string header = Run("xmllint --html --encode UTF-8 --xpath 'string(//tr[1]/td[last()])' '" + file + "'");
  EXPECT_EQ(header.substr(0, header.find_last_not_of("\n") + 1), "Ряд");
  EXPECT_EQ(html.AsString().rfind("<table", 0), 0u);
}

}  // namespace
