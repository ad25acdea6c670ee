#include "app/functionkeysdialog.h"

#include <QFormLayout>
#include <QLineEdit>

#include "app/textcodec.h"
#include "frontend/options.h"

namespace velmo {

tfunctionkeysdialog::tfunctionkeysdialog(const toptions& options,
                                         std::function<void(thelpcontext)> helpViewer,
                                         QWidget* parent)
    : toptionsdialog(QStringLiteral("F-Tasten"), thelpcontext::functionKeys, std::move(helpViewer),
                     parent) {
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString key = QStringLiteral("F%1").arg(i + 2);
        fields[i] = new QLineEdit(fromCp1252(options.functionKeys[i]), this);
        fields[i]->setMaxLength(static_cast<int>(kMaxKeyText));
        fields[i]->setAccessibleName(key);
        form->addRow(key, fields[i]);
    }
    setFields(form);
}

void tfunctionkeysdialog::store(toptions& options) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
        options.functionKeys[i] = toCp1252(fields[i]->text());
}

}  // namespace velmo
