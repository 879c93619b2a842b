#include "entity/EntityFields.h"

namespace {

constexpr const char* kPointBoxNames[kPointFieldCount] = {
    "Classname",      "Angle",     "Light",        "Mangle x",       "Mangle y",
    "Mangle z",       "Nextthink", "Custom key 1", "Custom value 1", "Custom key 2",
    "Custom value 2", "Target",    "Targetname",   "Killtarget",     "Message"};

constexpr const char* kModelBoxNames[kModelFieldCount] = {
    "Classname",    "Speed",          "Wait",   "Lip",        "Dmg",          "Health",
    "Delay",        "Height",         "Angle",  "Count",      "Custom key 1", "Custom value 1",
    "Custom key 2", "Custom value 2", "Target", "Targetname", "Killtarget",   "Message",
    "Map",          "Sound"};

constexpr const char* kWorldBoxNames[kWorldFieldCount] = {"Title", "Default Light Level",
                                                          "CD Track"};

bool HasQuote(const std::string& text) {
    return text.find('"') != std::string::npos;
}

std::string QuoteMessage(const std::string& boxName) {
    return "A map cannot hold a double quote (\"). Remove it from the \"" + boxName + "\" box.";
}

template <class Field, size_t N>
std::optional<CFieldProblem<Field>> FindQuote(const CFieldTexts<Field, N>& texts,
                                              const std::vector<FieldPair>* otherKeys) {
    for (size_t i = 0; i < N; ++i) {
        if (HasQuote(texts.texts[i])) {
            Field field = static_cast<Field>(i);
            return CFieldProblem<Field>{field, 0, QuoteMessage(GetBoxName(field))};
        }
    }
    if (!otherKeys)
        return std::nullopt;
    for (size_t row = 0; row < otherKeys->size(); ++row) {
        const FieldPair& pair = (*otherKeys)[row];
        if (HasQuote(pair.key) || HasQuote(pair.value))
            return CFieldProblem<Field>{std::nullopt, row, QuoteMessage("Other keys")};
    }
    return std::nullopt;
}

} // namespace

const char* GetBoxName(PointField field) {
    return kPointBoxNames[static_cast<size_t>(field)];
}

const char* GetBoxName(ModelField field) {
    return kModelBoxNames[static_cast<size_t>(field)];
}

const char* GetBoxName(WorldField field) {
    return kWorldBoxNames[static_cast<size_t>(field)];
}

std::optional<CFieldProblem<PointField>> FindUnstorableText(const PointEntityFields& fields) {
    return FindQuote(fields.text, &fields.otherKeys);
}

std::optional<CFieldProblem<ModelField>> FindUnstorableText(const ModelEntityFields& fields) {
    return FindQuote(fields.text, &fields.otherKeys);
}

std::optional<CFieldProblem<WorldField>> FindUnstorableText(const WorldFields& fields) {
    return FindQuote(fields.text, nullptr);
}
