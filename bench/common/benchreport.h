#ifndef KVBENCHREPORT_H
#define KVBENCHREPORT_H

#include <cstdio>
#include <fstream>
#include <string>

// One figure for the benchmark table that scripts/bench.sh prints at the end: a tab-separated
// line marked "TABLE" (the human-readable lines around it stay as they are).
inline void reportFigure(const char *figure, const std::string &value, const char *target, bool met)
{
    std::printf("TABLE\t%s\t%s\t%s\t%s\n", figure, value.c_str(), target, *target ? (met ? "met" : "MISSED") : "");
    std::fflush(stdout);
}

inline std::string formatted(const char *format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Resident set size and its peak, in bytes, from /proc/self/status.
inline long long procStatusBytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) == 0)
            return std::stoll(line.substr(key.size())) * 1024;
    }
    return 0;
}

inline long long residentBytes() { return procStatusBytes("VmRSS"); }
inline long long peakResidentBytes() { return procStatusBytes("VmHWM"); }

#endif // KVBENCHREPORT_H
