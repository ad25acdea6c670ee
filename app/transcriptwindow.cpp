#include "app/transcriptwindow.h"

#include <QAction>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/textcodec.h"
#include "frontend/game.h"

namespace velmo {

ttranscriptwindow::ttranscriptwindow(tgame& running, QWidget* parent,
                                     std::function<void(thelpcontext)> helpViewer,
                                     std::function<void(const QPlainTextEdit&)> print)
    : QDialog(parent), game(running), help(std::move(helpViewer)) {
    setWindowTitle(QStringLiteral("Spielverlauf"));
    shown = new QPlainTextEdit(this);
    shown->setAccessibleName(QStringLiteral("Spielverlauf"));
    shown->setReadOnly(true);
    shown->setCursorWidth(0);  // read, never edited: no caret
    shown->setPlainText(fromCp1252(game.transcriptText().text()));
    shown->moveCursor(QTextCursor::End);  // the newest text is what the player looks for

    const auto entry = [this](const QString& caption, auto&& action) {
        auto* item = new QAction(caption, shown);
        connect(item, &QAction::triggered, this, action);
        shown->addAction(item);
    };
    entry(QStringLiteral("Speichern"), [this] { this->game.exportText(); });
    entry(QStringLiteral("Drucken"), [this, print = std::move(print)] { print(*shown); });
    entry(QStringLiteral("Alles markieren"), [this] { shown->selectAll(); });
    entry(QStringLiteral("Kopieren"), [this] { shown->copy(); });
    entry(QStringLiteral("Löschen"), [this] { clearTranscript(); });
    shown->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shown);
    resize(600, 420);
}

QList<QAction*> ttranscriptwindow::entries() const { return shown->actions(); }

void ttranscriptwindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        help(thelpcontext::transcript);
        return;
    }
    QDialog::keyPressEvent(event);
}

void ttranscriptwindow::clearTranscript() {
    game.transcriptText().clear();
    shown->clear();
}

}  // namespace velmo
