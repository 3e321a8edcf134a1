#pragma once
// The About box: the program's picture, its name, version and legal notice, and OK.

#include <QDialog>

namespace vantor {
class CommonParams;
}

namespace vantor::gui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // The version and the legal notice are the program's service parameters.
    explicit AboutDialog(const CommonParams& program, QWidget* parent = nullptr);
};

}  // namespace vantor::gui
