#include "QtrSnmpTool.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qtr-snmp"));
    QCoreApplication::setOrganizationName(QStringLiteral("qtr9000kx"));
    return QtrSnmpTool::Run(QCoreApplication::arguments(), stdout, stderr);
}
