#pragma once
// Named log channels for events the user does not need to see but a support person might
// (a notification that could not be posted, a folder grant that no longer resolves). Lines go
// to one process-wide sink: standard error by default, replaceable by the host or a test.

#include <functional>
#include <string>
#include <string_view>

namespace vantorel::platform {

using LogSink = std::function<void(std::string_view channel, std::string_view message)>;

// Replaces the sink and returns the previous one; an empty sink restores standard error.
LogSink setLogSink(LogSink sink);

class LogChannel {
public:
    explicit LogChannel(std::string name) : name_(std::move(name)) {}
    const std::string& name() const { return name_; }
    void write(std::string_view message) const;

private:
    std::string name_;
};

}  // namespace vantorel::platform
