#include "Vantorel/compare/DiffReport.h"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <cstdlib>

namespace vantorel::compare {
namespace {

std::string subjectText(const Change& change) {
    switch (change.subject) {
        case ChangeSubject::item: return "item";
        case ChangeSubject::buildGroup: return "build group";
        case ChangeSubject::buildTask: return "build task";
        case ChangeSubject::testGroup: return "test group";
        case ChangeSubject::testTask: return "test";
        case ChangeSubject::document: return "document";
    }
    return {};
}

std::string deltaText(const Change& change) {
    return change.deltaE ? fmt::format(" (ΔE {:.1f})", *change.deltaE) : std::string();
}

std::string summaryLine(const DocumentDiff& diff) {
    return fmt::format("Suggested version bump: {} ({})", caseName(diff.bump), diff.reason);
}

// The nearest colored square of the emoji set, for readers that render no HTML.
std::string emojiSquare(const std::string& hex) {
    if (hex.size() < 7 || hex[0] != '#') return "⬜";
    const auto channel = [&](std::size_t at) {
        return static_cast<int>(std::strtol(hex.substr(at, 2).c_str(), nullptr, 16));
    };
    const int red = channel(1), green = channel(3), blue = channel(5);
    struct Square { int red, green, blue; const char* emoji; };
    constexpr Square squares[] = {{221, 46, 68, "🟥"},  {244, 144, 12, "🟧"}, {253, 203, 88, "🟨"},
                                  {120, 177, 89, "🟩"}, {85, 172, 238, "🟦"}, {170, 142, 214, "🟪"},
                                  {193, 105, 79, "🟫"}, {49, 55, 61, "⬛"},   {230, 231, 232, "⬜"}};
    const Square* best = &squares[0];
    long bestDistance = -1;
    for (const auto& square : squares) {
        const long distance = (red - square.red) * (red - square.red) + (green - square.green) * (green - square.green) +
                              (blue - square.blue) * (blue - square.blue);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = &square;
        }
    }
    return best->emoji;
}

std::string markdownCell(const std::string& text) {
    std::string cell;
    for (char character : text) {
        if (character == '|') cell += "\\|";
        else if (character == '\n') cell += "<br>";
        else cell += character;
    }
    return cell;
}

std::string swatch(const std::optional<std::string>& hex) {
    if (!hex) return {};
    return fmt::format("{} <span style=\"color:{}\">■</span> ", emojiSquare(*hex), hex->substr(0, 7));
}

}  // namespace

std::string textReport(const DocumentDiff& diff) {
    if (diff.equal()) return "No differences\n";
    std::string out;
    for (const auto& change : diff.changes) {
        out += fmt::format("{} {} '{}'", caseName(change.kind), subjectText(change), change.path);
        if (!change.property.empty() && change.kind != ChangeKind::added && change.kind != ChangeKind::removed) {
            out += fmt::format(" {}: {} → {}{}", change.property, change.before, change.after, deltaText(change));
        }
        out += '\n';
    }
    return out + summaryLine(diff) + '\n';
}

std::string markdownReport(const DocumentDiff& diff) {
    if (diff.equal()) return "No differences.\n";
    std::string out = fmt::format("**Suggested version bump: {}** ({})\n\n", caseName(diff.bump), markdownCell(diff.reason));
    out += "| Change | What | Path | Property | Before | After | ΔE |\n|---|---|---|---|---|---|---|\n";
    for (const auto& change : diff.changes) {
        out += fmt::format("| {} | {} | {} | {} | {}{} | {}{} | {} |\n", caseName(change.kind), subjectText(change),
                           markdownCell(change.path), markdownCell(change.property), swatch(change.beforeHex),
                           markdownCell(change.before), swatch(change.afterHex), markdownCell(change.after),
                           change.deltaE ? fmt::format("{:.1f}", *change.deltaE) : std::string());
    }
    return out;
}

std::string jsonReport(const DocumentDiff& diff) {
    nlohmann::ordered_json changes = nlohmann::ordered_json::array();
    for (const auto& change : diff.changes) {
        nlohmann::ordered_json record{{"change", caseName(change.kind)},
                                      {"subject", caseName(change.subject)},
                                      {"path", change.path},
                                      {"bump", caseName(change.bump)}};
        if (!change.property.empty()) record["property"] = change.property;
        if (!change.before.empty()) record["before"] = change.before;
        if (!change.after.empty()) record["after"] = change.after;
        if (change.beforeHex) record["beforeHex"] = *change.beforeHex;
        if (change.afterHex) record["afterHex"] = *change.afterHex;
        if (change.deltaE) record["deltaE"] = *change.deltaE;
        changes.push_back(std::move(record));
    }
    nlohmann::ordered_json report{{"equal", diff.equal()},
                                  {"bump", caseName(diff.bump)},
                                  {"reason", diff.reason},
                                  {"changes", std::move(changes)}};
    return report.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

}  // namespace vantorel::compare
