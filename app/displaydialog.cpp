#include "app/displaydialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/screenfont.h"
#include "app/textcodec.h"
#include "frontend/options.h"

namespace velmo {

namespace {

const char* const kFonts[] = {"Doslike", "Courier New", "Lucida Console"};

QList<int> sizesOf(const QString& font) {
    if (font == QLatin1String("Doslike")) return {9, 12, 14};
    return {9, 10, 11, 12, 14};
}

QLayout* grouped(QWidget* parent, const QString& title, QLayout* inside) {
    auto* group = new QGroupBox(title, parent);
    group->setLayout(inside);
    auto* layout = new QVBoxLayout;
    layout->addWidget(group);
    return layout;
}

}  // namespace

tdisplaydialog::tdisplaydialog(const toptions& options,
                               std::function<void(thelpcontext)> helpViewer, QWidget* parent)
    : toptionsdialog(QStringLiteral("Darstellung"), thelpcontext::display, std::move(helpViewer),
                     parent) {
    for (std::size_t i = 0; i < colours.size(); ++i)
        colours[i] = QColor::fromRgb(options.colours[i]);
    auto* fields = new QVBoxLayout;
    fields->addLayout(grouped(this, QStringLiteral("Farben"), colourGroup()));
    fields->addLayout(grouped(this, QStringLiteral("Schrift"), fontGroup(options)));
    fields->addLayout(grouped(this, QStringLiteral("Fenstergröße"), sizeGroup(options)));
    setFields(fields);
    showSample();
}

QLayout* tdisplaydialog::colourGroup() {
    items = new QListWidget(this);
    items->addItems({QStringLiteral("Statuszeile Text"), QStringLiteral("Statuszeile Hintergrund"),
                     QStringLiteral("Eingabebereich Text"),
                     QStringLiteral("Eingabebereich Hintergrund")});
    items->setCurrentRow(0);
    items->setAccessibleName(QStringLiteral("Farben"));
    sample = new QLabel(QStringLiteral("Text"), this);
    sample->setAlignment(Qt::AlignCenter);
    sample->setAutoFillBackground(true);
    sample->setMinimumSize(120, 40);
    auto* change = new QPushButton(QStringLiteral("Ä&ndern"), this);
    connect(items, &QListWidget::currentRowChanged, this, [this] { showSample(); });
    connect(change, &QPushButton::clicked, this, [this] {
        const int item = items->currentRow();
        const QColor chosen = QColorDialog::getColor(colours[item], this);
        if (chosen.isValid()) setColour(item, chosen);
    });
    auto* layout = new QHBoxLayout;
    layout->addWidget(items, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(sample);
    side->addWidget(change);
    side->addStretch();
    layout->addLayout(side);
    return layout;
}

QLayout* tdisplaydialog::fontGroup(const toptions& options) {
    fontName = new QComboBox(this);
    fontSize = new QComboBox(this);
    for (const char* name : kFonts) fontName->addItem(QString::fromLatin1(name));
    const int chosen = fontName->findText(fromCp1252(options.fontName), Qt::MatchFixedString);
    fontName->setCurrentIndex(std::max(chosen, 0));
    fillSizes(options.fontSize);
    connect(fontName, &QComboBox::currentIndexChanged, this, [this] {
        fillSizes(0);
        showSample();
    });
    connect(fontSize, &QComboBox::currentIndexChanged, this, [this] { showSample(); });
    auto* layout = new QFormLayout;
    layout->addRow(QStringLiteral("&Font:"), fontName);
    layout->addRow(QStringLiteral("&Größe:"), fontSize);
    return layout;
}

QLayout* tdisplaydialog::sizeGroup(const toptions& options) {
    columns = new QSpinBox(this);
    columns->setRange(kMinColumns, kMaxColumns);  // values outside are brought into range
    columns->setValue(options.columns);
    rows = new QSpinBox(this);
    rows->setRange(kMinRows, kMaxRows);
    rows->setValue(options.rows);
    maximize = new QCheckBox(QStringLiteral("Fenster &maximieren"), this);
    connect(maximize, &QCheckBox::toggled, this, [this](bool on) {
        columns->setEnabled(!on);
        rows->setEnabled(!on);
    });
    maximize->setChecked(options.maximize);
    auto* layout = new QFormLayout;
    layout->addRow(QStringLiteral("&Spalten:"), columns);
    layout->addRow(QStringLiteral("&Zeilen:"), rows);
    layout->addRow(maximize);
    return layout;
}

// The sizes of the chosen font; the current size stays chosen when the
// font offers it, else the first.
void tdisplaydialog::fillSizes(int current) {
    const QSignalBlocker quiet(fontSize);
    fontSize->clear();
    for (int size : sizesOf(fontName->currentText())) fontSize->addItem(QString::number(size));
    fontSize->setCurrentIndex(std::max(fontSize->findText(QString::number(current)), 0));
}

void tdisplaydialog::setColour(int item, const QColor& colour) {
    colours[static_cast<std::size_t>(item)] = colour;
    showSample();
}

// The sample shows the pair of the selected item: the status line's for
// the first two, the text area's for the last two.
void tdisplaydialog::showSample() {
    const std::size_t pair = items->currentRow() < 2 ? 0 : 2;
    QPalette look = sample->palette();
    look.setColor(QPalette::WindowText, colours[pair]);
    look.setColor(QPalette::Window, colours[pair + 1]);
    sample->setPalette(look);
    sample->setFont(screenFont(toCp1252(fontName->currentText()), fontSize->currentText().toInt()));
}

void tdisplaydialog::store(toptions& options) const {
    for (std::size_t i = 0; i < colours.size(); ++i)
        options.colours[i] = colours[i].rgb() & 0xFFFFFF;
    options.fontName = toCp1252(fontName->currentText());
    options.fontSize = fontSize->currentText().toInt();
    options.maximize = maximize->isChecked();
    options.columns = columns->value();
    options.rows = rows->value();
}

}  // namespace velmo
