#pragma once
// The start-up banner: a picture of our own with the program's name, and one status
// line in the band at its top ("Initialization...").

#include <QSplashScreen>

namespace vantor::gui {

class StartBanner : public QSplashScreen {
    Q_OBJECT
public:
    StartBanner();
    void setStatus(const QString& text);

protected:
    void drawContents(QPainter* painter) override;

private:
    QString status_;
};

}  // namespace vantor::gui
