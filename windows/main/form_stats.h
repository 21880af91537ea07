// "Statistics...": the presses picked from the captures of this run, kind
// by kind for every format and code, with a strip plot of each kind's
// spread around its standard.
#pragma once

#include "engine/press_stats.h"

#include <QDialog>
#include <QWidget>

#include <vector>

class QLabel;
class QTableWidget;

namespace qv {

// Every time as its deviation from the standard in percent, one row per
// kind: the times as dots, the mean with one standard deviation either
// side as a box, the smallest and largest as whiskers.
class StatsPlot : public QWidget {
    Q_OBJECT
public:
    explicit StatsPlot(QWidget* parent = nullptr);
    void setStatistics(const std::vector<engine::PressGroupStats>& groups);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Row {
        QString label;
        std::vector<double> percents; // every time
        double mean = 0, sd = 0, min = 0, max = 0;
    };
    std::vector<Row> m_rows;
    double m_range = 5; // percent either side shown
};

class Form_stats : public QDialog {
    Q_OBJECT
public:
    explicit Form_stats(QWidget* parent = nullptr);
    void setPresses(const std::vector<engine::PressRecord>& presses);
    // Says that the oldest captures of the run were dropped, when some were.
    void setDropped(size_t dropped, size_t kept);
    const std::vector<engine::PressGroupStats>& statistics() const { return m_groups; }

private:
    std::vector<engine::PressGroupStats> m_groups;
    QTableWidget* m_tblStats = nullptr;
    QLabel* m_lStatsInfo = nullptr;
    QLabel* m_lStatsDropped = nullptr;
    StatsPlot* m_plot = nullptr;
};

} // namespace qv
