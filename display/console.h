// The terminal a program started from a console writes to: on Windows a windowed program has no console
// of its own, so it attaches to the one it was started from (console_win32.cpp); on Linux standard
// output and error are there already (console_linux.cpp).
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

namespace zorikan::display {

// Makes standard output and standard error reach the console the program was started from, when they
// reach nothing. Called first thing in main; does nothing where they are already set up.
void attach_parent_console();

// The bytes that show `text` on `stream`: the console's code page for a Windows console, the local
// 8-bit encoding otherwise.
QByteArray console_text(const QString& text, std::FILE* stream);

}  // namespace zorikan::display
