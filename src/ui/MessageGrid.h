// The one-column grid of message names that the strip editor and the console's popup share:
// the keys of one com.ini section, picked by a click.
#pragma once

#include <QString>

class QTableWidget;
class QWidget;

namespace zaz {

class IniFile;

// An empty grid named "StringGrid1", without headers, read-only, one row selected at a time.
QTableWidget *NewMessageGrid(QWidget *parent);

// Fills grid with the message names of a section of com.ini.
void FillMessageGrid(QTableWidget *grid, const IniFile &com, const QString &section);

} // namespace zaz
