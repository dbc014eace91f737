#pragma once
#include <QPixmap>

// The 16 by 16 blank-page picture of the chapter grid's row indicator.
QPixmap BlankPagePicture();
