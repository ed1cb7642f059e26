#include "presenter/DialogConversions.h"

namespace win::presenter {

QString ToQString(const std::u16string& text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
}

QStringList QtNameFilters(const std::vector<desktop::FileFilter>& filters) {
  QStringList out;
  for (const auto& f : filters) {
    QStringList patterns = ToQString(f.patterns).split(u';', Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    patterns.removeAll(QString());
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    // A description that already shows its patterns ("Текстовые файлы (*.txt)") shows them once.
    QString description = ToQString(f.description).trimmed();
    if (description.endsWith(u')')) {
      const qsizetype open = description.lastIndexOf(u'(');
      if (open > 0) description = description.left(open).trimmed();
    }
    out << description + QStringLiteral(" (") + patterns.join(u' ') + QStringLiteral(")");
  }
  return out;
}

int FilterIndexOf(const QStringList& filters, const QString& selected) {
  const qsizetype i = filters.indexOf(selected);
  return i < 0 ? 0 : int(i) + 1;
}

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

COLORREF FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return RGB(BYTE(rgb.red()), BYTE(rgb.green()), BYTE(rgb.blue()));
}

QFont ToQFont(const desktop::FontChoice& choice) {
  QFont font(ToQString(choice.face));
  if (choice.pointSize > 0) font.setPointSize(choice.pointSize);
  font.setBold(choice.bold);
  font.setItalic(choice.italic);
  font.setUnderline(choice.underline);
  font.setStrikeOut(choice.strikeOut);
  return font;
}

desktop::FontChoice FromQFont(const QFont& font, const desktop::FontChoice& before) {
  desktop::FontChoice c = before;
  c.face = FromQString(font.family());
  // A font sized in pixels has no point size: the nearest one at 96 pixels per inch.
  c.pointSize = font.pointSize() > 0 ? font.pointSize() : (font.pixelSize() * 72 + 48) / 96;
  c.bold = font.weight() >= QFont::DemiBold;
  c.italic = font.italic();
  c.underline = font.underline();
  c.strikeOut = font.strikeOut();
  return c;
}

}  // namespace win::presenter
