#include "view/row_icons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace vantor::gui {
namespace {

struct IconLook {
    int image;
    const char* themeName;
    QColor colour;
    QChar glyph;  // on the painted badge
};

// Parameter rows (27 choice, 28 typed value, 30 read-only), the root row (25), the
// device (1), decoding rows (38); every other image is a branch.
const IconLook kLooks[] = {
    {1, "computer", QColor(70, 110, 150), QChar('D')},
    {25, "document-properties", QColor(40, 90, 160), QChar('C')},
    {27, "view-list-details", QColor(60, 140, 60), QChar('L')},
    {28, "document-edit", QColor(60, 140, 60), QChar('E')},
    {30, "object-locked", QColor(130, 130, 130), QChar('R')},
    {38, "view-list-text", QColor(120, 100, 160), QChar('b')},
};
const IconLook kBranch{-1, "folder", QColor(200, 150, 40), QChar()};

QIcon PaintedBadge(const IconLook& look) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look.colour.darker(140));
    painter.setBrush(look.colour);
    if (look.glyph.isNull()) {
        // A folder: tab and body.
        painter.drawRoundedRect(QRectF(1.5, 2.5, 6, 3), 1, 1);
        painter.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
        return QIcon(pixmap);
    }
    painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString(look.glyph));
    return QIcon(pixmap);
}

const IconLook& LookOf(int image) {
    for (const IconLook& look : kLooks)
        if (look.image == image) return look;
    return kBranch;
}

}  // namespace

QIcon RowIcon(int image) {
    static QHash<int, QIcon> icons;
    const IconLook& look = LookOf(image);
    auto found = icons.find(look.image);
    if (found == icons.end())
        found = icons.insert(look.image, QIcon::fromTheme(QString::fromLatin1(look.themeName), PaintedBadge(look)));
    return *found;
}

}  // namespace vantor::gui
