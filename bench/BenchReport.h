// What every benchmark's report is made of: the performance counter, medians
// and percentiles, and the goal line "goal <name>: <value> against
// <target>: met|missed".
#pragma once

#include <string>
#include <vector>

double NowMicroseconds();
// The value at fraction (0.5 the median) of the sorted values; 0 for none.
double Percentile(std::vector<double> values, double fraction);
inline double Median(std::vector<double> values)
{
    return Percentile(std::move(values), 0.5);
}
// One number in a printf format, as text.
std::string Format(const char* format, double value);
void Goal(const char* name, const std::string& value, const std::string& target, bool met);
