// "Scan all formats...": the last capture decoded against every catalogue
// row, ranked by fit. Choosing a row selects its format as its menu entry
// does.
#pragma once

#include "app/format_scan.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace qv {

class Session;

class Form_scan : public QDialog {
    Q_OBJECT
public:
    explicit Form_scan(Session& session, QWidget* parent = nullptr);

    // Scans the last capture and fills the table. False, with a message,
    // when there is no capture or the catalogue cannot be read.
    bool scan();

    const std::vector<ScanResult>& results() const { return m_results; }

signals:
    // irtype was set from a row.
    void formatChosen();

private:
    void chooseCurrentRow();
    void followCurrentRow();

    Session& m_s;
    std::vector<ScanResult> m_results;
    QTableWidget* m_tblScan = nullptr;
    QCheckBox* m_cLearn = nullptr;
    QComboBox* m_cTole = nullptr;
    QLabel* m_lScanInfo = nullptr;
    QPushButton* m_bSelect = nullptr;
};

} // namespace qv
