#include "link/link_window.h"

#include "link/qt_serial_port.h"

#include <QComboBox>

namespace qv {

namespace {

void update(QComboBox& selCom, const QtSerialPort& port) {
    for (int i = 0; i < selCom.count() && i < PortTable::kPorts; ++i)
        selCom.setItemData(i, QString::fromStdString(port.table().describe(i + 1)),
                           Qt::ToolTipRole);
    const int n = selCom.currentIndex() + 1;
    selCom.setToolTip(n >= 1 ? QStringLiteral("COM%1: %2")
                                   .arg(n)
                                   .arg(QString::fromStdString(port.table().describe(n)))
                             : QString());
}

} // namespace

void showPortDevices(QComboBox& selCom, QtSerialPort& port) {
    update(selCom, port);
    QObject::connect(&port, &QtSerialPort::tableChanged, &selCom,
                     [&selCom, &port] { update(selCom, port); });
    QObject::connect(&selCom, &QComboBox::currentIndexChanged, &port,
                     [&selCom, &port] { update(selCom, port); });
}

void attachReceiverLink(QtSerialPort& port, Session& session, QComboBox& portList) {
    connectLink(port, session);
    showPortDevices(portList, port);
}

} // namespace qv
