#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>
#include <vector>

class NvSNMPRequest2Edits;
class QTabWidget;
class TSNMPEditorPanel;
class TSNMPListViewPanel;

namespace Ui {
class TConfigForm;
}

// The window of a generic MIB page: it owns the page's bindings, hosts one SNMP panel, reads
// once its window runs (the deferred refresh) and shuts the bindings down when it closes.
//
// Closing takes every binding's request out of service and waits for a running operation to
// end, but no longer than that request's own time-out and retries allow plus closeGraceMs; then
// the binding goes anyway. A close asked for from inside an operation of one of the bindings
// (a list view letting window messages run while it fills, a completion's handler) or while a
// dialog of the page is open is carried out as soon as that operation has returned or that
// dialog has closed.
class TConfigForm : public QDialog
{
    Q_OBJECT

public:
    enum FormType
    {
        NoPage = 0,
        EditorPage = 1,
        ListPage = 2,
        TabbedPages = 3, // one binding per tab page of `pages`, the active tab selects it
    };

    // The private message that asks for the deferred refresh.
    static constexpr int kRefreshMessage = 34002;

    explicit TConfigForm(QWidget* owner = nullptr);
    ~TConfigForm() override;

    // Takes the binding and shows it as an editor page. Raises std::runtime_error "Can not
    // change Type of a Config Form!" when the form already has a page (the binding is freed).
    TSNMPEditorPanel* AddEditorPage(std::unique_ptr<NvSNMPRequest2Edits> binding);
    // The same for a table; a non-empty addValue (deleteValue) declares the status column's
    // value that creates (deletes) a row.
    TSNMPListViewPanel* AddListPage(std::unique_ptr<NvSNMPRequest2Edits> binding, int addColumn,
                                    const QString& addValue, int deleteColumn,
                                    const QString& deleteValue);

    // Reads the page's binding (the active tab's for tabbed pages); only that binding's request
    // stays in service. Read errors go to the page's message area. Raises std::runtime_error
    // "Refresh a Form with unknown Form Type!" for a form type it does not know.
    void Refresh();

    int formType = NoPage;
    std::vector<std::unique_ptr<NvSNMPRequest2Edits>> bindings;
    NvSNMPRequest2Edits* activeBinding = nullptr;
    QPointer<QTabWidget> pages;

    // The second a close waits beyond the requests' own limits; tests shorten it.
    static int closeGraceMs;

    void done(int result) override;

protected:
    bool event(QEvent* event) override;

private:
    void takePage(std::unique_ptr<NvSNMPRequest2Edits> binding, int type);
    bool operationOnStack() const;
    void shutDownBindings();

    std::unique_ptr<Ui::TConfigForm> m_ui;
    bool m_closing = false;
    bool m_shutDown = false;
    bool m_closeQueued = false;
};
