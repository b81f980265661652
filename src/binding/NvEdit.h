#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

// The handler type of an edit's change and exit events.
using NvEditHandler = std::function<void(QLineEdit* edit)>;

// An edit as the pages and the binding layer see it: one change handler (called on every change
// of the text, also when the program sets it), one exit handler (called when the focus leaves the
// edit for another control of its window), a tag, and a maximum length that limits what the user
// types but never cuts a text the program sets. There is one handler of each kind, as with the
// original toolkit, so that whoever replaces one can save it and put it back.
//
// The object lives as a child of its QLineEdit and is created on first use.
class NvEdit : public QObject
{
    Q_OBJECT

public:
    static NvEdit* Of(QLineEdit* edit);
    // The edit's object when it has one, else null.
    static NvEdit* Find(const QLineEdit* edit);

    QLineEdit* edit() const { return m_edit; }

    const NvEditHandler& OnChange() const { return m_onChange; }
    void SetOnChange(NvEditHandler handler) { m_onChange = std::move(handler); }
    const NvEditHandler& OnExit() const { return m_onExit; }
    void SetOnExit(NvEditHandler handler) { m_onExit = std::move(handler); }

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    // 0 = no limit.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length) { m_maxLength = length < 0 ? 0 : length; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NvEdit(QLineEdit* edit);

    void textEdited(const QString& text);
    void textChanged();
    bool leaves(const QEvent* focusOut) const;

    QLineEdit* m_edit;
    NvEditHandler m_onChange;
    NvEditHandler m_onExit;
    int m_tag = 0;
    int m_maxLength = 0;
    QString m_lastText;   // the text before the change being handled
    QString m_editedText; // the text of the user's edit whose change is about to arrive
    bool m_userEdit = false;
    bool m_restoring = false;
};

// Moves the focus to the control after `from` in the tab order, among the controls of `owner`
// (the owner itself included), wrapping around; nothing when no other control takes the focus.
void FocusNextControl(QWidget* owner, QWidget* from);
