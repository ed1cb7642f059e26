#pragma once
// How the requests and answers of our common dialogs read in Qt's terms: filters, fonts,
// colours and text.

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

#include "platform/desktop/CommonDialogs.h"

namespace win::presenter {

QString ToQString(const std::u16string& text);
std::u16string FromQString(const QString& text);

// "description (*.a *.b)" per filter: Qt reads the patterns from the last parentheses.
QStringList QtNameFilters(const std::vector<desktop::FileFilter>& filters);
// The 1-based position of `selected` among `filters`; 0 when it is none of them.
int FilterIndexOf(const QStringList& filters, const QString& selected);

QColor ToQColor(COLORREF color);
COLORREF FromQColor(const QColor& color);

QFont ToQFont(const desktop::FontChoice& choice);
// What Qt's font dialog does not choose (colour, character set) stays as in `before`.
desktop::FontChoice FromQFont(const QFont& font, const desktop::FontChoice& before);

}  // namespace win::presenter
