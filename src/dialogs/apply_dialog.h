#pragma once
// The new network settings dialog: shows the module's network settings that are about
// to take effect, and on OK sends the module APLY, to its own address or as a broadcast
// to address 255. Whether the program follows the module to the new settings is the
// document's business afterwards: it asks changeProgramSettings() and then copies the
// settings and reopens the port itself, so the dialog copies nothing.

#include <QDialog>

class QCheckBox;
class QLabel;

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class ApplyDialog : public QDialog {
    Q_OBJECT
public:
    explicit ApplyDialog(CPlimoDoc& document, QWidget* parent = nullptr);

    // "Change network settings of Configurator" as it was when the dialog ended.
    bool changeProgramSettings() const;

public slots:
    // Sends APLY; stays open when the module refused it and the model wants to say so.
    void accept() override;

private:
    CPlimoDoc& document_;
    QLabel* settings_;
    QCheckBox* changeProgram_;
    QCheckBox* broadcast_;
};

}  // namespace vantor::gui
