#include "app/start_banner.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

#include "text/texts.h"

namespace vantor::gui {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 260;
constexpr int kStatusBand = 30;  // the status line's band at the top
constexpr int kStatusMargin = 10;

QPixmap bannerPicture() {
    QPixmap picture(kWidth, kHeight);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0x24, 0x3b, 0x55));
    sky.setColorAt(1, QColor(0x0f, 0x1c, 0x2b));
    painter.fillRect(picture.rect(), sky);
    // A module on its line: a row of terminals under a label.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3d, 0x8b, 0xc9));
    painter.drawRoundedRect(QRect(40, 70, 110, 120), 8, 8);
    painter.setBrush(QColor(0xe8, 0xee, 0xf4));
    for (int i = 0; i < 5; ++i) painter.drawEllipse(QRect(52 + i * 18, 170, 10, 10));
    painter.setPen(QPen(QColor(0xe8, 0xee, 0xf4), 3));
    painter.drawLine(150, 130, 200, 130);
    QFont title = QApplication::font();
    title.setPointSize(20);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(210, 70, kWidth - 220, 90), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                     QString::fromStdString(TextByKey("IDD_ABOUTBOX_IDC_PRODUCT_NAME")));
    return picture;
}

}  // namespace

StartBanner::StartBanner() : QSplashScreen(bannerPicture()) {}

void StartBanner::setStatus(const QString& text) {
    status_ = text;
    repaint();
}

void StartBanner::drawContents(QPainter* painter) {
    const QRect band(kStatusMargin, 0, width() - 2 * kStatusMargin, kStatusBand);
    painter->setPen(QColor(150, 150, 150));
    painter->drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(status_, Qt::ElideRight, band.width()));
}

}  // namespace vantor::gui
