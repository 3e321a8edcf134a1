#pragma once
// One page of a calibration wizard: its title, the instruction text most pages show,
// the busy line shown while the module works, and the moments a procedure acts on:
// becoming the current page, leaving it, and the person's Next, Back and Finish.

#include <QWizardPage>
#include <string>

class QLabel;
class QVBoxLayout;

namespace vantor::gui {

class CmySheet;
class ProgressIndicator;

class CalibrationPage : public QWizardPage {
    Q_OBJECT
public:
    explicit CalibrationPage(const char* titleKey, QWidget* parent = nullptr);

    CmySheet& sheet() const;

    // The page became the current one, or stops being it.
    virtual void onActivate() {}
    virtual void onLeave() {}
    // The person pressed Next: true moves on. A page that starts module work returns
    // false and moves on later (CmySheet::pressNext, activatePage).
    virtual bool onNext() { return true; }
    // The person pressed Finish: true closes the wizard.
    virtual bool onFinish() { return true; }
    // The person pressed Back: true goes back to the page before.
    virtual bool onBack() { return true; }

    // The page ends its path: Finish instead of Next.
    void setEndsPath(bool ends) { endsPath_ = ends; }

    // The read-only instruction text ("\r\n" line ends are shown as line breaks).
    void setInstruction(const std::string& text);
    std::string instructionText() const { return instructionText_; }

    // The animated busy line with its text, while the module works.
    void showBusy(const std::string& text);
    void hideBusy();
    bool busyShown() const;

    bool validatePage() final;
    void initializePage() final {}
    // What the person typed and chose stays when the wizard goes back or starts again.
    void cleanupPage() final {}
    int nextId() const override;

protected:
    // Where the page puts its own controls, below the instruction.
    QVBoxLayout& body() const { return *body_; }
    QLabel& instruction() const { return *instruction_; }

private:
    QLabel* instruction_;
    QVBoxLayout* body_;
    ProgressIndicator* busyIndicator_;
    QLabel* busyText_;
    std::string instructionText_;
    bool endsPath_ = false;
};

}  // namespace vantor::gui
