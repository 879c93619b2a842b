#include "bench/LargeFgd.h"

namespace {

constexpr int kBaseClasses = 6;

std::string BaseClassText(int number) {
    const std::string n = std::to_string(number);
    std::string text = "@BaseClass";
    if (number > 0)
        text += " base(Base" + std::to_string(number - 1) + ")";
    text += " color(" + n + " 100 200) = Base" + n + "\n[\n";
    text += "    base" + n + "key(string) : \"Key of base " + n + "\" : \"\"\n";
    text += "    spawnflags(flags) =\n    [\n        " + std::to_string(256 << number) +
            " : \"Base flag " + n + "\" : 0\n    ]\n]\n\n";
    return text;
}

std::string KeysText(int number) {
    const char* const types[] = {"string", "integer", "float", "target_source"};
    std::string text;
    for (int key = 0; key < 8; ++key)
        text += "    key" + std::to_string(key) + "(" + types[key % 4] + ") : \"Key " +
                std::to_string(key) + " of class " + std::to_string(number) +
                "\" : " + std::to_string(key * 10) + " : \"What key " + std::to_string(key) +
                " does\"\n";
    text += "    style(choices) : \"Style\" : 0 =\n    [\n";
    for (int choice = 0; choice < 6; ++choice)
        text +=
            "        " + std::to_string(choice) + " : \"Choice " + std::to_string(choice) + "\"\n";
    text += "    ]\n    spawnflags(flags) =\n    [\n";
    for (int flag = 0; flag < 8; ++flag)
        text += "        " + std::to_string(1 << flag) + " : \"Flag " + std::to_string(flag) +
                "\" : " + std::to_string(flag % 2) + "\n";
    return text + "    ]\n";
}

std::string ClassText(int number) {
    const bool solid = number % 5 == 0;
    std::string text = solid ? "@SolidClass" : "@PointClass";
    text += " base(Base" + std::to_string(number % kBaseClasses) + ", Base0)";
    if (!solid)
        text += " size(-16 -16 -24, 16 16 " + std::to_string(32 + number % 8) + ")";
    text += " color(" + std::to_string(number % 256) + " 0 0)";
    text += " model({ \"path\": \":progs/m" + std::to_string(number) + ".mdl\" })";
    text += " = class_" + std::to_string(number) + " : \"Class " + std::to_string(number) +
            "\"\n[\n" + KeysText(number) + "]\n\n";
    return text;
}

} // namespace

std::string MakeLargeFgd() {
    std::string text = "// generated for the benchmark\n\n";
    for (int base = 0; base < kBaseClasses; ++base)
        text += BaseClassText(base);
    for (int number = 0; number < kLargeFgdClasses; ++number)
        text += ClassText(number);
    return text;
}
