// The file-opening routine. Archives, instrument traces, time series and tables have no reader
// of their own yet: every file goes to the two-column text reader.
#include "workspace/OpenFiles.h"

#include <memory>
#include <new>

#include "chart/Series.h"
#include "framework/Dialogs.h"
#include "framework/SysUtils.h"
#include "platform/controls/MessageBox.h"
#include "workspace/Common.h"
#include "workspace/GraphCollection.h"
#include "workspace/TextReader.h"
#include "workspace/TextReaderAdvice.h"

namespace workspace {

fw::String SkippedLinesNote(const fw::String& Where, std::size_t Skipped) {
  if (Skipped == 0) return {};
  return fw::Format("%s: строк, не прочитанных как пары чисел: %d", Where, Skipped);
}

TGraph* OpenTextFile(TGraphCollection& Graphs, const fw::String& FileName, fw::String* Note) {
  auto series = std::make_unique<chart::TLineSeries>(nullptr);
  TTextReadReport report;
  const TTextReaderSettings settings = TTextReaderSettings::FromPreferences();
  LoadTwoColumnFile(FileName, settings, series.get(), &report);
  TGraph* graph = Graphs.AddGraph(series.get(), FileName, {}, {});
  series.release();
  if (Note) {
    *Note = SkippedLinesNote(fw::ExtractFileName(FileName), report.SkippedLines);
    if (report.ReadTo != TTextReadReport::WholeFile) {
      // The lines written after it was opened are not in the graph.
      if (!Note->empty()) *Note += "; ";
      *Note += fw::Format("%s: файл дописывался во время чтения, прочитаны первые %d байт", fw::ExtractFileName(FileName),
                          report.ReadTo);
    }
  }
  // Only the start of the file is looked at again, and only under settings that can misread.
  if (MisreadSeparatorPossible(settings)) {
    const fw::String advice = MisreadSeparatorAdvice(ReadFileStart(FileName, TooFewPointsSampleSize), settings);
    if (!advice.empty())
      fw::AppMessageBox(fw::Format("Файл \"%s\" прочитан, но, вероятно, неверно.\n%s", FileName, advice),
                        win::MB_ICONWARNING);
  }
  return graph;
}

TGraph* OpenFiles(TGraphCollection& Graphs, const std::vector<fw::String>& FileNames) {
  TGraph* last = nullptr;
  fw::String notes;
  for (std::size_t i = 0; i < FileNames.size(); ++i) {
    const fw::String& name = FileNames[i];
    if (fw::DirectoryExists(name)) {
      fw::AppMessageBox(fw::Format("\"%s\" - это папка, а не файл: графики строятся из файлов, откройте файлы из неё",
                                   name),
                        win::MB_ICONWARNING);
      continue;
    }
    if (!fw::FileExists(name)) {
      fw::AppMessageBox(fw::Format("Файл \"%s\" не найден", name), win::MB_ICONWARNING);
      continue;
    }
    fw::String error, note;
    try {
      last = OpenTextFile(Graphs, name, &note);
      if (!note.empty()) notes += (notes.empty() ? "" : "; ") + note;
    } catch (const std::bad_alloc&) {
      error = "Недостаточно памяти";
    } catch (const std::exception& e) {
      error = e.what();
    }
    if (error.empty()) continue;
    fw::String text = fw::Format("Ошибка при открытии файла \"%s\":\n%s", name, error);
    if (i + 1 == FileNames.size()) {
      fw::AppMessageBox(text, win::MB_ICONERROR);
      break;
    }
    text += "\n\nПродолжить открытие остальных файлов?";
    if (fw::AppMessageBox(text, win::MB_ICONERROR | win::MB_YESNO) != win::IDYES) break;
  }
  if (last) Graphs.SelectLastAdded();
  // Said after the selection, which rewrites the status line.
  if (!notes.empty()) ShowBalloonHint("Не все строки прочитаны", notes, SkippedLinesBalloon);
  return last;
}

}  // namespace workspace
