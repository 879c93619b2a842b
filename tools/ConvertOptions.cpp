#include "tools/ConvertOptions.h"

namespace {

// Moves past the option at argv[i] to its value; false, with `error` saying
// so, when the option ends the line.
bool TakeValue(int argc, char** argv, int& i, std::string& value, std::string& error) {
    if (i + 1 == argc) {
        error = std::string(argv[i]) + " needs a value";
        return false;
    }
    value = argv[++i];
    return true;
}

} // namespace

std::optional<ConvertOptions> ParseConvertOptions(int argc, char** argv, std::string& error) {
    ConvertOptions options;
    std::vector<std::string> files;
    std::string value;
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--force") {
            options.force = true;
        } else if (argument == "--keep-layout") {
            options.keepLayout = true;
        } else if (argument == "--texture-folder") {
            if (!TakeValue(argc, argv, i, value, error))
                return std::nullopt;
            options.textureFolders.push_back(value);
        } else if (argument == "--format") {
            if (!TakeValue(argc, argv, i, value, error))
                return std::nullopt;
            options.format = ParseMapFormatName(value);
            if (!options.format) {
                error = "unknown format '" + value + "': give standard or valve";
                return std::nullopt;
            }
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "unknown option '" + argument + "'";
            return std::nullopt;
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2) {
        error = "give one map to read and one file to write";
        return std::nullopt;
    }
    options.in = files[0];
    options.out = files[1];
    return options;
}

void PrintConvertUsage(FILE* out) {
    std::fprintf(
        out, "usage: tolve-map convert [--format standard|valve] [--force] [--keep-layout] "
             "[--texture-folder DIR]... IN OUT\n\n"
             "Opens IN and saves it as OUT as the editor's Open and Save As do, in the map's own\n"
             "form or the one --format names: standard (offsets, rotation and scales) or valve\n"
             "(Valve 220, texture axes of each face). Problems are printed as the editor's\n"
             "message boxes would show them. The map's texture files are looked for as the\n"
             "editor does, also by file name in each --texture-folder DIR; where the editor\n"
             "would ask for a file, nothing is asked.\n\n"
             "Standard to Valve is always exact. A Valve face whose axes are no rotation and\n"
             "scaling of its axis plane has no standard texture, and a brush kept as written\n"
             "(over 32 faces or 64 corners, or no volume) stays in its Valve form: such faces\n"
             "and brushes are listed and nothing is written, unless --force writes them all\n"
             "the same, the faces with their nearest standard texture. Maps of other games\n"
             "(Quake 2, Quake 3, Half-Life, Hexen 2) are not converted. A map that read with\n"
             "problems is never written over itself (OUT the same file as IN) unless --force.\n\n"
             "OUT is written whole in the editor's own layout, unless --keep-layout copies\n"
             "IN's text wherever the map holds it unchanged, comments and blank lines with it,\n"
             "as the editor's saves do: then a map read without problems comes out byte for\n"
             "byte as IN. When the whole map must be written anew (it read with problems, or\n"
             "--format changes its form), it is, and why is printed.\n\n"
             "Exit status:\n"
             "  0  OUT was saved\n"
             "  1  the save failed; a file already at OUT is left as it was\n"
             "  2  IN cannot be read, is not a text map or is another game's map, or the\n"
             "     arguments are wrong; nothing is written\n"
             "  3  OUT was saved, but reading IN reported problems; or, without --force,\n"
             "     nothing was written because OUT is IN itself\n"
             "  4  the conversion to the standard form was refused for the faces and brushes\n"
             "     listed; nothing is written\n");
}
