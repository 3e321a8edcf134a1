#pragma once
// "Read / change parameter": one read or write of any parameter the loaded description
// holds, named or given by its hash code, with the request and reply bytes and the
// outcome in a report that can be copied. The exchange runs on a thread of its own so
// the window stays alive while the line waits; the dialog closes once it has ended.

#include <QDialog>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/single_parameter_request.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class SingleParameterDialog : public QDialog {
    Q_OBJECT
public:
    explicit SingleParameterDialog(CPlimoDoc& document, QWidget* parent = nullptr);
    // Waits for an exchange still on the line.
    ~SingleParameterDialog() override;
    SingleParameterDialog(const SingleParameterDialog&) = delete;
    SingleParameterDialog& operator=(const SingleParameterDialog&) = delete;

    // The report as text, one line each: the selected lines, or all when none is.
    QString reportText() const;

public slots:
    // Cancel, Escape and the window's close: at once, or when the exchange has ended.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // An exchange has ended and its report is shown.
    void exchangeFinished();

private:
    void nameChanged(const QString& typed);
    void accessChanged();
    void execute();
    void showReport(const std::vector<std::string>& lines);
    void copyReport() const;
    SingleRequest request() const;

    CPlimoDoc& document_;
    QComboBox* name_;
    QLineEdit* hash_;
    QLineEdit* details_;
    QRadioButton* read_;
    QRadioButton* write_;
    QLabel* writeLabel_;
    QComboBox* writeData_;
    QCheckBox* useIndex_;
    QSpinBox* index_;
    QRadioButton* dataIndex_;
    QRadioButton* addressIndex_;
    QListWidget* report_;
    QPushButton* execute_;
    QPushButton* cancel_;

    std::thread exchange_;
    bool busy_ = false;
    bool closeRequested_ = false;
};

}  // namespace vantor::gui
