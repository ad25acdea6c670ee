#ifndef VELMO_APP_STATUSPANEL_H
#define VELMO_APP_STATUSPANEL_H

// The status line above the text area: the story's status text in the
// screen font and the status line's colours. Its text is its accessible
// name, so a screen reader reads the status as it changes.

#include <QLabel>

namespace velmo {

class tstatuspanel : public QLabel {
    Q_OBJECT
public:
    explicit tstatuspanel(QWidget* parent = nullptr);

    void setLook(const QFont& font, const QColor& text, const QColor& background);
};

}  // namespace velmo

#endif
