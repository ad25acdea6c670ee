#include "app/inspectordialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "app/textcodec.h"
#include "frontend/inspector.h"

namespace velmo {

tinspectordialog::tinspectordialog(tinspector& evaluator, QWidget* parent)
    : QDialog(parent), inspector(evaluator) {
    setWindowTitle(QStringLiteral("Inspect"));
    setModal(true);
    auto* position = new QLabel(fromCp1252(inspector.position()), this);
    typed = new QComboBox(this);
    typed->setEditable(true);
    typed->setInsertPolicy(QComboBox::NoInsert);  // the history is the inspector's
    typed->setMinimumContentsLength(40);
    typed->setAccessibleName(QStringLiteral("Ausdruck"));
    shown = new QLabel(this);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    shown->setAccessibleName(QStringLiteral("Wert"));
    fillHistory();
    typed->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(typed->lineEdit(), &QLineEdit::returnPressed, this, &tinspectordialog::evaluate);

    auto* layout = new QFormLayout(this);
    layout->addRow(position);
    layout->addRow(QStringLiteral("Ausdruck:"), typed);
    layout->addRow(QStringLiteral("Wert:"), shown);
    layout->addRow(buttons);
    typed->setFocus();
}

void tinspectordialog::evaluate() {
    const QString text = typed->currentText();
    if (text.isEmpty()) return;
    shown->setText(fromCp1252(inspector.evaluate(toCp1252(text))));
    fillHistory();
    typed->setEditText(text);
    typed->lineEdit()->selectAll();  // typing replaces the evaluated text
}

// The list holds the accepted expressions, the newest last; the arrows
// start below it, so the up arrow brings back the newest first.
void tinspectordialog::fillHistory() {
    typed->clear();
    for (const std::string& accepted : inspector.history()) typed->addItem(fromCp1252(accepted));
    typed->setCurrentIndex(-1);
    browsed = typed->count();
}

void tinspectordialog::browse(int step) {
    const int next = browsed + step;
    if (next < 0 || next > typed->count()) return;
    browsed = next;
    typed->setEditText(browsed < typed->count() ? typed->itemText(browsed) : QString());
}

// Enter evaluates (the field's returnPressed); it must not reach the
// dialog, which would press OK as its default button.
void tinspectordialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(event);
}

// The arrows without a modifier browse the history as in the terminal;
// Alt+Down still opens the list.
bool tinspectordialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == typed && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            browse(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace velmo
