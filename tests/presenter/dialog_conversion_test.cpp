// How our dialog requests and answers read in Qt's terms.

#include <gtest/gtest.h>

#include "PresenterFixture.h"
#include "presenter/DialogConversions.h"
#include "presenter/Dialogs.h"

namespace win::presenter {
namespace {

TEST(DialogConversionTest, FiltersShowTheirPatternsOnceInTheLastParentheses) {
  const QStringList filters =
      QtNameFilters({{u"Текстовые файлы (*.txt)", u"*.txt; *.dat"}, {u"Все файлы", u"*.*"}, {u"Пустой", u";"}});
  ASSERT_EQ(filters.size(), 3);
  EXPECT_EQ(filters[0], QStringLiteral("Текстовые файлы (*.txt *.dat)")) << "the patterns are shown once";
  EXPECT_EQ(filters[1], QStringLiteral("Все файлы (*.*)"));
  EXPECT_EQ(filters[2], QStringLiteral("Пустой (*)"));
  EXPECT_EQ(FilterIndexOf(filters, filters[1]), 2);
  EXPECT_EQ(FilterIndexOf(filters, QStringLiteral("Other (*.x)")), 0);
}

TEST(DialogConversionTest, ColoursAndTextRoundTrip) {
  const COLORREF c = RGB(0x12, 0xA0, 0xFE);
  const QColor q = ToQColor(c);
  EXPECT_EQ(q.red(), 0x12);
  EXPECT_EQ(q.green(), 0xA0);
  EXPECT_EQ(q.blue(), 0xFE);
  EXPECT_EQ(FromQColor(q), c);
  EXPECT_EQ(FromQColor(QColor::fromHsv(0, 255, 255)), RGB(255, 0, 0));
  const std::u16string text = u"Выбор каталога \U0001F4C1";
  EXPECT_EQ(FromQString(ToQString(text)), text);
}

TEST(DialogConversionTest, FontsKeepWhatQtDoesNotChoose) {
  desktop::FontChoice before{u"Liberation Serif", 12, true, false, true, false, RGB(0, 0, 255), 204};
  const QFont font = ToQFont(before);
  EXPECT_EQ(font.family(), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(font.pointSize(), 12);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.underline());
  QFont chosen(QStringLiteral("DejaVu Sans"));
  chosen.setPixelSize(24);  // no point size: 18 points at 96 pixels per inch
  chosen.setItalic(true);
  chosen.setStrikeOut(true);
  const desktop::FontChoice after = FromQFont(chosen, before);
  EXPECT_EQ(after.face, u"DejaVu Sans");
  EXPECT_EQ(after.pointSize, 18);
  EXPECT_FALSE(after.bold);
  EXPECT_TRUE(after.italic);
  EXPECT_FALSE(after.underline);
  EXPECT_TRUE(after.strikeOut);
  EXPECT_EQ(after.color, RGB(0, 0, 255));
  EXPECT_EQ(after.charset, 204);
}

// The presenter started a plain GUI application: the service installs itself and answers every
// dialog as cancelled at once instead of failing to make widgets.
using QtDialogServiceTest = kvtest::PresenterTest;

TEST_F(QtDialogServiceTest, WithoutAWidgetsApplicationEveryDialogIsCancelled) {
  desktop::CommonDialogService* before = desktop::GetCommonDialogService();
  {
    QtCommonDialogs dialogs;
    dialogs.SetPresenter(&Presenter());
    EXPECT_EQ(desktop::GetCommonDialogService(), &dialogs);
    ASSERT_FALSE(QtCommonDialogs::DialogsAvailable());
    desktop::FileDialogRequest file;
    file.filters = {{u"Все файлы", u"*.*"}};
    EXPECT_FALSE(desktop::RunFileDialog(file).has_value());
    EXPECT_FALSE(desktop::RunColorDialog({}).has_value());
    EXPECT_FALSE(desktop::RunFontDialog({}).has_value());
    EXPECT_FALSE(desktop::RunFolderDialog({}).has_value());
  }
  EXPECT_EQ(desktop::GetCommonDialogService(), before);
}

}  // namespace
}  // namespace win::presenter
