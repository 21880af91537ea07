#include "link/link_window.h"

#include "link/capture_wait.h"
#include "link/qt_serial_port.h"

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace qv {

namespace {

QString entryText(int portNumber, const QtSerialPort& port) {
    return port.textMode(portNumber) ? QStringLiteral("COM%1 (text)").arg(portNumber)
                                     : QStringLiteral("COM%1").arg(portNumber);
}

void update(QComboBox& selCom, const QtSerialPort& port) {
    // The COM ports, then one entry for every LIRC device.
    const auto& lirc = port.lircDevices();
    const int wanted = PortTable::kPorts + static_cast<int>(lirc.size());
    while (selCom.count() > wanted && selCom.count() > PortTable::kPorts)
        selCom.removeItem(selCom.count() - 1);
    while (selCom.count() < wanted)
        selCom.addItem(QString());
    for (int i = 0; i < selCom.count(); ++i) {
        const int n = i + 1;
        QString text, tip;
        if (n <= PortTable::kPorts) {
            text = entryText(n, port);
            tip = QString::fromStdString(port.table().describe(n));
            if (port.textMode(n)) tip += QStringLiteral(", read as a text receiver");
        } else {
            const auto& d = lirc[static_cast<size_t>(n - PortTable::kPorts - 1)];
            text = QString::fromStdString(d.label());
            tip = QStringLiteral("LIRC device %1").arg(QString::fromStdString(d.path));
        }
        if (selCom.itemText(i) != text) selCom.setItemText(i, text);
        selCom.setItemData(i, tip, Qt::ToolTipRole);
    }
    const int n = selCom.currentIndex() + 1;
    selCom.setToolTip(
        n >= 1 ? QStringLiteral("%1: %2").arg(selCom.currentText(),
                                              selCom.itemData(n - 1, Qt::ToolTipRole).toString())
               : QString());
}

// The chooser's context menu sets the mode of the COM port shown.
void offerTextMode(QComboBox& selCom, QtSerialPort& port) {
    selCom.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        &selCom, &QWidget::customContextMenuRequested, &selCom, [&selCom, &port](const QPoint& at) {
            const int n = selCom.currentIndex() + 1;
            if (n < 1 || n > PortTable::kPorts) return;
            QMenu menu(&selCom);
            QAction* text =
                menu.addAction(QStringLiteral("COM%1 is a text receiver (115200 baud)").arg(n));
            text->setObjectName("mnuTextReceiver");
            text->setCheckable(true);
            text->setChecked(port.textMode(n));
            if (menu.exec(selCom.mapToGlobal(at)) == text) port.setTextMode(n, text->isChecked());
        });
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
    // The capture's wait is the window's that shows the port list.
    connectLink(port, session, portList.window()->findChild<CaptureWait*>());
    showPortDevices(portList, port);
    offerTextMode(portList, port);
    // Log lines go to the status bar: they report, they do not interrupt.
    QObject::connect(&port, &QtSerialPort::logLine, &portList, [&portList](const QString& line) {
        if (auto* main = qobject_cast<QMainWindow*>(portList.window()))
            main->statusBar()->showMessage(line, 10000);
    });
}

} // namespace qv
