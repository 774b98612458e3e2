#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "device_order.h"
#include "device_table.h"

// The two boxes of the window: txtMsgDisplay and txtMsgDisplay2.
enum class Box { Connected, Disconnected };

// What the window lends a refresh.
class DeviceWindow {
public:
    virtual ~DeviceWindow() = default;
    virtual std::wstring ReadText(Box box) = 0;
    virtual void WriteText(Box box, const std::wstring& text) = 0;
    // Processes all pending events; false once the window has gone.
    virtual bool DoEvents() = 0;
    virtual void ScrollDisplay(std::string_view command) = 0;
};

struct QueryResult {
    std::uint8_t status = 0;
    // Non-empty when the library or its function could not be bound: says
    // what is missing, for the user.
    std::wstring unbound;
};

class DeviceQuery {
public:
    virtual ~DeviceQuery() = default;
    virtual QueryResult KV_GetRegDevList(DeviceTable& table) = 0;
};

inline constexpr std::wstring_view kFunctionCallFailed = L"function call failed";
inline constexpr std::wstring_view kMessageEnd = L"\r\n\r\n";

// Both list refreshes of one press. A press that arrives while a refresh
// yields does not nest: it marks the running refresh overtaken, and that
// refresh starts again from its first step, so the newest press wins.
class DeviceRefresh {
public:
    DeviceRefresh(DeviceWindow& window, DeviceQuery& query) : window_(window), query_(query) {}

    void Command1_Click();
    bool Running() const { return running_; }

private:
    enum class Run { Completed, Stop, Restart };
    enum class Query { Ok, Failed, Unbound };

    Run RefreshOnce();
    Run GetDisconnectList();
    Query QueryInto(DeviceTable& table, Box box);
    Run OrderAndWrite(Box box, Selection& sel, DeviceTable& buffer);
    bool GiveWay();
    void Append(Box box, std::wstring_view text);

    DeviceWindow& window_;
    DeviceQuery& query_;
    bool running_ = false;
    bool overtaken_ = false;
    bool closed_ = false;
};

// Appends each number as decimal digits and ", ", one read and one write of
// the box's whole text per number, so earlier text stays in front.
void WriteList(DeviceWindow& window, Box box, const Selection& sel);
