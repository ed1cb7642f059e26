// Series data as XML: the document's bytes, which columns the data flags bring, escaping, and the
// files read back by xmllint and Python's xml.etree.

#include "data_support.h"
#include "export/PlotStore.h"
#include "framework/SysUtils.h"

using namespace datatest;
using kvexport::TSeriesDataXML;

namespace {

class XmlExport : public DataExportTest {
 protected:
  // xmllint's verdict on a file: empty when it is well-formed.
  std::string Xmllint(const std::string& File) {
    int status = 0;
    std::string out = Run("xmllint --noout '" + File + "' 2>&1", &status);
    return status == 0 ? out : "failed: " + out;
  }
};

TEST_F(XmlExport, OneSeriesGivesTheExactDocument) {
  auto* s = AddLine("G1", {{10, 1.5}, {20, 2}});
  s->SetSeriesColor(fw::clRed);
  TSeriesDataXML xml(Chart(), s);
  EXPECT_TRUE(xml.IncludeHeader());
  EXPECT_TRUE(xml.IncludeLabels());
  EXPECT_FALSE(xml.IncludeColors());
  EXPECT_FALSE(xml.IncludeIndex());
  EXPECT_EQ(xml.AsString(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<series title=\"G1\" type=\"Line\" color=\"#FF0000\">\r\n"
            "<points count=\"2\">\r\n"
            "<point  X=\"10\" Y=\"1,5\"/>\r\n"
            "<point  X=\"20\" Y=\"2\"/>\r\n"
            "</points>\r\n"
            "</series>\r\n"
            "\r\n");
}

TEST_F(XmlExport, IndexXValuesAreLeftOutAndIndexAttributesComeFirst) {
  auto* s = AddIndexLine("G", 3);
  TSeriesDataXML xml(Chart(), s);
  xml.SetIncludeHeader(false);
  std::string text = xml.AsString();
  EXPECT_NE(text.find("<point  Y=\"0\"/>\r\n<point  Y=\"1,5\"/>\r\n<point  Y=\"3\"/>\r\n"), std::string::npos)
      << text;
  EXPECT_EQ(text.rfind("<?xml", 0), std::string::npos);
  xml.SetIncludeIndex(true);
  text = xml.AsString();
  EXPECT_NE(text.find("<point index=\"2\" Y=\"3\"/>"), std::string::npos) << text;
}

TEST_F(XmlExport, LabelsAndColoursFollowTheirOptions) {
  auto* s = AddLine("G", {{1, 2}, {3, 4}});
  s->SetSeriesColor(0x00102030);
  s->SetPointLabel(1, "peak");
  s->SetPointColor(0, 0x00ABCDEF);
  TSeriesDataXML xml(Chart(), s);
  xml.SetIncludeHeader(false);
  std::string text = xml.AsString();
  EXPECT_NE(text.find("<point  text=\"\" X=\"1\" Y=\"2\"/>"), std::string::npos) << text;
  EXPECT_NE(text.find("<point  text=\"peak\" X=\"3\" Y=\"4\"/>"), std::string::npos) << text;
  EXPECT_NE(text.find("color=\"#302010\">"), std::string::npos) << text;
  xml.SetIncludeColors(true);
  xml.SetIncludeLabels(false);
  text = xml.AsString();
  EXPECT_NE(text.find("<point  color=\"#EFCDAB\" X=\"1\" Y=\"2\"/>"), std::string::npos) << text;
  EXPECT_NE(text.find("<point  color=\"#302010\" X=\"3\" Y=\"4\"/>"), std::string::npos) << text;
  EXPECT_EQ(text.find("text="), std::string::npos);
}

// Every series keeps its X values, though the first one's are the index sequence.
TEST_F(XmlExport, TheWholeChartIsOneChartElementWithoutAFinalLineEnd) {
  AddIndexLine("A", 2);
  AddLine("B", {{10, 1}, {20, 2}});
  TSeriesDataXML xml(Chart(), nullptr);
  const std::string text = xml.AsString();
  EXPECT_EQ(text.substr(0, 49), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<chart>\r\n");
  EXPECT_EQ(text.substr(text.size() - 21), "</series>\r\n\r\n</chart>");
  EXPECT_NE(text.find("<series title=\"B\""), std::string::npos);
  EXPECT_NE(text.find("<point  X=\"10\" Y=\"1\"/>"), std::string::npos) << text;
  EXPECT_NE(text.find("<point  X=\"1\" Y=\"1,5\"/>"), std::string::npos) << text;
}

TEST_F(XmlExport, AnEmptySeriesHasNoPoints) {
  auto* s = AddLine("E", {});
  TSeriesDataXML xml(Chart(), s);
  const std::string file = Path("empty.xml");
  xml.SaveToFile(file);
  EXPECT_NE(ReadFile(file).find("<points count=\"0\">\r\n</points>\r\n</series>"), std::string::npos);
  EXPECT_EQ(Xmllint(file), "");
}

TEST_F(XmlExport, AnEncodingOtherThanUtf8IsRefused) {
  auto* s = AddLine("G", {{1, 2}});
  TSeriesDataXML xml(Chart(), s);
  xml.SetEncoding("ISO-8859-1");
  const std::string file = Path("latin.xml");
  EXPECT_THROW(xml.SaveToFile(file), fw::EConvertError);
  EXPECT_FALSE(std::filesystem::exists(file));
  xml.SetEncoding("utf-8");
  EXPECT_NE(xml.AsString().find("encoding=\"utf-8\""), std::string::npos);
  xml.SetEncoding("");
  EXPECT_EQ(xml.AsString().substr(0, 23), "<?xml version=\"1.0\"?>\r\n");
}

// Titles, labels and list names with markup characters, Cyrillic text and control characters:
// xmllint accepts the file and xml.etree reads back exactly what the series holds.
TEST_F(XmlExport, MarkupAndCyrillicSurviveTheReaders) {
  auto* s = AddZSeries("Ток & <напряжение> \"А\"");
  s->SetSeriesColor(0x00FF8000);
  s->AddXYZ(1, 0.5, -7);
  s->AddXYZ(2, 1e-5, 1e20);
  s->AddXYZ(3, -2.25, 0);
  s->SetPointLabel(0, "a<b & c>\"d\"");
  s->SetPointLabel(1, "строка\tс табуляцией\r\nи переводом");
  s->SetPointLabel(2, std::string("bell\x07") + "end");
  s->ValueList(2)->SetName("Сила тока");  // a blank cannot stand in an attribute name
  s->YValues()->SetName("text");          // nor may it repeat the label attribute
  TSeriesDataXML xml(Chart(), nullptr);
  const std::string file = Path("markup.xml");
  xml.SaveToFile(file);
  EXPECT_EQ(Xmllint(file), "");
  const std::string program = R"(
import sys
import xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
print(root.tag)
series = root.find('series')
print(series.get('title'))
print(series.get('type'), series.get('color'))
points = series.find('points')
print(points.get('count'))
for p in points.findall('point'):
    print(repr(p.get('text')), sorted(k for k in p.keys() if k != 'text'))
    print(' '.join(repr(float(p.get(k).replace(',', '.'))) for k in ('X', 'text_2', 'Сила_тока')))
)";
  std::istringstream out(Python(program, {file}));
  std::string line;
  std::getline(out, line);
  EXPECT_EQ(line, "chart");
  std::getline(out, line);
  EXPECT_EQ(line, "Ток & <напряжение> \"А\"");
  std::getline(out, line);
  EXPECT_EQ(line, chart::SeriesGalleryDescription(s) + " #0080FF");
  std::getline(out, line);
  EXPECT_EQ(line, "3");
  const char* labels[] = {"'a<b & c>\"d\"'", "'строка\\tс табуляцией\\r\\nи переводом'", "'bell\uFFFDend'"};
  const char* values[] = {"1.0 0.5 -7.0", "2.0 1e-05 1e+20", "3.0 -2.25 0.0"};
  for (int i = 0; i < 3; ++i) {
    std::getline(out, line);
    EXPECT_EQ(line, std::string(labels[i]) + " ['X', 'text_2', 'Сила_тока']");
    std::getline(out, line);
    EXPECT_EQ(line, values[i]);
  }
}

}  // namespace
