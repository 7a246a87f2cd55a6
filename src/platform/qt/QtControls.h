#pragma once

#include <QRect>
#include <Qt>

#include <initializer_list>

class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tarvex {

// The launcher's windows place every control by hand, at the position its
// layout gives, under the name the rest of the program knows it by.

// A push button that is never a default button: Enter is the window's own
// business, not the focused button's.
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, QRect geometry);

// A single-line box: see keepToOneLine.
QLineEdit* makeField(QWidget* parent, const char* name, const char* accessibleName, QRect geometry);

// A single-line box holds one line, whichever way a text arrives: of a pasted
// text with line breaks (an address copied with the line end after it) it
// keeps the first line, line breaks before it skipped, and no line break.
void keepToOneLine(QLineEdit* field);

// Tab moves through the widgets in the order given.
void setTabChain(std::initializer_list<QWidget*> widgets);

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QRect geometry,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// The icon every window and message box of the launcher carries.
QIcon launcherIcon();

} // namespace tarvex
