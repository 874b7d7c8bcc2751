#include "crash/ReportLayout.h"

namespace {

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kUnknownName = "???";

const char* ModuleName(const LogicalAddress& where)
{
    return where.module != nullptr ? where.module : "";
}

}  // namespace

void PrintReportOpening(ReportPrint print, const LocalTime& time)
{
    const char* day = time.dayOfWeek < 7 ? kDayNames[time.dayOfWeek] : kUnknownName;
    const char* month = time.month >= 1 && time.month <= 12 ? kMonthNames[time.month - 1] : kUnknownName;
    print("//=====================================================\r\n");
    print("local time: %s %s %02u %02u:%02u:%02u %u\n\r\n", day, month, time.day, time.hour, time.minute,
          time.second, time.year);
}

void PrintExceptionLine(ReportPrint print, std::uint32_t code, ExceptionNamer name)
{
    print("Exception code: %08X ", static_cast<unsigned>(code));
    const char* text = name(code);
    print("%s\r\n", text != nullptr ? text : "");
}

void PrintFaultAddressLine(ReportPrint print, AddressWidth width, std::uint64_t address, const LogicalAddress& where)
{
    if (width == AddressWidth::Bits64)
        print("Fault address:  %08X%08X %02X:%08X %s\r\n", HighHalf(address), LowHalf(address), where.section,
              static_cast<unsigned>(where.offset), ModuleName(where));
    else
        print("Fault address:  %08X %02X:%08X %s\r\n", LowHalf(address), where.section,
              static_cast<unsigned>(where.offset), ModuleName(where));
}

void PrintCallStackHeading(ReportPrint print, AddressWidth width)
{
    print("\r\nCall stack:\r\n");
    if (width == AddressWidth::Bits64)
        print("Address           Frame             Logical addr  Module\r\n");
    else
        print("Address   Frame     Logical addr  Module\r\n");
}

void PrintCallStackLine(ReportPrint print, AddressWidth width, std::uint64_t pc, std::uint64_t frame,
                        const LogicalAddress& where)
{
    if (width == AddressWidth::Bits64)
        print("%08X%08X  %08X%08X  %04X:%08X %s\r\n", HighHalf(pc), LowHalf(pc), HighHalf(frame), LowHalf(frame), where.section,
              static_cast<unsigned>(where.offset), ModuleName(where));
    else
        print("%08X  %08X  %04X:%08X %s\r\n", LowHalf(pc), LowHalf(frame), where.section,
              static_cast<unsigned>(where.offset), ModuleName(where));
}

void PrintReportClosing(ReportPrint print)
{
    print("\r\n");
}
