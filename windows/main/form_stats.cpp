#include "windows/main/form_stats.h"

#include <QHeaderView>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

QString figure(double v) {
    return QString::number(v, 'f', std::abs(v) >= 100 ? 0 : 2);
}

QString figure(const std::optional<double>& v) {
    return v ? figure(*v) : QString("-");
}

QString groupTitle(const engine::PressGroupStats& g) {
    return QString("%1  code %2  (%3 presses, %4 clean)")
        .arg(qs(g.format), g.code.empty() ? QString("(none)") : qs(g.code))
        .arg(g.presses)
        .arg(g.clean);
}

enum Column { Kind, Count, Mean, Sd, Min, Max, Standard, DevUs, DevPercent, Columns };

} // namespace

StatsPlot::StatsPlot(QWidget* parent) : QWidget(parent) {
    setObjectName("plotStats");
    setMinimumHeight(120);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void StatsPlot::setStatistics(const std::vector<engine::PressGroupStats>& groups) {
    m_rows.clear();
    m_range = 5;
    for (const auto& g : groups)
        for (size_t k = 0; k < g.kinds.size(); ++k) {
            const auto& s = g.kinds[k];
            if (!s.standard || *s.standard == 0) continue;
            const double standard = *s.standard;
            auto percent = [standard](double v) { return (v - standard) / standard * 100.0; };
            Row r;
            r.label = groups.size() > 1
                          ? QString("%1 %2: %3").arg(qs(g.format), qs(g.code), qs(s.kind))
                          : qs(s.kind);
            for (double v : g.values[k])
                r.percents.push_back(percent(v));
            r.mean = percent(s.mean);
            r.sd = s.sd / standard * 100.0;
            r.min = percent(s.min);
            r.max = percent(s.max);
            m_range = std::max({m_range, std::abs(r.min), std::abs(r.max)});
            m_rows.push_back(std::move(r));
        }
    m_range = std::ceil(m_range / 5) * 5;
    // Every row keeps a readable height; the scroll area around the plot
    // shows as many as fit.
    setMinimumHeight(std::max(120, 34 + 16 * static_cast<int>(m_rows.size())));
    updateGeometry();
    update();
}

QSize StatsPlot::sizeHint() const {
    return {640, 40 + 22 * static_cast<int>(std::max<size_t>(m_rows.size(), 3))};
}

void StatsPlot::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect shown = event->rect();
    p.setRenderHint(QPainter::Antialiasing);
    const int labelWidth = std::min(width() / 3, 220);
    const QRect plot(labelWidth, 8, width() - labelWidth - 12, height() - 34);
    if (m_rows.empty() || plot.width() < 20 || plot.height() < 10) {
        p.drawText(rect(), Qt::AlignCenter, "No times with a standard to plot.");
        return;
    }
    auto x = [&](double percent) {
        return plot.left() + (percent + m_range) / (2 * m_range) * plot.width();
    };
    // The grid: every 5% (or 10% for wide ranges), the standard drawn bold.
    const double step = m_range > 20 ? 10 : m_range > 10 ? 5 : 1;
    p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
    for (double g = -m_range; g <= m_range + 1e-9; g += step) {
        p.drawLine(QPointF(x(g), plot.top()), QPointF(x(g), plot.bottom()));
        if (std::fmod(std::abs(g), step * (m_range > 10 ? 1 : 5)) < 1e-9 || g == 0)
            p.drawText(QRectF(x(g) - 30, plot.bottom() + 4, 60, 16), Qt::AlignCenter,
                       QString("%1%").arg(g, 0, 'f', 0));
    }
    p.setPen(QPen(palette().color(QPalette::Text), 1.5));
    p.drawLine(QPointF(x(0), plot.top()), QPointF(x(0), plot.bottom()));

    const double rowHeight =
        static_cast<double>(plot.height()) / static_cast<double>(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        const double y = plot.top() + rowHeight * (static_cast<double>(i) + 0.5);
        if (y + rowHeight < shown.top() || y - rowHeight > shown.bottom()) continue;
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRectF(4, y - 10, labelWidth - 8, 20), Qt::AlignRight | Qt::AlignVCenter,
                   r.label);
        // Whiskers from the smallest to the largest time.
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.drawLine(QPointF(x(r.min), y), QPointF(x(r.max), y));
        for (double end : {r.min, r.max})
            p.drawLine(QPointF(x(end), y - 4), QPointF(x(end), y + 4));
        // The box: the mean and one standard deviation either side.
        const double h = std::min(14.0, rowHeight * 0.6);
        p.setBrush(QColor(120, 160, 220, 90));
        p.setPen(QPen(QColor(40, 80, 160), 1));
        p.drawRect(
            QRectF(QPointF(x(r.mean - r.sd), y - h / 2), QPointF(x(r.mean + r.sd), y + h / 2)));
        p.setPen(QPen(QColor(40, 80, 160), 2));
        p.drawLine(QPointF(x(r.mean), y - h / 2), QPointF(x(r.mean), y + h / 2));
        // Every time as a dot, spread a little up and down so equal times stay visible.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 60, 40, 160));
        for (size_t k = 0; k < r.percents.size(); ++k) {
            const double dy = (static_cast<double>(k % 5) - 2) * h / 8;
            p.drawEllipse(QPointF(x(r.percents[k]), y + dy), 2.2, 2.2);
        }
    }
}

Form_stats::Form_stats(QWidget* parent) : QDialog(parent) {
    setObjectName("Form_stats");
    setWindowTitle("Statistics");
    m_tblStats = new QTableWidget(0, Columns);
    m_tblStats->setObjectName("tblStats");
    m_tblStats->setHorizontalHeaderLabels(
        {"Kind", "Count", "Mean us", "SD us", "Min us", "Max us", "Standard", "Dev us", "Dev %"});
    m_tblStats->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblStats->verticalHeader()->hide();
    m_tblStats->verticalHeader()->setDefaultSectionSize(20);
    m_tblStats->setWordWrap(false);
    m_lStatsInfo = new QLabel;
    m_lStatsInfo->setObjectName("lStatsInfo");
    m_lStatsInfo->setWordWrap(true);
    m_lStatsInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lStatsDropped = new QLabel;
    m_lStatsDropped->setObjectName("lStatsDropped");
    m_lStatsDropped->setWordWrap(true);
    m_lStatsDropped->hide();
    m_plot = new StatsPlot;
    // Many codes make many rows: the plot and the summary scroll inside
    // the window instead of making it taller than the screen.
    auto scrolled = [](QWidget* w) {
        auto* area = new QScrollArea;
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidget(w);
        return area;
    };
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(m_tblStats);
    split->addWidget(scrolled(m_plot));
    split->addWidget(scrolled(m_lStatsInfo));
    split->setSizes({300, 220, 80});
    auto* v = new QVBoxLayout(this);
    v->addWidget(m_lStatsDropped);
    v->addWidget(split, 1);
    resize(820, 640);
}

void Form_stats::setDropped(size_t dropped, size_t kept) {
    m_lStatsDropped->setText(
        QString("%1 older captures of this run were dropped: the list keeps the last %2.")
            .arg(dropped)
            .arg(kept));
    m_lStatsDropped->setVisible(dropped > 0);
}

void Form_stats::setPresses(const std::vector<engine::PressRecord>& presses) {
    m_groups = engine::pressStatistics(presses);
    m_tblStats->setUpdatesEnabled(false);
    m_tblStats->clearSpans();
    int rows = 0;
    for (const auto& g : m_groups)
        rows += 1 + static_cast<int>(g.kinds.size());
    m_tblStats->setRowCount(0);
    m_tblStats->setRowCount(rows);
    QStringList info;
    int row = 0;
    for (const auto& g : m_groups) {
        const int title = row++;
        auto* head = new QTableWidgetItem(groupTitle(g));
        QFont bold = head->font();
        bold.setBold(true);
        head->setFont(bold);
        m_tblStats->setItem(title, 0, head);
        m_tblStats->setSpan(title, 0, 1, Columns);
        for (const auto& s : g.kinds) {
            const QString cells[Columns] = {qs(s.kind),
                                            QString::number(s.count),
                                            figure(s.mean),
                                            figure(s.sd),
                                            figure(s.min),
                                            figure(s.max),
                                            figure(s.standard),
                                            figure(s.deviationUs()),
                                            figure(s.deviationPercent())};
            for (int c = 0; c < Columns; ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_tblStats->setItem(row, c, item);
            }
            ++row;
        }
        info << QString("%1: every press passes with a time tolerance above %2%, an absolute "
                        "tolerance above %3 us and a cycle tolerance of %4 us.")
                    .arg(groupTitle(g), figure(g.tolerancePercent), figure(g.absoluteUs),
                         figure(g.cycleUs));
    }
    // Widths from the texts themselves: asking every item for its size
    // hint costs far more on a long table.
    const QFontMetrics metrics(m_tblStats->font());
    for (int c = 0; c < Columns; ++c) {
        int width = metrics.horizontalAdvance(m_tblStats->horizontalHeaderItem(c)->text()) + 16;
        for (int r = 0; r < m_tblStats->rowCount(); ++r)
            if (const QTableWidgetItem* item = m_tblStats->item(r, c);
                item && m_tblStats->columnSpan(r, c) == 1)
                width = std::max(width, metrics.horizontalAdvance(item->text()) + 12);
        m_tblStats->setColumnWidth(c, width);
    }
    m_tblStats->setUpdatesEnabled(true);
    m_tblStats->horizontalHeader()->setStretchLastSection(true);
    m_lStatsInfo->setText(info.join("\n"));
    m_plot->setStatistics(m_groups);
}

} // namespace qv
