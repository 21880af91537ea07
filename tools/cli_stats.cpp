#include "tools/cli_commands.h"
#include "tools/json_out.h"

#include <cstdio>

namespace qv {

namespace {

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

std::string optionalNumber(const std::optional<double>& v) {
    return v ? number(*v) : "null";
}

void printJson(const std::vector<engine::PressGroupStats>& groups, const std::string& mode) {
    std::printf("{\"groups\": [");
    for (size_t i = 0; i < groups.size(); ++i) {
        const auto& g = groups[i];
        std::printf("%s\n  {\"format\": %s, \"code\": %s, \"presses\": %d, \"clean\": %d, "
                    "\"tolerance_percent\": %s, \"absolute_tolerance_us\": %s, "
                    "\"cycle_tolerance_us\": %s, \"kinds\": [",
                    i ? "," : "", jsonString(g.format).c_str(), jsonString(g.code).c_str(),
                    g.presses, g.clean, number(g.tolerancePercent).c_str(),
                    number(g.absoluteUs).c_str(), number(g.cycleUs).c_str());
        for (size_t k = 0; k < g.kinds.size(); ++k) {
            const auto& s = g.kinds[k];
            std::printf("%s\n    {\"kind\": %s, \"count\": %d, \"mean\": %s, \"sd\": %s, "
                        "\"min\": %s, \"max\": %s, \"standard\": %s, \"deviation_us\": %s, "
                        "\"deviation_percent\": %s}",
                        k ? "," : "", jsonString(s.kind).c_str(), s.count, number(s.mean).c_str(),
                        number(s.sd).c_str(), number(s.min).c_str(), number(s.max).c_str(),
                        optionalNumber(s.standard).c_str(), optionalNumber(s.deviationUs()).c_str(),
                        optionalNumber(s.deviationPercent()).c_str());
        }
        std::printf("]}");
    }
    std::printf("\n], \"mode\": %s}\n", jsonString(mode).c_str());
}

void printText(const std::vector<engine::PressGroupStats>& groups) {
    for (size_t i = 0; i < groups.size(); ++i) {
        const auto& g = groups[i];
        if (i) std::printf("\n");
        std::printf("%s  code %s  (%d presses, %d clean)\n", g.format.c_str(),
                    g.code.empty() ? "(none)" : g.code.c_str(), g.presses, g.clean);
        std::printf("  %-18s %5s %10s %8s %10s %10s %10s %9s %8s\n", "kind", "count", "mean", "sd",
                    "min", "max", "standard", "dev us", "dev %");
        for (const auto& s : g.kinds)
            std::printf("  %-18s %5d %10s %8s %10s %10s %10s %9s %8s\n", s.kind.c_str(), s.count,
                        number(s.mean).c_str(), number(s.sd).c_str(), number(s.min).c_str(),
                        number(s.max).c_str(), s.standard ? number(*s.standard).c_str() : "-",
                        s.deviationUs() ? number(*s.deviationUs()).c_str() : "-",
                        s.deviationPercent() ? number(*s.deviationPercent()).c_str() : "-");
        std::printf("  every press passes with a time tolerance above %s%%, an absolute tolerance "
                    "above %s us, a cycle tolerance of %s us\n",
                    number(g.tolerancePercent).c_str(), number(g.absoluteUs).c_str(),
                    number(g.cycleUs).c_str());
    }
}

} // namespace

int printStatistics(const std::vector<engine::PressRecord>& presses, const std::string& mode,
                    bool json) {
    const auto groups = engine::pressStatistics(presses);
    if (json)
        printJson(groups, mode);
    else
        printText(groups);
    return 0;
}

} // namespace qv
