#pragma once
// Every command image of the program, in one table. The data module fills its big (22 x 22),
// small (16 x 16), 18 x 18 and menu (16 x 16) image lists from this table in this order, so an
// index names the same command in every list; dialogs, toolbars, menus and actions refer to
// images only through these indexes. Each image is an icon of the Tango icon library (public
// domain), given by its folder and name inside a size folder of the theme; an emblem, when
// given, is a second Tango icon laid at half size into the bottom-right corner. The pictures are
// packed at build time (tools/imagepack), so the program reads no icon file at run time.
//
// This header is plain C++ without the framework: the build's image packer includes it too.

#include <cstddef>
#include <iterator>

namespace workspace {

struct TCommandImageSource {
  int Index;
  const char* Meaning;  // the command the image stands for, as the user reads it
  const char* Icon;     // Tango icon, "<folder>/<name>"
  const char* Emblem;   // Tango icon laid into the corner, or nullptr
};

enum TCommandImage : int {
  imgOpen = 0,
  imgOpenFolder,
  imgOpenTable,
  imgSaveAs,
  imgPrint,
  imgPrintPreview,
  imgCopy,
  imgCut,
  imgPaste,
  imgDelete,
  imgUndo,
  imgExit,
  imgLineProperties,
  imgPreferences,
  imgShortCuts,
  imgGraphInfo,
  imgDerivative,
  imgDerivative2,
  imgTracing,
  imgSearch,  // "big image 19" of the find windows' search button
  imgBoundMinAbs,
  imgBoundMinVis,
  imgBoundMinMaxAbs,
  imgBoundMinMaxVis,
  imgBoundMaxVis,
  imgBoundMaxAbs,
  imgPickPoint,
  imgFontBold,
  imgFontItalic,
  imgFontUnderline,
  imgAlignLeft,
  imgAlignCenter,
  imgEditTemplates,  // "image 32 of the menu image list" of the expression templates menu
  imgAlignRight,
  imgFontColor,
  imgTemplates,
  imgEditFormula,
  imgClearAll,
  imgSwapColors,
  imgExpressionGraph,
  imgFindMax,
  imgFindMin,
  imgFindDelta,
  imgFindAverage,
  imgFindIntegral,
  imgSumGraphs,
  imgSubtractGraphs,
  CommandImageCount
};

inline constexpr TCommandImageSource CommandImageSources[] = {
    {imgOpen, "Открыть файлы", "actions/document-open", nullptr},
    {imgOpenFolder, "Открыть папку", "status/folder-open", nullptr},
    {imgOpenTable, "Открыть таблицу", "mimetypes/x-office-spreadsheet", nullptr},
    {imgSaveAs, "Сохранить как", "actions/document-save-as", nullptr},
    {imgPrint, "Печать", "actions/document-print", nullptr},
    {imgPrintPreview, "Предварительный просмотр", "actions/document-print-preview", nullptr},
    {imgCopy, "Копировать", "actions/edit-copy", nullptr},
    {imgCut, "Вырезать", "actions/edit-cut", nullptr},
    {imgPaste, "Вставить", "actions/edit-paste", nullptr},
    {imgDelete, "Удалить график", "actions/edit-delete", nullptr},
    {imgUndo, "Отменить", "actions/edit-undo", nullptr},
    {imgExit, "Выход", "actions/system-log-out", nullptr},
    {imgLineProperties, "Свойства линии графика", "actions/document-properties", nullptr},
    {imgPreferences, "Настройки", "categories/preferences-system", nullptr},
    {imgShortCuts, "Настройка клавиатуры", "apps/preferences-desktop-keyboard-shortcuts", nullptr},
    {imgGraphInfo, "Информация о графике", "status/dialog-information", nullptr},
    {imgDerivative, "Производная", "apps/utilities-system-monitor", "actions/go-up"},
    {imgDerivative2, "Вторая производная", "apps/utilities-system-monitor", "actions/go-jump"},
    {imgTracing, "Трассировка", "apps/utilities-system-monitor", "actions/system-search"},
    {imgSearch, "Искать", "actions/edit-find", nullptr},
    {imgBoundMinAbs, "Левая граница = минимум Х графиков", "actions/go-first", nullptr},
    {imgBoundMinVis, "Левая граница = видимый минимум", "actions/go-previous", nullptr},
    {imgBoundMinMaxAbs, "Обе границы = минимум и максимум Х графиков", "actions/view-fullscreen", nullptr},
    {imgBoundMinMaxVis, "Обе границы = видимые минимум и максимум", "devices/video-display", nullptr},
    {imgBoundMaxVis, "Правая граница = видимый максимум", "actions/go-next", nullptr},
    {imgBoundMaxAbs, "Правая граница = максимум Х графиков", "actions/go-last", nullptr},
    {imgPickPoint, "Указать точку на графике", "devices/input-mouse", nullptr},
    {imgFontBold, "Полужирный", "actions/format-text-bold", nullptr},
    {imgFontItalic, "Курсив", "actions/format-text-italic", nullptr},
    {imgFontUnderline, "Подчёркнутый", "actions/format-text-underline", nullptr},
    {imgAlignLeft, "Расположить слева", "actions/format-justify-left", nullptr},
    {imgAlignCenter, "Расположить по центру", "actions/format-justify-center", nullptr},
    {imgEditTemplates, "Редактировать заготовки", "mimetypes/x-office-document-template",
     "apps/accessories-text-editor"},
    {imgAlignRight, "Расположить справа", "actions/format-justify-right", nullptr},
    {imgFontColor, "Цвет шрифта", "apps/preferences-desktop-theme", nullptr},
    {imgTemplates, "Заготовки", "mimetypes/x-office-document-template", nullptr},
    {imgEditFormula, "Править формулу в отдельном окне", "apps/accessories-text-editor", nullptr},
    {imgClearAll, "Очистить функцию и параметры", "actions/edit-clear", nullptr},
    {imgSwapColors, "Поменять цвета местами", "actions/view-refresh", nullptr},
    {imgExpressionGraph, "График функции", "apps/accessories-calculator", nullptr},
    {imgFindMax, "Поиск максимума", "apps/utilities-system-monitor", "actions/go-top"},
    {imgFindMin, "Поиск минимума", "apps/utilities-system-monitor", "actions/go-bottom"},
    {imgFindDelta, "Поиск размаха (максимум - минимум)", "apps/utilities-system-monitor", "actions/view-fullscreen"},
    {imgFindAverage, "Среднее значение", "apps/utilities-system-monitor", "actions/format-justify-fill"},
    {imgFindIntegral, "Интеграл", "apps/utilities-system-monitor", "apps/accessories-calculator"},
    {imgSumGraphs, "Сумма графиков", "apps/utilities-system-monitor", "actions/list-add"},
    {imgSubtractGraphs, "Разность графиков", "apps/utilities-system-monitor", "actions/list-remove"},
};

inline constexpr bool CommandImageTableInOrder() {
  for (std::size_t i = 0; i < std::size(CommandImageSources); ++i)
    if (CommandImageSources[i].Index != int(i)) return false;
  return std::size(CommandImageSources) == std::size_t(CommandImageCount);
}
static_assert(CommandImageTableInOrder(), "each row's index is its position, and every index has a row");

// Sizes of the command image lists.
inline constexpr int BigImageSize = 22;
inline constexpr int SmallImageSize = 16;
inline constexpr int Images18Size = 18;

}  // namespace workspace
