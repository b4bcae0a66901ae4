#pragma once
// DocumentSetting: one key/value setting carried by a document. Keys and values are opaque
// strings that other parts of the program define; unknown keys are kept and written back.

#include <memory>
#include <string>

#include "VantorelData/model/Observable.h"

namespace vantorel {

class DocumentSetting : public Observable {
public:
    DocumentSetting(std::string key, std::string value) : key_(std::move(key)), value_(std::move(value)) {}

    const std::string& key() const { return key_; }
    const std::string& value() const { return value_; }
    void setValue(std::string value) { update(value_, std::move(value), PropertyId::value); }

private:
    std::string key_;
    std::string value_;
};

using DocumentSettingPtr = std::shared_ptr<DocumentSetting>;

}  // namespace vantorel
