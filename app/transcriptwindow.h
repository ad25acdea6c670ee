#ifndef VELMO_APP_TRANSCRIPTWINDOW_H
#define VELMO_APP_TRANSCRIPTWINDOW_H

// The window "Spielverlauf": the transcript the game keeps, read-only and
// without a caret, with the context entries "Speichern" (the screen text,
// as "Text speichern"), "Drucken", "Alles markieren", "Kopieren" and
// "Löschen" (empties the transcript, the screen stays). F1 opens its help
// page. The main window shows it modally.

#include <QDialog>
#include <functional>

#include "frontend/platform.h"

class QPlainTextEdit;
class QPrinter;

namespace velmo {

class tgame;

class ttranscriptwindow : public QDialog {
    Q_OBJECT
public:
    // `help` shows a help page over this window; `print` prints the
    // transcript's document.
    ttranscriptwindow(tgame& game, QWidget* parent, std::function<void(thelpcontext)> help,
                      std::function<void(const QPlainTextEdit&)> print);

    QPlainTextEdit& text() { return *shown; }
    // The context entries, in their order (for the tests).
    QList<QAction*> entries() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void clearTranscript();

    tgame& game;
    QPlainTextEdit* shown = nullptr;
    std::function<void(thelpcontext)> help;
};

}  // namespace velmo

#endif
