#include "real_time_hot_key.h"

#include "real_time_key.h"

TRealTimeVirtualCodeHotKey::TRealTimeVirtualCodeHotKey(QWidget* parent)
    : TVirtualCodeHotKey(parent) {}

TRealTimeKey* TRealTimeVirtualCodeHotKey::RealTimeKey() const {
    return key;
}

void TRealTimeVirtualCodeHotKey::SetRealTimeKey(TRealTimeKey* value) {
    key = value;
}

void TRealTimeVirtualCodeHotKey::LoadFromKey() {
    const TRealTimeKey& linked = LinkedKey();
    SetVirtualKey(linked.VirtualKey());
    SetShiftState(linked.ShiftState());
}

void TRealTimeVirtualCodeHotKey::StoreToKey() {
    TRealTimeKey& linked = LinkedKey();
    linked.SetVirtualKey(VirtualKey());
    linked.SetShiftState(ShiftState());
    RefreshText();
}

TRealTimeKey& TRealTimeVirtualCodeHotKey::LinkedKey() const {
    if (key == nullptr) {
        throw EHotKeyNotLinked();
    }
    return *key;
}
