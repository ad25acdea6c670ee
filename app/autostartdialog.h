#ifndef VELMO_APP_AUTOSTARTDIALOG_H
#define VELMO_APP_AUTOSTARTDIALOG_H

// "Autostart": the story opened at start when none is named, typed or
// chosen with "Auswahl" in the open dialog.

#include "app/optionsdialog.h"

class QLineEdit;

namespace velmo {

class tplatform;

class tautostartdialog : public toptionsdialog {
    Q_OBJECT
public:
    tautostartdialog(const toptions& options, tplatform& platform,
                     std::function<void(thelpcontext)> help, QWidget* parent);
    QLineEdit& field() { return *path; }

protected:
    void store(toptions& options) const override;

private:
    QLineEdit* path = nullptr;
};

}  // namespace velmo

#endif
