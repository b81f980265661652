#include "TSNMPPanel.h"

#include "NvDialogs.h"
#include "NvSNMPRequest2Edits.h"
#include "PanelSupport.h"
#include "TCtrlBtnPanel.h"
#include "TMsgPanel.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>

TSNMPPanel::TSNMPPanel(QWidget* parent, TMsgPanel* messages_, NvSNMPRequest2Edits* binding_)
    : QWidget(parent), binding(binding_), messages(messages_), m_ownMessages(messages_ == nullptr)
{
    setObjectName(QStringLiteral("SNMPPanel"));
    splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setChildrenCollapsible(false);
    contentArea = new QSplitter(Qt::Vertical, splitter);
    contentArea->setObjectName(QStringLiteral("contentArea"));
    contentArea->setChildrenCollapsible(false);
    buttons = new TCtrlBtnPanel(splitter);
    splitter->addWidget(contentArea);
    splitter->addWidget(buttons);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    if (m_ownMessages) {
        messages = new TMsgPanel(contentArea);
        contentArea->addWidget(messages);
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    if (binding) {
        binding->SetStatusTarget(messages->memo);
        // Every outcome of a read or write becomes a line in the message area, unless the page
        // follows its requests itself.
        if (!binding->request.statusCallback)
            binding->ReportStatusThroughCallback();
    }
    connect(buttons->refreshButton, &QPushButton::clicked, this, [this] { RefreshClicked(); });
    connect(buttons->closeButton, &QPushButton::clicked, this, &TSNMPPanel::CloseClicked);
}

void TSNMPPanel::RefreshClicked()
{
    // A blocking read that lets window messages run (a table filling its list view) must not be
    // started a second time from inside itself.
    if (!binding || (binding->busy && !binding->async))
        return;
    ReportingRaisedErrors(*binding, 0, [this] { binding->Read(); });
}

void TSNMPPanel::CloseClicked()
{
    if (!form) {
        NvDialogs::Message(window(), QStringLiteral("Please initial close form"),
                           NvDialogs::ExecutableFileName());
        return;
    }
    form->close();
}

void TSNMPPanel::SetContent(QWidget* control)
{
    if (content && content != control)
        content->hide();
    content = control;
    if (!control)
        return;
    if (control->parentWidget() != contentArea)
        contentArea->insertWidget(0, control);
    control->show();

    const QSize contentSize = control->sizeHint();
    const int handle = splitter->handleWidth();
    int width = contentSize.width() + buttons->width() + handle + 3;
    int height = contentSize.height();
    if (m_ownMessages)
        height += messages->sizeHint().height() + contentArea->handleWidth();
    height = qMax(height, buttons->sizeHint().height());
    resize(width, height);
    splitter->setSizes({width - buttons->width() - handle, buttons->width()});
    QList<int> sizes;
    for (int i = 0; i < contentArea->count(); ++i) {
        QWidget* part = contentArea->widget(i);
        sizes.append(part == control ? contentSize.height()
                                     : (part == messages ? messages->sizeHint().height() : 0));
    }
    contentArea->setSizes(sizes);
    contentArea->setStretchFactor(contentArea->indexOf(control), 1);
    updateGeometry();
}

void TSNMPPanel::AttachToForm(QWidget* form_)
{
    form = form_;
    if (!form)
        return;
    const int width = qMin(qMax(form->width(), this->width()), kMaximumFormWidth);
    const int height = qMin(qMax(form->height(), this->height()), kMaximumFormHeight);
    if (!form->layout()) {
        auto* layout = new QHBoxLayout(form);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    if (form->layout()->indexOf(this) < 0)
        form->layout()->addWidget(this);
    show();
    form->resize(width, height);
    CentreOnMainWindow(form);
}
