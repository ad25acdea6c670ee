#include "app/optionsdialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "frontend/options.h"

namespace velmo {

toptionsdialog::toptionsdialog(const QString& caption, thelpcontext page,
                               std::function<void(thelpcontext)> helpViewer, QWidget* parent)
    : QDialog(parent), context(page), help(std::move(helpViewer)) {
    setWindowTitle(caption);
}

void toptionsdialog::setFields(QLayout* fields) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

bool toptionsdialog::edit(toptions& options) {
    if (exec() != QDialog::Accepted) return false;
    store(options);
    return true;
}

void toptionsdialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        help(context);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace velmo
