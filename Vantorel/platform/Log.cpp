#include "Vantorel/platform/Log.h"

#include <iostream>

namespace vantorel::platform {
namespace {

void writeToStandardError(std::string_view channel, std::string_view message) {
    std::clog << "vantorel[" << channel << "]: " << message << '\n';
}

LogSink& currentSink() {
    static LogSink sink = writeToStandardError;
    return sink;
}

}  // namespace

LogSink setLogSink(LogSink sink) {
    LogSink previous = std::move(currentSink());
    currentSink() = sink ? std::move(sink) : LogSink(writeToStandardError);
    return previous;
}

void LogChannel::write(std::string_view message) const { currentSink()(name_, message); }

}  // namespace vantorel::platform
