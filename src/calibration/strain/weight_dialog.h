#pragma once
// "Tare weight" of KQ-15/KQ-16: the present load of a channel, read every few hundred
// milliseconds, and the question whether to take it as the tare.

#include <QDialog>
#include <QTimer>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantor::gui {

class CalibrationLink;

class CWeightTDDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWeightTDDlg(CalibrationLink& link, QWidget* parent = nullptr);

    QComboBox& channelList() const { return *channels_; }
    QLineEdit& weightField() const { return *weight_; }
    QPushButton& yesButton() const { return *yes_; }
    QPushButton& noButton() const { return *no_; }

    void done(int result) override;

private:
    int channel() const;
    // Reads the channel's load; the next read follows the reply.
    void pollLoad();
    void showLoad(int readResult, const std::string& valueText);
    void takeTare();

    CalibrationLink& link_;
    bool fourInputs_;
    QLabel* channelLabel_;
    QComboBox* channels_;
    QLineEdit* weight_;
    QPushButton* yes_;
    QPushButton* no_;
    QTimer poll_;
    int pollGeneration_ = 0;  // a reply of a stopped poll is not shown
};

}  // namespace vantor::gui
