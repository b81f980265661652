#pragma once

#include "NvMainWindowApi.h"
#include "NvStartupSequence.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace Ui {
class TMainForm;
}
class NvMenuRows;
class NvSNMPRequest;
class NvSNMPRequest2Edits;
struct NvSNMPError;
class QAction;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;

// The main window: the device's front with its indicators, the status line of the periodic
// device poll, the hidden capability fields the probe fills, and the menus.
class TMainForm : public QMainWindow, public NvMainWindowApi, public NvStartupHost
{
    Q_OBJECT

public:
    // Construction loads the catalogs beside the executable; Create runs the creation sequence.
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The creation sequence: start-up (session, registry, command line, one module per device),
    // then the device probe and the timers. Returns false when the application is to end.
    bool Create(const QStringList& arguments);
    // The device probe and the timers (the second half of the creation sequence); main runs it
    // once the window is shown.
    void ProbeDevice();

    // NvMainWindowApi
    QString CapabilityText(const QString& fieldName) const override;
    QString DeviceAddressText() const override;
    QString DeviceIPAddress() const override;
    QString DeviceSubnetMask() const override;
    QString StatusText() const override;
    QWidget* Window() override { return this; }

    // NvStartupHost
    void StopCapabilityTimer() override;
    QString Caption() const override;
    void SetCaption(const QString& caption) override;
    QWidget* MessageOwner() override { return this; }

    // The field as the window holds it now (a refresh may just have cleared it).
    QString FieldText(const QString& fieldName) const;
    QLineEdit* Field(const QString& fieldName) const;
    QComboBox* CB_Active = nullptr;
    QComboBox* CB_Discard = nullptr;

    QTimer LedStatus;
    QTimer LedBlink;
    QTimer Timer1;
    int ledBlinkTag = 0;
    int refreshTick = 0;
    QString lastStatusText;
    QString modelName = QStringLiteral("QTR-9000KX");

    QAction* Action(const QString& objectName) const;
    // The menu bar's rows.
    NvMenuRows* MenuRows() const { return m_menuRows; }
    QMenu* Menu(const QString& objectName) const;

    // The steps the timers run; public so that tests can drive them.
    void StatusPoll();
    void BlinkStep();
    void CapabilityRefresh();
    void AdvancedMenuRules();
    void ToolsMenuRules();
    void StatusMenuRules();
    void StatsMenuRules();

    // The menu commands that act on the device directly.
    void SaveAndActive();
    void DiscardChanges();
    void ShowAbout();

    // Page choices that depend on capability fields (their last received values): the page
    // class to open, or an empty text for none.
    static QString MultiSsidPage(const QString& newMultiSupport);
    static QString AdminPage(const QString& managerIp);
    static QString FirmwarePage(const QString& sslSupport);

    // Makes a menu item open a page: the page is created with the main window as owner, shown
    // modally and destroyed when it closes.
    using PageFactory = std::function<QDialog*(QWidget* owner)>;
    void SetPage(const QString& actionName, PageFactory factory);
    void OpenPage(const PageFactory& factory);

    // The Save/Discard binding (Save and Active, Discard Changes use it).
    NvSNMPRequest2Edits* SaveDiscardBinding() const { return m_saveDiscard.get(); }
    const NvStartupSequence& startup() const { return m_startup; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCapabilityFields();
    void buildMenus();
    bool probeDevice();
    void statusPollDone(const NvSNMPError& error);
    void setStatusText(const QString& text);
    void showIndicatorsSilent();
    void recordReceived(const QStringList& fields);
    void afterSaveAndActive();
    void releaseProbeBindings();

    std::unique_ptr<Ui::TMainForm> m_ui;
    QLabel* m_statusPanel = nullptr;
    NvMenuRows* m_menuRows = nullptr;
    QHash<QString, QLineEdit*> m_fields;
    QHash<QString, QString> m_lastReceived;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;

    NvStartupSequence m_startup;
    std::unique_ptr<NvSNMPRequest> m_statusRequest;
    QTimer m_pollWatchdog;
    // Probe bindings in table order; the first fourteen are refreshed.
    std::vector<std::unique_ptr<NvSNMPRequest2Edits>> m_probeBindings;
    std::unique_ptr<NvSNMPRequest2Edits> m_saveDiscard;
    std::vector<std::unique_ptr<NvSNMPRequest2Edits>> m_onceBindings;
    std::unique_ptr<NvSNMPRequest2Edits> m_clientInfoBinding;
    QString m_refreshErrorShown; // the refresh error already shown while it persists
    bool m_probeComplete = false;
};
