#include "files/plan_store.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>

#include "base/number_text.h"
#include "files/native_file_system.h"

namespace mensora {
namespace {

constexpr const char* kFolder = "plans";
constexpr const char* kSuffix = ".json";
constexpr const char* kUnits[] = {"mm", "inch", "°"};

// A path the platform reads as UTF-8 (mingw's std::string constructor would take the ANSI
// code page).
std::filesystem::path nativePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The size as the fields show it, so that 0.02 is written "0.02", not the float's binary
// neighbour.
nlohmann::json sizeOf(float value) {
    const std::string text = formatFloat(value);
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

}  // namespace

PlanStore::PlanStore(FileSystem& files, std::optional<std::string> dataFolder)
    : files_(files), folder_(dataFolder ? *dataFolder + kFolder : std::string()) {}

std::vector<std::string> PlanStore::parts() const {
    std::vector<std::string> parts;
    if (folder_.empty()) return parts;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(nativePath(folder_), error)) {
        if (!entry.is_regular_file() || entry.path().extension() != kSuffix) continue;
        // Only a file under its own part's name: load() finds that one by the part.
        const auto plan = load(utf8Of(entry.path().stem()));
        if (plan && nativePath(pathOf(plan->part)).filename() == entry.path().filename()) {
            parts.push_back(plan->part);
        }
    }
    std::sort(parts.begin(), parts.end());
    return parts;
}

std::string PlanStore::pathOf(const std::string& part) const {
    std::string name = part;
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return folder_ + std::string(1, kPathSeparators[0]) + name + kSuffix;
}

std::optional<InspectionPlan> PlanStore::load(const std::string& part) const {
    if (folder_.empty()) return std::nullopt;
    // Only a file: reading anything else in its place (a folder) throws.
    const std::filesystem::path path = nativePath(pathOf(part));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return planFromJson(text);
}

std::optional<FileFailure> PlanStore::save(const InspectionPlan& plan) {
    if (folder_.empty()) return FileFailure::NotFound;
    std::error_code error;
    std::filesystem::create_directories(nativePath(folder_), error);
    if (error) return FileFailure::AccessDenied;
    RecordFileOpening opening = files_.createRecordFile(pathOf(plan.part));
    if (!opening.file) return opening.failure;
    const std::string text = planJson(plan);
    if (auto failure = opening.file->write(text.data(), text.size())) return failure;
    if (auto failure = opening.file->commit()) return failure->cause;
    return std::nullopt;
}

std::optional<FileFailure> PlanStore::remove(const std::string& part) {
    if (folder_.empty()) return std::nullopt;
    std::error_code error;
    std::filesystem::remove(nativePath(pathOf(part)), error);
    if (!error) return std::nullopt;
    return failureFromSystemError(error.value());
}

namespace {

// A characteristic's fixed control limits; null while its charts take them from all records.
nlohmann::json fixedLimitsJson(const std::optional<FixedLimits>& fixed) {
    if (!fixed) return nullptr;
    return {{"centre", fixed->centre},
            {"sigma", fixed->sigma},
            {"subgroupSize", fixed->subgroupSize},
            {"fixedAt", fixedTimeText(fixed->fixedAt)},
            {"records", fixed->recordCount}};
}

std::optional<FixedLimits> fixedLimitsFromJson(const nlohmann::json& row) {
    FixedLimits fixed;
    fixed.centre = row.at("centre").get<double>();
    fixed.sigma = row.at("sigma").get<double>();
    const int size = row.at("subgroupSize").get<int>();
    const std::optional<LocalDateTime> at = fixedTimeFromText(row.at("fixedAt").get<std::string>());
    if (size < 1 || size > kLargestSubgroup || !at || !(fixed.sigma >= 0.0)) return std::nullopt;
    fixed.subgroupSize = static_cast<std::uint8_t>(size);
    fixed.fixedAt = *at;
    fixed.recordCount = row.at("records").get<std::uint32_t>();
    return fixed;
}

}  // namespace

std::string planJson(const InspectionPlan& plan) {
    nlohmann::json characteristics = nlohmann::json::array();
    for (const Characteristic& c : plan.characteristics) {
        characteristics.push_back({
            {"number", c.number},
            {"name", c.name},
            {"nominal", sizeOf(c.nominal)},
            {"upperTolerance", sizeOf(c.upperTolerance)},
            {"lowerTolerance", sizeOf(c.lowerTolerance)},
            {"unit", kUnits[std::min<std::size_t>(c.unitIndex, 2)]},
            {"gaugeId", c.gaugeId},
            {"subgroupSize", c.subgroupSize},
            {"warningPercent",
             c.warningPercent ? nlohmann::json(*c.warningPercent) : nlohmann::json()},
            {"fixedLimits", fixedLimitsJson(c.fixedLimits)},
        });
    }
    const nlohmann::json file = {
        {"part", plan.part}, {"partName", plan.partName}, {"characteristics", characteristics}};
    return file.dump(2) + "\n";
}

std::optional<InspectionPlan> planFromJson(const std::string& text) {
    const nlohmann::json file = nlohmann::json::parse(text, nullptr, false);
    if (file.is_discarded() || !file.is_object()) return std::nullopt;
    try {
        InspectionPlan plan;
        plan.part = file.at("part").get<std::string>();
        plan.partName = file.value("partName", "");
        for (const nlohmann::json& row : file.at("characteristics")) {
            Characteristic c;
            c.number = row.value("number", "");
            c.name = row.at("name").get<std::string>();
            c.nominal = row.at("nominal").get<float>();
            c.upperTolerance = row.at("upperTolerance").get<float>();
            c.lowerTolerance = row.at("lowerTolerance").get<float>();
            const auto unit = unitIndexOf(row.value("unit", "mm"));
            if (!unit) return std::nullopt;
            c.unitIndex = *unit;
            c.gaugeId = row.value("gaugeId", "");
            c.subgroupSize = row.value("subgroupSize", 1);
            if (row.contains("warningPercent") && !row.at("warningPercent").is_null()) {
                c.warningPercent = row.at("warningPercent").get<int>();
            }
            if (row.contains("fixedLimits") && !row.at("fixedLimits").is_null()) {
                c.fixedLimits = fixedLimitsFromJson(row.at("fixedLimits"));
                if (!c.fixedLimits) return std::nullopt;
            }
            plan.characteristics.push_back(std::move(c));
        }
        // A file edited by hand is held to the rules of a plan typed in the window.
        if (planFault(plan, Language::English)) return std::nullopt;
        return plan;
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;
    }
}

}  // namespace mensora
