#pragma once
// The main window's parameter view: a filter line above the tree of the document's
// parameters, in-place editing, the context menus of parameter and branch rows, the
// search for troubled parameters and the live values of the sampled rows.

#include <QWidget>
#include <functional>
#include <memory>

namespace vantor {
class CPlimoDoc;
class ObjectWithParameters;
class Parameter;
class UserInterface;
}  // namespace vantor

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QProgressBar;
class QTreeView;

namespace vantor::gui {

class ExpansionMemory;
class ExpansionReader;
class LinkJobs;
class ParameterTreeModel;
class RowFilter;
class SampledRows;
struct RowNode;
enum class SearchDirection;

class ParameterView : public QWidget {
    Q_OBJECT
public:
    ParameterView(CPlimoDoc& document, UserInterface& ui, QWidget* parent = nullptr);
    ~ParameterView() override;

    QTreeView& tree() const { return *tree_; }
    ParameterTreeModel& rows() const { return *model_; }
    RowFilter& filter() const { return *filter_; }
    SampledRows& sampledRows() const { return *sampled_; }
    // Reads the rows of an opened branch ("Read when open") off the window's thread.
    ExpansionReader& expansionReader() const { return *reader_; }
    // Every module exchange the view starts runs here, off the window's thread.
    LinkJobs& linkJobs() const { return *linkJobs_; }
    // Alt+Up and Alt+Down; the main window may put them into its menu.
    QAction& previousTroubledAction() const { return *previousAction_; }
    QAction& nextTroubledAction() const { return *nextAction_; }
    // The context menu of the row at `index` (of the tree's model); null when the row
    // has none. The menu belongs to the caller.
    QMenu* contextMenuFor(const QModelIndex& index);
    // The rows' column widths as the person left them: per-user values
    // "ParameterViewColumn0" ... "ParameterViewColumn4".
    void saveColumnWidths() const;

public slots:
    void fill();
    void updateAllViews();
    void dropRows();
    void previousTroubled();
    void nextTroubled();
    // After a task in which parameters failed: the first of them selected and shown.
    void showFirstTroubled();

signals:
    void selectedElementChanged();

private:
    void buildFilterLine();
    // Applies `change` to the filter: an active filter shows every branch open, the
    // filter cleared shows the branches open as before.
    void changeFilter(const std::function<void()>& change);
    void restoreColumnWidths();
    void onCurrentRowChanged(const QModelIndex& current);
    void showContextMenu(const QPoint& position);
    void readWhenOpen(const QModelIndex& expanded);
    void findTroubled(SearchDirection direction);
    void showRow(const RowNode& row);
    void runOnBranch(ObjectWithParameters* element, int command);
    void readSelectedParameter();
    void saveSelectedParameter();
    void setSelectedToNoData();
    Parameter* selectedParameterOrWarn();

    CPlimoDoc& document_;
    UserInterface& ui_;
    std::unique_ptr<LinkJobs> linkJobs_;  // goes before the rows its jobs refer to
    ParameterTreeModel* model_;
    RowFilter* filter_;
    SampledRows* sampled_;
    QLineEdit* filterText_ = nullptr;
    QCheckBox* onlyMarked_ = nullptr;
    std::unique_ptr<ExpansionMemory> expansion_;
    QTreeView* tree_;
    QProgressBar* readProgress_;
    std::unique_ptr<ExpansionReader> reader_;  // goes before the progress bar it shows
    QAction* previousAction_;
    QAction* nextAction_;
    Parameter* selectedParameter_ = nullptr;
};

}  // namespace vantor::gui
