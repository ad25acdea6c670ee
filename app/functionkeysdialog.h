#ifndef VELMO_APP_FUNCTIONKEYSDIALOG_H
#define VELMO_APP_FUNCTIONKEYSDIALOG_H

// "F-Tasten": the texts that F2 ... F10 type, nine fields of at most 40
// characters each.

#include <array>

#include "app/optionsdialog.h"

class QLineEdit;

namespace velmo {

class tfunctionkeysdialog : public toptionsdialog {
    Q_OBJECT
public:
    tfunctionkeysdialog(const toptions& options, std::function<void(thelpcontext)> help,
                        QWidget* parent);
    // The field of F2 + `index`.
    QLineEdit& field(std::size_t index) { return *fields[index]; }

protected:
    void store(toptions& options) const override;

private:
    std::array<QLineEdit*, 9> fields{};
};

}  // namespace velmo

#endif
