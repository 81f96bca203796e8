#pragma once
// The program's icon, drawn rather than loaded so the program needs no image files beside it.
#include <QIcon>

QIcon ProgramIcon();
