#include "app/printing.h"

#include <QFont>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

namespace velmo {

bool printerReady(const QPrinter& printer) {
    return !printer.outputFileName().isEmpty() || !printer.printerName().isEmpty();
}

bool choosePrinter(QPrinter& printer, const QString& title, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

void printDocument(QPrinter& printer, const QTextDocument& document) {
    printer.setDocName(QStringLiteral("Velmo"));
    const std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Velmo"));
    copy->print(&printer);
}

void printPlainText(QPrinter& printer, const QString& text) {
    QFont courier(QStringLiteral("Courier"), 10);
    courier.setStyleHint(QFont::TypeWriter);  // a fixed-pitch font where Courier is missing
    QTextDocument document;
    document.setDefaultFont(courier);
    document.setPlainText(text);
    printDocument(printer, document);
}

}  // namespace velmo
