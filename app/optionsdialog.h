#ifndef VELMO_APP_OPTIONSDIALOG_H
#define VELMO_APP_OPTIONSDIALOG_H

// What the option dialogs share: a caption, OK and Cancel below their
// fields, and F1 for their help page. OK stores the fields into the
// options (`store`); the main window then applies and saves them. Cancel
// changes nothing.

#include <QDialog>
#include <functional>

#include "frontend/platform.h"

class QLayout;

namespace velmo {

struct toptions;

class toptionsdialog : public QDialog {
    Q_OBJECT
public:
    // True when the dialog ended with OK and stored its fields.
    bool edit(toptions& options);

protected:
    toptionsdialog(const QString& caption, thelpcontext context,
                   std::function<void(thelpcontext)> help, QWidget* parent);
    // Puts the fields above OK and Cancel.
    void setFields(QLayout* fields);
    virtual void store(toptions& options) const = 0;
    void keyPressEvent(QKeyEvent* event) override;

private:
    thelpcontext context;
    std::function<void(thelpcontext)> help;
};

}  // namespace velmo

#endif
