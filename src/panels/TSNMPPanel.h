#pragma once

#include <QPointer>
#include <QWidget>

class NvSNMPRequest2Edits;
class QSplitter;
class TCtrlBtnPanel;
class TMsgPanel;

// A page body over one binding: the button column on the right, the content (editing rows or a
// list view) on the left and, below the content, the message area the binding reports into.
class TSNMPPanel : public QWidget
{
    Q_OBJECT

public:
    // messages: the message area to report into; none: the panel makes its own below the
    // content. The binding is not owned; its status lines go to the message area.
    TSNMPPanel(QWidget* parent, TMsgPanel* messages, NvSNMPRequest2Edits* binding);

    // Shows control as the content (the previous one is hidden) and sizes the panel to it.
    void SetContent(QWidget* control);
    // The panel fills form, whose client area grows to the panel's size (at most 800 x 550);
    // form is centred on the main window and is what the close button closes.
    void AttachToForm(QWidget* form);

    // The refresh button: reads the binding; a raised error becomes a status line.
    virtual void RefreshClicked();
    // The close button: closes the form the panel is attached to.
    void CloseClicked();

    NvSNMPRequest2Edits* binding;
    TCtrlBtnPanel* buttons;
    QSplitter* splitter;    // between the content area and the buttons
    QSplitter* contentArea; // the content above, the own message area below
    TMsgPanel* messages;
    QPointer<QWidget> content;
    QPointer<QWidget> form;

    static constexpr int kMaximumFormWidth = 800;
    static constexpr int kMaximumFormHeight = 550;

private:
    bool m_ownMessages;
};
