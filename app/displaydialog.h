#ifndef VELMO_APP_DISPLAYDIALOG_H
#define VELMO_APP_DISPLAYDIALOG_H

// "Darstellung": the four colours with a sample, the font and its size,
// and the text area's columns and rows or a maximised window (which
// disables both number fields).

#include <QColor>
#include <array>

#include "app/optionsdialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace velmo {

class tdisplaydialog : public toptionsdialog {
    Q_OBJECT
public:
    tdisplaydialog(const toptions& options, std::function<void(thelpcontext)> help,
                   QWidget* parent);

    QComboBox& font() { return *fontName; }
    QComboBox& size() { return *fontSize; }
    QSpinBox& columnsField() { return *columns; }
    QSpinBox& rowsField() { return *rows; }
    QCheckBox& maximizeField() { return *maximize; }
    // The colour of an item of the list (what "Ändern" chose).
    void setColour(int item, const QColor& colour);

protected:
    void store(toptions& options) const override;

private:
    QLayout* colourGroup();
    QLayout* fontGroup(const toptions& options);
    QLayout* sizeGroup(const toptions& options);
    void fillSizes(int current);
    void showSample();

    std::array<QColor, 4> colours;
    QListWidget* items = nullptr;
    QLabel* sample = nullptr;
    QComboBox* fontName = nullptr;
    QComboBox* fontSize = nullptr;
    QSpinBox* columns = nullptr;
    QSpinBox* rows = nullptr;
    QCheckBox* maximize = nullptr;
};

}  // namespace velmo

#endif
