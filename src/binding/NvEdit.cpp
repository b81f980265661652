#include "NvEdit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScopeGuard>

namespace {

// While an exit handler runs, focus moves are its own doing (a message box takes the focus, a
// refused edit takes it back), not the user leaving some other edit.
int exitHandlersRunning = 0;

// The text after the user's edit, with the inserted part cut to what the limit leaves room for.
// An insertion with no room at all is refused whole: the previous text comes back unchanged.
QString limitInsertion(const QString& before, const QString& after, int maxLength, int& cursor)
{
    int prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);
    const int kept = prefix + suffix; // what stays of the text before
    int room = maxLength - kept;
    if (room <= 0) {
        cursor = prefix;
        return before;
    }
    room = std::min<int>(room, inserted.size());
    if (room < inserted.size() && inserted[room - 1].isHighSurrogate())
        --room; // never split a character
    cursor = prefix + room;
    return after.left(prefix) + inserted.left(room) + after.right(suffix);
}

bool takesTabFocus(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isEnabled() &&
           widget->isVisibleTo(widget->window()) && !widget->focusProxy();
}

} // namespace

NvEdit::NvEdit(QLineEdit* edit) : QObject(edit), m_edit(edit), m_lastText(edit->text())
{
    connect(edit, &QLineEdit::textEdited, this, &NvEdit::textEdited);
    connect(edit, &QLineEdit::textChanged, this, &NvEdit::textChanged);
    edit->installEventFilter(this);
}

NvEdit* NvEdit::Of(QLineEdit* edit)
{
    if (NvEdit* existing = Find(edit))
        return existing;
    return new NvEdit(edit);
}

NvEdit* NvEdit::Find(const QLineEdit* edit)
{
    return edit ? edit->findChild<NvEdit*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void NvEdit::textEdited(const QString& text)
{
    // textEdited comes just before the textChanged of the same edit.
    m_userEdit = true;
    m_editedText = text;
}

void NvEdit::textChanged()
{
    const QString text = m_edit->text();
    const bool typed = m_userEdit && text == m_editedText;
    m_userEdit = false;
    if (m_restoring) {
        m_lastText = text;
        return;
    }
    if (typed && m_maxLength > 0 && text.size() > m_maxLength && text.size() > m_lastText.size()) {
        int cursor = 0;
        const QString limited = limitInsertion(m_lastText, text, m_maxLength, cursor);
        // A refused keystroke is no change at all: the handler does not hear of it.
        m_restoring = limited == m_lastText;
        m_edit->setText(limited);
        m_restoring = false;
        m_edit->setCursorPosition(cursor);
        return;
    }
    m_lastText = text;
    if (m_onChange) {
        const NvEditHandler handler = m_onChange; // the handler may replace itself
        handler(m_edit);
    }
}

bool NvEdit::leaves(const QEvent* focusOut) const
{
    // Menus, other windows and message boxes take the focus for a while; the user has not left
    // the edit for another control. Neither has an edit that is being hidden.
    switch (static_cast<const QFocusEvent*>(focusOut)->reason()) {
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
    case Qt::MenuBarFocusReason:
        return false;
    default:
        return m_edit->isVisible();
    }
}

bool NvEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edit || event->type() != QEvent::FocusOut || !m_onExit ||
        exitHandlersRunning > 0 || !leaves(event))
        return QObject::eventFilter(watched, event);
    // The edit finishes its own focus-out first, so that a handler that gives it the focus back
    // is not undone by it.
    QLineEdit* edit = m_edit;
    static_cast<QObject*>(edit)->event(event);
    const NvEditHandler handler = m_onExit;
    ++exitHandlersRunning;
    const auto done = qScopeGuard([] { --exitHandlersRunning; });
    handler(edit);
    return true;
}

void FocusNextControl(QWidget* owner, QWidget* from)
{
    if (!from)
        return;
    if (!owner)
        owner = from->window();
    // The chain is a ring; the bound only protects against a ring that lost `from`.
    QWidget* candidate = from;
    for (int steps = 0; steps < 100000; ++steps) {
        candidate = candidate->nextInFocusChain();
        if (!candidate || candidate == from)
            return;
        if ((candidate == owner || owner->isAncestorOf(candidate)) && takesTabFocus(candidate)) {
            candidate->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
