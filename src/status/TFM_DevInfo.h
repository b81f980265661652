#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TFM_DevInfo;
}
class NvSNMPRequest2Edits;

// "Status \ Device Info": what the radio is doing now, the firmware and MAC addresses, the
// Ethernet address settings and, on devices that report it, CPU and memory utilisation.
// Everything is read once when the page is created; "Refresh" re-reads the radio status and the
// utilisation only. The page writes nothing to the device.
class TFM_DevInfo : public QDialog
{
    Q_OBJECT

public:
    explicit TFM_DevInfo(QWidget* owner = nullptr);
    ~TFM_DevInfo() override;

    Ui::TFM_DevInfo* ui() const { return m_ui.get(); }

    // The radio status binding (first radio) and the asynchronous utilisation binding, which
    // exists only on a device that reports utilisation.
    NvSNMPRequest2Edits* wirelessBinding() const { return m_wireless.get(); }
    NvSNMPRequest2Edits* apStatusBinding() const { return m_apStatus.get(); }

    // The super mode as the page shows it, from the main window's turbo capability text, the
    // channel text and the device's super mode text.
    static QString SuperModeText(const QString& turboModes, const QString& channel,
                                 const QString& superMode);
    // A secondary MAC address derived from the primary one: "04", the primary's third
    // character, digit, and the primary from its fifth character on.
    static QString SecondaryMac(const QString& primaryMac, QChar digit);

    // Bt_Refa: the utilisation (when the device reports it), then the first radio's status.
    void Refresh();

private:
    void Create();
    void readWireless();
    void showSuperMode();
    void readDevice();
    void showSecondaryMacs();
    void readApStatus();
    bool apStatusSupported() const;
    bool secondRadioShown() const;
    void readSecondRadio();

    std::unique_ptr<Ui::TFM_DevInfo> m_ui;
    std::unique_ptr<NvSNMPRequest2Edits> m_wireless;
    std::unique_ptr<NvSNMPRequest2Edits> m_secondRadio;
    std::unique_ptr<NvSNMPRequest2Edits> m_device;
    std::unique_ptr<NvSNMPRequest2Edits> m_capability;
    std::unique_ptr<NvSNMPRequest2Edits> m_apStatus;
};
