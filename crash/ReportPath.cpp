#include "crash/ReportPath.h"

#include <cstring>

namespace {

constexpr char kReportExtension[] = "RPT";
constexpr std::size_t kMinimumExtensionLength = 3;

}  // namespace

bool MakeReportPath(const char* programPath, char* reportPath, std::size_t capacity, LeadByteTest isLeadByte)
{
    if (reportPath == nullptr || capacity == 0)
        return false;
    reportPath[0] = '\0';
    if (programPath == nullptr || programPath[0] == '\0')
        return false;

    const std::size_t length = std::strlen(programPath);
    const char* lastDot = nullptr;
    for (std::size_t i = 0; i < length; ++i) {
        const char character = programPath[i];
        if (isLeadByte(static_cast<unsigned char>(character)) && i + 1 < length)
            ++i;
        else if (character == '\\' || character == '/' || character == ':')
            lastDot = nullptr;
        else if (character == '.')
            lastDot = programPath + i;
    }

    std::size_t keep = length;
    const char* separator = ".";
    if (lastDot != nullptr && length - static_cast<std::size_t>(lastDot + 1 - programPath) >= kMinimumExtensionLength) {
        keep = static_cast<std::size_t>(lastDot + 1 - programPath);
        separator = "";
    }
    const std::size_t needed = keep + std::strlen(separator) + std::strlen(kReportExtension) + 1;
    if (needed > capacity)
        return false;
    std::memcpy(reportPath, programPath, keep);
    std::strcpy(reportPath + keep, separator);
    std::strcat(reportPath, kReportExtension);
    return true;
}
