#pragma once
#include <QIcon>

// The pictures and the user guide compiled into the program. Loaded once;
// every user of a ":/" path calls this first (the library is static, so
// nothing else would pull the resources in).
void LoadResources();

// The icon of a command: the desktop theme's picture of that name where the
// theme has one, else the program's own (icons/<fallback>-24.png and -48).
QIcon CommandIcon(const char *themeName, const char *fallback = nullptr);

// The program's icon in all its sizes (window, About box, help window).
QIcon ApplicationIcon();
