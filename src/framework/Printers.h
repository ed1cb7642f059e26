#pragma once
// TPrinter: a print job drawn page by page on a canvas at the printer's resolution, sent to one
// of the system's print queues (the desktop's print service) or to the PDF printer, which is
// always present and writes the job to FileName. A job is handed over only when it ends, so an
// aborted or failed one leaves no file and reaches no queue.

#include <memory>
#include <vector>

#include "framework/ClassesTypes.h"
#include "framework/SysUtils.h"

namespace fw {

class EPrinter : public Exception {
 public:
  using Exception::Exception;
};

class TBitmap;
class TCanvas;

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Printer names, the default one first: the system's default queue, or the PDF printer when
  // the system names none; then the other queues; the PDF printer is always there.
  std::vector<String> Printers() const;
  // The chosen printer is kept by its name: queues coming or going in the list never switch it
  // to another. Until one is chosen it is the default (the first of the list).
  // The current printer's name (empty when the chosen printer has gone from the list).
  String PrinterName() const;
  // The printer chosen, by name, also once it has gone (empty: the default).
  const String& ChosenName() const { return FChosenName; }
  // Its place in the list as it is now; -1 when it has gone.
  Integer PrinterIndex() const;
  // EPrinter "Printer index out of range" for an index that names no printer. A queue brings
  // its own default paper (as the default printer does when the printer is made).
  void SetPrinterIndex(Integer Value);
  // Chooses the printer named Name, as a list shown a while ago named it: one that has gone from
  // the list meanwhile stays chosen by its name, and printing reports it gone (BeginDoc). A
  // queue brings its own default paper, as with SetPrinterIndex.
  void SetPrinterName(const String& Name);

  // Paper size in millimetres (portrait; the queue's default paper, A4 where it names none, unless
  // set), orientation and resolution (dots per
  // inch) give the page in dots. None may change while printing (EPrinter "Printing in progress").
  TPrinterOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TPrinterOrientation Value);
  void SetPaperSize(double WidthMM, double HeightMM);
  double PaperWidthMM() const { return FPaperWidthMM; }
  double PaperHeightMM() const { return FPaperHeightMM; }
  Integer Resolution() const { return FResolution; }
  void SetResolution(Integer Value);
  Integer PageWidth() const;
  Integer PageHeight() const;

  String Title;     // the document's title
  String FileName;  // where the PDF printer writes the job
  // How many times a queue prints the job (at least once). The PDF printer's file holds the
  // document once, whatever the count.
  Integer Copies = 1;

  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  Integer PageNumber() const { return FPageNumber; }
  // The current page (EPrinter "Printing not in progress" outside a job).
  TCanvas* Canvas();

  // EPrinter "Printing in progress" when a job is open, "No file name for the PDF printer"
  // without FileName, and a message naming the queue when the chosen one has gone away.
  void BeginDoc();
  void NewPage();
  // Writes the job; the file appears whole or not at all (EFCreateError when it cannot be made).
  // A queue's job is submitted: EPrinter "The print job could not be sent to "<queue>": <reason>"
  // when the print system refuses it (the queue does not accept jobs, or went away meanwhile).
  void EndDoc();
  // Drops the job: nothing is written or submitted.
  void Abort();

 private:
  void CheckPrinting(bool Value) const;
  // The chosen queue's default paper, where the print system names one.
  void TakeQueuePaper();
  void NewPageSurface();
  void FlushPage();

  String FChosenName;  // the printer chosen by index or name; empty: whichever is the default
  TPrinterOrientation FOrientation = poPortrait;
  double FPaperWidthMM = 210, FPaperHeightMM = 297;
  Integer FResolution = 150;
  bool FPrinting = false;
  bool FAborted = false;
  Integer FPageNumber = 0;
  std::unique_ptr<TBitmap> FPage;
  struct TJob;
  std::unique_ptr<TJob> FJob;
};

}  // namespace fw
