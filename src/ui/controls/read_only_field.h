#pragma once

// Fields that show a value without taking typing look it: the window's colour behind their
// text instead of the colour of a field to type in.

class QLineEdit;
class QWidget;

namespace tw {

// Gives a field the look of a read-only one, or back the look of an editable one. The look
// follows later changes of the desktop's palette.
void ShowAsReadOnly(QWidget* field, bool readOnly);

// Makes a line edit read-only or editable, with the look to match.
void SetReadOnlyField(QLineEdit* edit, bool readOnly);

}  // namespace tw
