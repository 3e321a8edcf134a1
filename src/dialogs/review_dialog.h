#pragma once
// Review a loaded configuration against the module: the dialog compares the document's
// tree with the module under the wait dialog as it opens, lists every difference with a
// check box (all checked; read-only ones disabled), and "Write selected" writes exactly
// the checked ones, again under the wait dialog. Each row then tells what became of it.

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeView;

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class ReviewModel;

class ReviewDialog : public QDialog {
    Q_OBJECT
public:
    ReviewDialog(CPlimoDoc& document, QWidget* parent = nullptr);

private:
    void writeSelected();
    // The count line and the button follow the rows and their check boxes.
    void showState();

    // Holds the review: the list asks it for rows until the dialog's last moment.
    ReviewModel* model_;
    bool compared_ = false;
    QTreeView* list_;
    QLabel* summary_;
    QPushButton* write_;
};

}  // namespace vantor::gui
