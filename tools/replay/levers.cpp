#include "tools/replay/levers.h"

#include <charconv>
#include <cmath>
#include <regex>
#include <span>
#include <variant>

#include "app/main_form.h"
#include "game/world_fields.h"

namespace {

using Slot = std::variant<int32_t*, uint32_t*, double*, bool*>;

Slot SlotOf(World& w, const WorldScalarMember& member) {
    return std::visit([&w](auto field) -> Slot { return &(w.*field); }, member);
}

Slot FieldOf(TParts& record, const std::string& field) {
    if (field == "RotX") return &record.RotX;
    if (field == "RotZ") return &record.RotZ;
    if (field == "Life") return &record.Life;
    if (field == "Count") return &record.Count;
    if (field == "X") return &record.X;
    if (field == "Y") return &record.Y;
    if (field == "Z") return &record.Z;
    throw LeverError("no record field '" + field + "' (RotX, RotZ, Life, Count, X, Y, Z)");
}

template <typename T> T ParseWhole(const std::string& word, const char* what) {
    T value{};
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (word.empty() || error != std::errc() || stop != end)
        throw LeverError(std::string("expected ") + what + ", got '" + word + "'");
    return value;
}

double ParseReal(const std::string& word) {
    const double value = ParseWhole<double>(word, "a number");
    if (!std::isfinite(value)) throw LeverError("expected a finite number, got '" + word + "'");
    return value;
}

void Assign(const Slot& slot, const std::string& value) {
    std::visit(
        [&](auto* target) {
            using T = std::remove_pointer_t<decltype(target)>;
            if constexpr (std::is_same_v<T, bool>) {
                if (value != "0" && value != "1")
                    throw LeverError("expected 0 or 1, got '" + value + "'");
                *target = value == "1";
            } else if constexpr (std::is_same_v<T, double>) {
                *target = ParseReal(value);
            } else {
                *target = ParseWhole<T>(value, "a whole number");
            }
        },
        slot);
}

// NAME[INDEX] with INDEX in range of the array called NAME.
TParts& ArrayRecord(World& w, const std::string& name, const std::string& index_text) {
    for (const WorldPoolField& pool : WorldPools()) {
        if (name != pool.name) continue;
        const std::span<TParts> records = pool.records(w);
        const int index = ParseWhole<int>(index_text, "an index");
        if (index < 0 || static_cast<size_t>(index) >= records.size())
            throw LeverError(name + "[" + index_text + "] is out of range (0.." +
                             std::to_string(records.size() - 1) + ")");
        return records[static_cast<size_t>(index)];
    }
    throw LeverError("no object array named '" + name + "'");
}

} // namespace

void SetWorldValue(World& w, const std::string& name, const std::string& value) {
    static const std::regex array_field(R"(([A-Za-z_]+)\[([^\]]*)\]\.([A-Za-z]+))");
    static const std::regex record_field(R"(([A-Za-z_0-9]+)\.([A-Za-z]+))");
    std::smatch m;
    if (std::regex_match(name, m, array_field)) {
        Assign(FieldOf(ArrayRecord(w, m[1], m[2]), m[3]), value);
        return;
    }
    if (std::regex_match(name, m, record_field)) {
        for (const WorldRecordField& record : WorldRecords())
            if (m[1] == record.name) {
                Assign(FieldOf(w.*record.member, m[2]), value);
                return;
            }
        throw LeverError("no record named '" + m[1].str() + "'");
    }
    for (const WorldScalarField& scalar : WorldScalars())
        if (name == scalar.name) {
            Assign(SlotOf(w, scalar.member), value);
            return;
        }
    throw LeverError("no world variable named '" + name + "'");
}

void PlaceFrame(TMainForm& form, const std::string& what, float x, float z,
                std::optional<PlaceFacing> facing) {
    World& w = form.world;
    static const std::regex indexed(R"(([A-Za-z_]+)\[([^\]]*)\])");
    rm::FramePtr frame;
    std::smatch m;
    if (what == "robo")
        frame = w.Robo_Frame;
    else if (what == "boss")
        frame = w.Boss_Frame;
    else if (std::regex_match(what, m, indexed) && (m[1] == "Zako" || m[1] == "GH"))
        frame = ArrayRecord(w, m[1], m[2]).Frame;
    else
        throw LeverError("cannot place '" + what + "' (robo, boss, Zako[i], GH[i])");
    const rm::FramePtr& root = form.DXDraw.Scene();
    if (!frame || !root) throw LeverError("the scene is not built yet");
    if (facing && facing->dx == 0 && facing->dz == 0)
        throw LeverError("a facing of (0, 0) has no direction");
    frame->SetPosition(root, x, 0, z);
    if (facing) frame->SetOrientation(root, facing->dx, 0, facing->dz, 0, 1, 0);
}

float ParseLeverFloat(const std::string& word) {
    return static_cast<float>(ParseReal(word));
}
