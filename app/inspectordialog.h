#ifndef VELMO_APP_INSPECTORDIALOG_H
#define VELMO_APP_INSPECTORDIALOG_H

// The inspector of the "inspect" statement as a small modal dialog
// "Inspect": the position line, the field "Ausdruck:" whose list holds
// the accepted expressions (the arrow keys browse them), the line "Wert:",
// OK and Cancel. Enter evaluates the expression; OK lets the story go on,
// Cancel ends it.

#include <QDialog>

class QComboBox;
class QLabel;

namespace velmo {

class tinspector;

class tinspectordialog : public QDialog {
    Q_OBJECT
public:
    tinspectordialog(tinspector& inspector, QWidget* parent);

    QComboBox& expression() { return *typed; }
    QLabel& value() { return *shown; }
    // Evaluates what stands in the field.
    void evaluate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillHistory();
    void browse(int step);

    tinspector& inspector;
    // The entry of the history the arrows stand on; the history's size
    // stands for the empty field below its newest entry.
    int browsed = 0;
    QComboBox* typed = nullptr;
    QLabel* shown = nullptr;
};

}  // namespace velmo

#endif
