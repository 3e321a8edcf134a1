#pragma once
// The first page of a calibration: the access code and up to three choices (label and
// list), hidden until the code is right. As it stands it is the first page of the
// offset-and-scale procedure (KQ-08, KQ-19): the sensor of input 1, whose choice is
// written to "in-t" before the jobs run. The family wizards build their first pages on
// the same template with their own choices.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "calibration/framework/calibration_page.h"

namespace vantor {
class CPlimoDoc;
class Parameter;
}  // namespace vantor

namespace vantor::gui {

// One label over its drop-down list.
struct ChoiceRow {
    QLabel* label = nullptr;
    QComboBox* list = nullptr;
    void setShown(bool shown) const {
        label->setVisible(shown);
        list->setVisible(shown);
    }
    bool shown() const { return !list->isHidden(); }
};

class CCodeBasePage : public CalibrationPage {
    Q_OBJECT
public:
    // The offset-and-scale procedure's page over the document's "in-t".
    explicit CCodeBasePage(CPlimoDoc& document);

    QLineEdit& accessCode() const { return *accessCode_; }
    // 0: the sensor (channel) row, 1: the method row, 2: the sensitivity row.
    const ChoiceRow& row(int index) const { return rows_[static_cast<std::size_t>(index)]; }

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;

protected:
    // The template alone, for the family wizards' first pages.
    explicit CCodeBasePage(const char* titleKey);
    bool codeIs(const char* code) const { return accessCode_->text() == QString::fromLatin1(code); }

private:
    void writeSensor();

    QLineEdit* accessCode_;
    std::array<ChoiceRow, 3> rows_;
    Parameter* inputType_ = nullptr;  // the tree's "in-t"; null without one
};

}  // namespace vantor::gui
