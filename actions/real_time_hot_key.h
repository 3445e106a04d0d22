#pragma once

#include "platform/exception.h"
#include "virtual_code_hot_key.h"

#include <QPointer>

class TRealTimeKey;

// An editor was asked to load or store without a key to do it with.
class EHotKeyNotLinked : public Exception {
public:
    EHotKeyNotLinked() : Exception("ReferExSpeedButton is not assigned") {}
};

// The shortcut editor of one real-time key in the key-binding dialog.
class TRealTimeVirtualCodeHotKey : public TVirtualCodeHotKey {
    Q_OBJECT
public:
    explicit TRealTimeVirtualCodeHotKey(QWidget* parent = nullptr);

    TRealTimeKey* RealTimeKey() const;
    void SetRealTimeKey(TRealTimeKey* value);

    // Shows the key's binding. Raises EHotKeyNotLinked without a key.
    void LoadFromKey();
    // Gives the key the binding shown. Raises EHotKeyNotLinked without a key.
    void StoreToKey();

private:
    TRealTimeKey& LinkedKey() const;

    QPointer<TRealTimeKey> key;
};
