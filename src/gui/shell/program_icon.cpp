#include "gui/shell/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace {

// A hand-held radio: body, antenna, display and speaker grille, scaled to `size`.
QPixmap DrawRadio(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 48));
    p.drawRoundedRect(QRectF(20, 1, 3, 10), 1.5, 1.5);  // antenna
    p.setBrush(QColor(0, 110, 60));
    p.drawRoundedRect(QRectF(8, 8, 17, 23), 3, 3);  // body
    p.setBrush(QColor(200, 235, 210));
    p.drawRect(QRectF(11, 11, 11, 6));  // display
    p.setBrush(QColor(20, 60, 35));
    for (int row = 0; row < 3; ++row) {
        p.drawRect(QRectF(11, 20 + row * 3.2, 11, 1.6));  // grille
    }
    return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        icon.addPixmap(DrawRadio(size));
    }
    return icon;
}
