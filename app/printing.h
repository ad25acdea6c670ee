#ifndef VELMO_APP_PRINTING_H
#define VELMO_APP_PRINTING_H

// Printing through Qt's print support: the screen text as plain text in
// a Courier font of 10 points, and the transcript as a document titled
// "Velmo". Where no printer is set up, the print dialog comes first; it
// offers printing to a PDF file, so printing works without a printer.

#include <QString>

class QPrinter;
class QTextDocument;
class QWidget;

namespace velmo {

// Whether the printer has somewhere to print to (a named printer or an
// output file).
bool printerReady(const QPrinter& printer);
// The system's print dialog on `printer` under `title`; false when
// cancelled.
bool choosePrinter(QPrinter& printer, const QString& title, QWidget* parent);
// The document under the title "Velmo".
void printDocument(QPrinter& printer, const QTextDocument& document);
// Plain text (already wrapped as it is to be printed) in Courier 10 pt.
void printPlainText(QPrinter& printer, const QString& text);

}  // namespace velmo

#endif
