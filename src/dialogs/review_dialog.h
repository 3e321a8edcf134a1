#pragma once
// Review a loaded configuration against the module: the dialog compares the document's
// tree with the module under the wait dialog as it opens, lists every difference with a
// check box (all checked; read-only ones disabled), and "Write selected" writes exactly
// the checked ones, again under the wait dialog. Each row then tells what became of it.

#include <QDialog>
#include <memory>

#include "document/review.h"

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
    ~ReviewDialog() override;
    ReviewDialog(const ReviewDialog&) = delete;
    ReviewDialog& operator=(const ReviewDialog&) = delete;

private:
    void writeSelected();
    // The count line and the button follow the rows and their check boxes.
    void showState();

    ModuleReview review_;
    bool compared_ = false;
    std::unique_ptr<ReviewModel> model_;
    QTreeView* list_;
    QLabel* summary_;
    QPushButton* write_;
};

}  // namespace vantor::gui
