#ifndef VELMO_APP_BOXOVERLAY_H
#define VELMO_APP_BOXOVERLAY_H

// The box of the "box" statement: its lines drawn over the text area in
// the text area's colours inverted, centred near its top. Being a label,
// its text is readable by screen readers, and it is announced as an alert
// when it appears.

#include <QLabel>
#include <string>
#include <vector>

namespace velmo {

class ttextview;

class tboxoverlay : public QLabel {
    Q_OBJECT
public:
    explicit tboxoverlay(ttextview& view);

    void showLines(const std::vector<std::string>& lines);

private:
    ttextview& view;
};

}  // namespace velmo

#endif
