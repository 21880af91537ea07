// The link's place in the main window: its events reach the session, and
// the device behind every "COMn" entry of the port list is shown where the
// user sees it (the entry's tooltip, and the chosen one's on the list). The
// LIRC devices follow the COM ports in the list; the list's context menu
// makes a COM port a text receiver. Log lines show in the status bar.
#pragma once

class QComboBox;

namespace qv {

class QtSerialPort;
class Session;

// Keeps the tooltips current while the port table changes.
void showPortDevices(QComboBox& selCom, QtSerialPort& port);

// Everything the main window needs of the link: the receive event and the
// port's loss go to the session (connectLink), a piece received starts the
// capture's wait the window holds (link/capture_wait.h), and the port list
// the window hands over ("SelCom") shows the devices.
void attachReceiverLink(QtSerialPort& port, Session& session, QComboBox& portList);

} // namespace qv
