#pragma once

class QLineEdit;
class QString;

// How edits display what pages put into them.

// Marks an edit read-only or editable in one step: a read-only edit is also painted in the
// button-face colour, so that the user sees at a glance which fields take input; an editable
// one gets the window colour back.
void SetReadOnly(QLineEdit* edit, bool readOnly);

// Sets an edit's text the way a program-set text shows: from its beginning, also when it is
// longer than the edit is wide (QLineEdit leaves the cursor at the end and shows the tail).
void ShowText(QLineEdit* edit, const QString& text);
