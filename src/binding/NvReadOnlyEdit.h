#pragma once

class QLineEdit;

// Pages mark an edit read-only or editable in one step: a read-only edit is also painted in
// the button-face colour, so that the user sees at a glance which fields take input; an
// editable one gets the window colour back.
void SetReadOnly(QLineEdit* edit, bool readOnly);
