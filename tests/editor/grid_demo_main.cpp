// Draws a demo settings grid and saves it as a PNG: editor_grid_demo OUT.png
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "demo_grid.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    DemoGrid grid;
    grid.resize(640, 312);
    grid.Build(10, 4, 145);
    grid.SetColumnWidth(0, 190);
    grid.SetupHeader();
    grid.GetHeaderCtrl()->SetItemText(0, "Address book");
    grid.MakeSection(0, "Address book settings", -1);
    grid.MakeLabel(1, 0, "Own ID");
    grid.MakeEditable(1, 1, "00123");
    grid.SetCellSpan(1, 1, 3);
    grid.MakeLabel(2, 0, "Call type");
    grid.MakeEditable(2, 1, "Individual");
    grid.SetCellSpan(2, 1, 3);
    grid.MakeLabel(3, 0, "Group ID");
    grid.MakeEditable(3, 1, "");
    grid.SetCellEditable(3, 1, 0);
    grid.SetCellSpan(3, 1, 3);
    grid.MakeSection(4, "ID list", -1);
    grid.SetBoldRow(5);
    const char* heads[] = {"No.", "Type", "ID", "Name"};
    for (int column = 0; column < 4; ++column) {
        grid.MakeLabel(5, column, heads[column]);
    }
    const char* rows[][4] = {{"1", "Individual", "00001", "Front desk"},
                             {"2", "Group", "00200", "Maintenance crew"},
                             {"3", "Individual", "00017", "A rather long name that does not fit"},
                             {"4", "", "", ""}};
    for (int r = 0; r < 4; ++r) {
        grid.MakeLabel(6 + r, 0, rows[r][0]);
        for (int column = 1; column < 4; ++column) {
            grid.MakeEditable(6 + r, column, rows[r][column]);
        }
    }
    grid.show();
    QTimer::singleShot(0, [&] {
        grid.MoveToRow(7);
        grid.setFocus();
        // Tab makes the row's first value cell current, so the highlight shows.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(&grid, &tab);
        QMetaObject::invokeMethod(
            &grid,
            [&] {
                grid.grab().save(argc > 1 ? argv[1] : "/tmp/grid.png");
                QApplication::quit();
            },
            Qt::QueuedConnection);
    });
    return application.exec();
}
