#pragma once

#include "NvSNMPRequest2Edits.h"

// A table binding that numbers its list-view rows and leaves out the rows whose key item holds
// skipKey (client lists, site survey, filtered row lists).
class New_req2Edit : public NvSNMPRequest2Edits
{
public:
    using NvSNMPRequest2Edits::NvSNMPRequest2Edits;

    int rowNumber = 1;
    QString skipKey = QStringLiteral("0");
    int keyItem = 1;

    void RowRead() override;
    virtual void AddNumberedRow();
};
