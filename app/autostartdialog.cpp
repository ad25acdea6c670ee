#include "app/autostartdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/textcodec.h"
#include "frontend/options.h"

namespace velmo {

namespace {

const char* const kOpenTitle =
    "Datei \xF6"
    "ffnen";
const char* const kStoryFilter = "Velmodateien (*.velmo,*.data)|*.VELMO;*.DATA;*.VEL;*.DAT";

}  // namespace

tautostartdialog::tautostartdialog(const toptions& options, tplatform& platform,
                                   std::function<void(thelpcontext)> helpViewer, QWidget* parent)
    : toptionsdialog(QStringLiteral("Autostart"), thelpcontext::autostart, std::move(helpViewer),
                     parent) {
    auto* label =
        new QLabel(QStringLiteral("Folgende Datei beim Programmstart automatisch laden:"), this);
    path = new QLineEdit(fromPath(options.autoload), this);
    path->setMinimumWidth(320);
    label->setBuddy(path);
    auto* choose = new QPushButton(QStringLiteral("Auswahl"), this);
    choose->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, [this, &platform] {
        std::string chosen;
        if (platform.chooseOpenFile(kOpenTitle, kStoryFilter, std::string(), chosen))
            path->setText(fromPath(chosen));
    });
    auto* row = new QHBoxLayout;
    row->addWidget(path, 1);
    row->addWidget(choose);
    auto* fields = new QVBoxLayout;
    fields->addWidget(label);
    fields->addLayout(row);
    setFields(fields);
}

void tautostartdialog::store(toptions& options) const { options.autoload = toPath(path->text()); }

}  // namespace velmo
