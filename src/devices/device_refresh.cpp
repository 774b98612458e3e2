#include "device_refresh.h"

#include "support/device_lib_ok.h"

void WriteList(DeviceWindow& window, Box box, const Selection& sel) {
    for (int n = 0; n < kExaminedSlots && sel.picked[n] != 0; ++n) {
        std::wstring text = window.ReadText(box);
        text += std::to_wstring(sel.picked[n]);
        text += L", ";
        window.WriteText(box, text);
    }
}

void DeviceRefresh::Command1_Click() {
    if (closed_) return;
    if (running_) {
        overtaken_ = true;
        return;
    }
    running_ = true;
    Run run;
    do {
        overtaken_ = false;
        run = RefreshOnce();
    } while (run == Run::Restart);
    running_ = false;
}

DeviceRefresh::Run DeviceRefresh::RefreshOnce() {
    window_.WriteText(Box::Connected, L"");
    DeviceTable devTable;
    if (QueryInto(devTable, Box::Connected) != Query::Ok) return Run::Completed;
    Selection sel = SelectConnected(devTable);

    if (const Run run = GetDisconnectList(); run != Run::Completed) return run;
    return OrderAndWrite(Box::Connected, sel, devTable);
}

DeviceRefresh::Run DeviceRefresh::GetDisconnectList() {
    window_.WriteText(Box::Disconnected, L"");
    DeviceTable devTable;
    switch (QueryInto(devTable, Box::Disconnected)) {
        case Query::Ok:
            break;
        case Query::Failed:
            return Run::Completed;  // the connected list still follows
        case Query::Unbound:
            return Run::Stop;
    }
    Selection sel = SelectDisconnected(devTable);
    return OrderAndWrite(Box::Disconnected, sel, devTable);
}

DeviceRefresh::Query DeviceRefresh::QueryInto(DeviceTable& table, Box box) {
    const QueryResult result = query_.KV_GetRegDevList(table);
    if (!result.unbound.empty()) {
        DeviceLibOK = false;
        Append(Box::Connected, result.unbound);
        window_.ScrollDisplay("down");
        return Query::Unbound;
    }
    DeviceLibOK = result.status != 0;
    if (DeviceLibOK) return Query::Ok;
    Append(box, kFunctionCallFailed);
    // Always the upper box's caret, even for the lower box's failure.
    window_.ScrollDisplay("down");
    return Query::Failed;
}

DeviceRefresh::Run DeviceRefresh::OrderAndWrite(Box box, Selection& sel, DeviceTable& buffer) {
    if (!OrderingPass(sel, buffer, [this] { return GiveWay(); })) {
        return closed_ ? Run::Stop : Run::Restart;
    }
    WriteList(window_, box, sel);
    return Run::Completed;
}

bool DeviceRefresh::GiveWay() {
    if (!window_.DoEvents()) {
        closed_ = true;
        return false;
    }
    return !overtaken_;
}

void DeviceRefresh::Append(Box box, std::wstring_view text) {
    std::wstring whole = window_.ReadText(box);
    whole += text;
    whole += kMessageEnd;
    window_.WriteText(box, whole);
}
